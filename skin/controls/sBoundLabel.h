// TsBoundLabel: the caption an edit-like control can carry beside, above or below it, a label in
// the edit's parent that follows the edit's place, visibility, enabling and reading direction.
#pragma once

#include <QFont>
#include <QPointer>
#include <QSize>
#include <QString>

#include "framework/widgets/StdCtrls.h"
#include "skin/controls/sLabel.h"
#include "skin/pixels/BlendOps.h"

class QEvent;

namespace skin {

class TsCommonData;

enum class TsCaptionLayout {
    sclLeft, sclTopLeft, sclTopCenter, sclTopRight, sclLeftTop, sclBottomLeft, sclBottomCenter, sclBottomRight
};

// Where a label of labelSize goes for an edit at edit (its parent's coordinates).
TPoint BoundLabelPlace(TsCaptionLayout layout, const TRect& edit, QSize labelSize, int indent);

class TsBoundLabel {
public:
    TsBoundLabel(QWidget* edit, TsCommonData* record);
    ~TsBoundLabel();
    TsBoundLabel(const TsBoundLabel&) = delete;
    TsBoundLabel& operator=(const TsBoundLabel&) = delete;

    bool Active() const { return label_ != nullptr; }
    void SetActive(bool active);
    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    bool EnabledAlways() const { return enabledAlways_; }
    void SetEnabledAlways(bool always);
    int Indent() const { return indent_; }
    void SetIndent(int indent);
    const QFont& Font() const { return font_; }
    void SetFont(const QFont& font);
    TsCaptionLayout Layout() const { return layout_; }
    void SetLayout(TsCaptionLayout layout);
    int MaxWidth() const { return maxWidth_; }
    void SetMaxWidth(int width);
    bool UseSkinColor() const { return useSkinColor_; }
    void SetUseSkinColor(bool use);

    TsEditLabel* Label() const { return label_; }
    // What the edit passes on: moves and sizes, visibility, enabling, reading direction.
    void EditChanged(QEvent* event);
    void UpdatePosition();

private:
    void ApplyAlignment();

    QPointer<QWidget> edit_;
    TsCommonData* record_;
    int maxWidth_ = 0;
    QString caption_;
    TsCaptionLayout layout_ = TsCaptionLayout::sclLeft;
    QFont font_;
    int indent_ = 0;
    bool enabledAlways_ = false;
    bool useSkinColor_ = true;
    QPointer<TsEditLabel> label_;
};

} // namespace skin
