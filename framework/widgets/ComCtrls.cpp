// Report-style list view, page control and status bar.
#include "framework/widgets/ComCtrls.h"

#include "framework/widgets/Application.h"
#include "framework/base/Cp1251.h"
#include "framework/widgets/Graphics.h"

#include <QEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTabBar>

#include <algorithm>

namespace framework {
namespace {

Qt::Alignment ToQtAlignment(TAlignment alignment) {
    switch (alignment) {
    case taRightJustify: return Qt::AlignRight | Qt::AlignVCenter;
    case taCenter: return Qt::AlignHCenter | Qt::AlignVCenter;
    case taLeftJustify: break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

// The page area of a page control with tabs on top: the tab row and the control's 3D border.
constexpr int kPageInsetLeft = 4;
constexpr int kPageInsetTop = 24;
constexpr int kPageInsetRight = 4;
constexpr int kPageInsetBottom = 4;
constexpr int kTabBarLeft = 2;
constexpr int kTabBarTop = 2;
constexpr int kTabBarHeight = 20;

constexpr int kPanelTextIndent = 3;
constexpr int kPanelGap = 2;

constexpr int kRowAir = 1;      // clear pixels above and below the ink of a row
constexpr int kGridLineWidth = 1;

// Every printable Windows-1251 character: the texts a row can hold.
QString Cp1251Repertoire() {
    QString all;
    constexpr int kFirstPrintable = 0x20;
    constexpr int kByteCount = 0x100;
    for (int byte = kFirstPrintable; byte < kByteCount; ++byte) {
        const char32_t code = Cp1251ToUnicode(static_cast<unsigned char>(byte));
        if (QChar::isPrint(code))
            all += QChar::fromUcs4(code);
    }
    return all;
}

// Gives each row of a list view the height the view asks for.
class RowHeightDelegate : public QStyledItemDelegate {
public:
    explicit RowHeightDelegate(TListView* view) : QStyledItemDelegate(view), view_(view) {}
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(), view_->RowHeight()};
    }

private:
    const TListView* view_;
};

} // namespace

TListView::TListView(QWidget* parent) : QTreeWidget(parent) {
    setColumnCount(0);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    header()->setSectionsClickable(false);
    header()->setSectionsMovable(false);
    header()->setStretchLastSection(false);
    header()->setMinimumSectionSize(0);
    setItemDelegate(new RowHeightDelegate(this));
}

void TListView::AddColumn(const QString& caption, int width, TAlignment alignment) {
    const int column = columnCount();
    setColumnCount(column + 1);
    alignments_.push_back(alignment);
    QTreeWidgetItem* headerRow = headerItem();
    headerRow->setText(column, caption);
    headerRow->setTextAlignment(column, ToQtAlignment(alignment));
    header()->setSectionResizeMode(column, QHeaderView::Fixed);
    setColumnWidth(column, width);
}

TAlignment TListView::ColumnAlignment(int column) const {
    return column >= 0 && column < static_cast<int>(alignments_.size()) ? alignments_[static_cast<std::size_t>(column)]
                                                                          : taLeftJustify;
}

void TListView::AddItem(const QString& caption, const QStringList& subItems) {
    auto* item = new QTreeWidgetItem(this);
    item->setText(0, caption);
    for (int i = 0; i < subItems.size(); ++i)
        item->setText(i + 1, subItems[i]);
    for (int column = 0; column < columnCount(); ++column)
        item->setTextAlignment(column, ToQtAlignment(ColumnAlignment(column)));
}

QString TListView::ItemText(int row, int column) const {
    const QTreeWidgetItem* item = topLevelItem(row);
    return item == nullptr ? QString() : item->text(column);
}

void TListView::SetGridLines(bool on) {
    gridLines_ = on;
    doItemsLayout();
    viewport()->update();
}

int TListView::RowHeight() const {
    if (textRowHeight_ == 0) {
        const QFontMetrics metrics(font());
        const QRect ink = metrics.tightBoundingRect(Cp1251Repertoire());
        // The text is centred on the font's box (ascent + descent): ink that reaches beyond the
        // box on one side needs as much room on the other side as well.
        const int aboveBaseline = std::max(metrics.ascent(), -ink.top());
        const int belowBaseline = std::max(metrics.descent(), ink.bottom() + 1);
        textRowHeight_ = 2 * std::max(aboveBaseline - metrics.ascent(), belowBaseline - metrics.descent()) +
                         metrics.height() + 2 * kRowAir;
    }
    return textRowHeight_ + (gridLines_ ? kGridLineWidth : 0);
}

void TListView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        textRowHeight_ = 0;
        doItemsLayout();
    }
    QTreeWidget::changeEvent(event);
}

void TListView::drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    if (!gridLines_) {
        QTreeWidget::drawRow(painter, option, index);
        return;
    }
    // The row's text is laid out above the pixel row that the grid line takes.
    QStyleOptionViewItem above = option;
    above.rect.setHeight(option.rect.height() - kGridLineWidth);
    QTreeWidget::drawRow(painter, above, index);
    painter->save();
    painter->setPen(ToQColor(cl3DLight));
    const QRect row = option.rect;
    painter->drawLine(row.left(), row.bottom(), row.right(), row.bottom());
    int x = -header()->offset();
    for (int column = 0; column < columnCount(); ++column) {
        x += columnWidth(column);
        painter->drawLine(x - 1, row.top(), x - 1, row.bottom());
    }
    painter->restore();
}

