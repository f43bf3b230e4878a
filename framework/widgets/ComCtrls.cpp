// Report-style list view, page control and status bar.
#include "framework/widgets/ComCtrls.h"

#include "framework/widgets/Application.h"
#include "framework/widgets/Graphics.h"

#include <QHeaderView>
#include <QPainter>
#include <QTabBar>

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
    viewport()->update();
}

void TListView::drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QTreeWidget::drawRow(painter, option, index);
    if (!gridLines_)
        return;
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
    activeIndex_ = index;
    {
        const QSignalBlocker block(tabBar_);
        tabBar_->setCurrentIndex(index);
    }
    LayOutPages();
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
    update();
}

QString TStatusBar::PanelText(int index) const {
    return index >= 0 && index < PanelCount() ? panels_[static_cast<std::size_t>(index)].text : QString();
}

void TStatusBar::SetPanelText(int index, const QString& text) {
    if (index < 0 || index >= PanelCount())
        return;
    panels_[static_cast<std::size_t>(index)].text = text;
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
