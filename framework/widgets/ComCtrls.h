// The common controls: TListView (a QTreeWidget in report style), TPageControl with its
// TTabSheet pages on a QTabBar, and TStatusBar with fixed-width panels.
#pragma once

#include "framework/widgets/Controls.h"

#include <QTreeWidget>
#include <QWidget>

#include <vector>

class QTabBar;

namespace framework {

class TListView : public QTreeWidget {
    Q_OBJECT
public:
    explicit TListView(QWidget* parent = nullptr);

    // A column of fixed width (minimum, maximum and width equal) with its alignment.
    void AddColumn(const QString& caption, int width, TAlignment alignment);
    int ColumnCount() const { return columnCount(); }
    int ColumnWidth(int column) const { return columnWidth(column); }
    TAlignment ColumnAlignment(int column) const;

    // Appends a row: its caption in column 0, then one sub-item per further column.
    void AddItem(const QString& caption, const QStringList& subItems);
    int ItemCount() const { return topLevelItemCount(); }
    QString ItemText(int row, int column) const;
    void ClearItems() { clear(); }

    bool GridLines() const { return gridLines_; }
    void SetGridLines(bool on);

    // Every row is as tall as the font's ink of any Windows-1251 character needs (accents above
    // capitals, underscores below the baseline), a pixel of air above and below, and with
    // grid lines on one more pixel row for the line, so that the line covers no text.
    int RowHeight() const;

protected:
    void drawRow(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void changeEvent(QEvent* event) override;

private:
    std::vector<TAlignment> alignments_;
    bool gridLines_ = false;
    mutable int textRowHeight_ = 0; // 0: not measured for the current font
};

class TPageControl;

// A page of a page control; made with the page control as parent, it appends itself.
class TTabSheet : public QWidget {
    Q_OBJECT
public:
    explicit TTabSheet(TPageControl* pageControl);

    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    TPageControl* PageControl() const { return pageControl_; }
    int PageIndex() const;

private:
    TPageControl* pageControl_;
    QString caption_;
};

class TPageControl : public QWidget {
    Q_OBJECT
public:
    explicit TPageControl(QWidget* parent = nullptr);

    int PageCount() const { return static_cast<int>(pages_.size()); }
    TTabSheet* Page(int index) const;
    int ActivePageIndex() const { return activeIndex_; }
    void SetActivePageIndex(int index);
    TTabSheet* ActivePage() const { return Page(activeIndex_); }
    QTabBar* TabBar() const { return tabBar_; }

    // Where the pages lie, in the page control's coordinates.
    QRect PageRect() const;

    TNotifyEvent OnChange;

protected:
    void resizeEvent(QResizeEvent* event) override;
    // Around every change of the active page: before the pages are switched (the old page still
    // shows) and after.
    virtual void ActivePageChanging(int /*newIndex*/) {}
    virtual void ActivePageChanged() {}

private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* page);
    void CaptionChanged(TTabSheet* page);
    void LayOutPages();

    QTabBar* tabBar_;
    std::vector<TTabSheet*> pages_;
    int activeIndex_ = -1;
};

class TStatusBar : public QWidget {
    Q_OBJECT
public:
    explicit TStatusBar(QWidget* parent = nullptr);

    void AddPanel(const QString& text, int width);
    int PanelCount() const { return static_cast<int>(panels_.size()); }
    QString PanelText(int index) const;
    void SetPanelText(int index, const QString& text);
    int PanelWidth(int index) const;
    // The rectangle of a panel in the bar's coordinates.
    QRect PanelRect(int index) const;
    bool SizeGrip() const { return sizeGrip_; }
    void SetSizeGrip(bool on) { sizeGrip_ = on; update(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    // Called after a panel was added or its text changed (the platform's SB_SETTEXT).
    virtual void PanelsChanged() {}

private:
    struct Panel {
        QString text;
        int width;
    };
    std::vector<Panel> panels_;
    bool sizeGrip_ = true;
};

} // namespace framework