TTabSheet::TTabSheet(TPageControl* pageControl) : QWidget(pageControl), pageControl_(pageControl) {
    pageControl->InsertPage(this);
}

void TTabSheet::SetCaption(const QString& caption) {
    caption_ = caption;
    pageControl_->CaptionChanged(this);
}

int TTabSheet::PageIndex() const {
    const auto& pages = pageControl_->pages_;
    for (std::size_t i = 0; i < pages.size(); ++i)
        if (pages[i] == this)
            return static_cast<int>(i);
    return -1;
}

TPageControl::TPageControl(QWidget* parent) : QWidget(parent), tabBar_(new QTabBar(this)) {
    tabBar_->setDrawBase(false);
    tabBar_->setExpanding(false);
    connect(tabBar_, &QTabBar::currentChanged, this, [this](int index) {
        if (index < 0 || index == activeIndex_)
            return;
        SetActivePageIndex(index);
        if (OnChange)
            CallSafely([this] { OnChange(this); });
    });
}

TTabSheet* TPageControl::Page(int index) const {
    return index >= 0 && index < PageCount() ? pages_[static_cast<std::size_t>(index)] : nullptr;
}

void TPageControl::InsertPage(TTabSheet* page) {
    pages_.push_back(page);
    const QSignalBlocker block(tabBar_);
    tabBar_->addTab(page->Caption());
    if (activeIndex_ < 0)
        activeIndex_ = 0;
    LayOutPages();
}

void TPageControl::CaptionChanged(TTabSheet* page) {
    const int index = page->PageIndex();
    if (index >= 0)
        tabBar_->setTabText(index, page->Caption());
}

void TPageControl::SetActivePageIndex(int index) {
    if (index < 0 || index >= PageCount())
        return;
    const bool changing = index != activeIndex_;
    if (changing)
        ActivePageChanging(index);
    activeIndex_ = index;
    {
        const QSignalBlocker block(tabBar_);
        tabBar_->setCurrentIndex(index);
    }
    LayOutPages();
    if (changing)
        ActivePageChanged();
}

QRect TPageControl::PageRect() const {
    return QRect(kPageInsetLeft, kPageInsetTop, width() - kPageInsetLeft - kPageInsetRight,
                 height() - kPageInsetTop - kPageInsetBottom);
}

void TPageControl::LayOutPages() {
    tabBar_->setGeometry(kTabBarLeft, kTabBarTop, width() - 2 * kTabBarLeft, kTabBarHeight);
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        pages_[i]->setGeometry(PageRect());
        pages_[i]->setVisible(static_cast<int>(i) == activeIndex_);
    }
}

void TPageControl::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    LayOutPages();
}

TStatusBar::TStatusBar(QWidget* parent) : QWidget(parent) {}

void TStatusBar::AddPanel(const QString& text, int width) {
    panels_.push_back(Panel{text, width});
    PanelsChanged();
    update();
}

QString TStatusBar::PanelText(int index) const {
    return index >= 0 && index < PanelCount() ? panels_[static_cast<std::size_t>(index)].text : QString();
}

void TStatusBar::SetPanelText(int index, const QString& text) {
    if (index < 0 || index >= PanelCount())
        return;
    panels_[static_cast<std::size_t>(index)].text = text;
    PanelsChanged();
    update(PanelRect(index));
}

int TStatusBar::PanelWidth(int index) const {
    return index >= 0 && index < PanelCount() ? panels_[static_cast<std::size_t>(index)].width : 0;
}

QRect TStatusBar::PanelRect(int index) const {
    if (index < 0 || index >= PanelCount())
        return QRect();
    int left = 0;
    for (int i = 0; i < index; ++i)
        left += PanelWidth(i);
    // The last panel reaches the bar's right edge.
    const int right = index == PanelCount() - 1 ? width() : left + PanelWidth(index);
    return QRect(left, 0, right - left, height());
}

void TStatusBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), ToQColor(clBtnFace));
    for (int i = 0; i < PanelCount(); ++i) {
        const QRect panel = PanelRect(i).adjusted(0, kPanelGap, -kPanelGap, 0);
        painter.setPen(ToQColor(clBtnShadow));
        painter.drawLine(panel.topLeft(), panel.topRight());
        painter.drawLine(panel.topLeft(), panel.bottomLeft());
        painter.setPen(ToQColor(clBtnHighlight));
        painter.drawLine(panel.bottomLeft(), panel.bottomRight());
        painter.drawLine(panel.topRight(), panel.bottomRight());
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(panel.adjusted(kPanelTextIndent, 0, -kPanelTextIndent, 0), Qt::AlignLeft | Qt::AlignVCenter,
                         PanelText(i));
    }
}

} // namespace framework
