// Bound captions: the label's life and its place beside its edit.
#include "skin/controls/sBoundLabel.h"

#include <QEvent>

#include "skin/pixels/RectClip.h"

namespace skin {

namespace {
constexpr int kLeftGap = 4;      // between a left label and its edit
constexpr int kLeftTopDrop = 3;  // a left-top label's distance below the edit's top
constexpr int kWrapSlack = 4;    // a label this close to MaxWidth wraps its words
} // namespace

TPoint BoundLabelPlace(TsCaptionLayout layout, const TRect& edit, QSize label, int indent) {
    const int width = WidthOf(edit);
    const int height = HeightOf(edit);
    const int left = edit.Left - label.width() - kLeftGap - indent;
    const int centred = edit.Left + (width - label.width()) / 2;
    const int right = edit.Left + width - label.width();
    const int above = edit.Top - label.height() - indent;
    const int below = edit.Top + height + indent;
    switch (layout) {
    case TsCaptionLayout::sclLeft: return {left, edit.Top + (height - label.height()) / 2 - 1};
    case TsCaptionLayout::sclTopLeft: return {edit.Left, above};
    case TsCaptionLayout::sclTopCenter: return {centred, above};
    case TsCaptionLayout::sclTopRight: return {right, above};
    case TsCaptionLayout::sclLeftTop: return {left, edit.Top + kLeftTopDrop};
    case TsCaptionLayout::sclBottomLeft: return {edit.Left, below};
    case TsCaptionLayout::sclBottomCenter: return {centred, below};
    case TsCaptionLayout::sclBottomRight: return {right, below};
    }
    return {edit.Left, edit.Top};
}

TsBoundLabel::TsBoundLabel(QWidget* edit, TsCommonData* record) : edit_(edit), record_(record) {
    if (edit)
        font_ = edit->font();
}

TsBoundLabel::~TsBoundLabel() { delete label_.data(); }

void TsBoundLabel::SetActive(bool active) {
    if (active == Active() || !edit_)
        return;
    if (!active) {
        delete label_.data();
        return;
    }
    label_ = new TsEditLabel(edit_->parentWidget());
    label_->hide();
    label_->SetFocusControl(edit_);
    label_->setBuddy(edit_);
    label_->setObjectName(edit_->objectName() + QStringLiteral("Label"));
    label_->setFont(font_);
    label_->SetUseSkinColor(useSkinColor_);
    if (caption_.isEmpty())
        caption_ = edit_->objectName();
    label_->setText(caption_);
    ApplyAlignment();
    label_->setVisible(!edit_->isHidden());
    label_->setEnabled(edit_->isEnabled() || enabledAlways_);
    label_->adjustSize();
    UpdatePosition();
}

void TsBoundLabel::ApplyAlignment() {
    if (!label_)
        return;
    Qt::Alignment alignment = Qt::AlignLeft;
    if (layout_ == TsCaptionLayout::sclLeft || layout_ == TsCaptionLayout::sclTopRight ||
        layout_ == TsCaptionLayout::sclBottomRight)
        alignment = Qt::AlignRight;
    else if (layout_ == TsCaptionLayout::sclTopCenter || layout_ == TsCaptionLayout::sclBottomCenter)
        alignment = Qt::AlignHCenter;
    label_->setAlignment(alignment | Qt::AlignVCenter);
}

void TsBoundLabel::SetCaption(const QString& caption) {
    caption_ = caption;
    if (label_) {
        label_->setText(caption);
        label_->adjustSize();
    }
    UpdatePosition();
}

void TsBoundLabel::SetEnabledAlways(bool always) {
    enabledAlways_ = always;
    UpdatePosition();
}

void TsBoundLabel::SetIndent(int indent) {
    indent_ = indent;
    UpdatePosition();
}

void TsBoundLabel::SetFont(const QFont& font) {
    font_ = font;
    if (label_ && edit_) {
        label_->setFont(font);
        label_->setParent(edit_->parentWidget());
        label_->adjustSize();
    }
    UpdatePosition();
}

void TsBoundLabel::SetLayout(TsCaptionLayout layout) {
    layout_ = layout;
    ApplyAlignment();
    UpdatePosition();
}

void TsBoundLabel::SetMaxWidth(int width) {
    maxWidth_ = width;
    UpdatePosition();
}

void TsBoundLabel::SetUseSkinColor(bool use) {
    useSkinColor_ = use;
    if (label_)
        label_->SetUseSkinColor(use);
}

void TsBoundLabel::UpdatePosition() {
    if (!label_ || !edit_ || label_->isHidden())
        return;
    if (maxWidth_ > 0) {
        label_->setMaximumWidth(maxWidth_);
        label_->setWordWrap(label_->width() >= maxWidth_ - kWrapSlack);
    }
    label_->setEnabled(edit_->isEnabled() || enabledAlways_);
    if (label_->parentWidget() != edit_->parentWidget())
        label_->setParent(edit_->parentWidget());
    const QRect g = edit_->geometry();
    const TPoint at = BoundLabelPlace(layout_, RectAt(g.x(), g.y(), g.width(), g.height()), label_->size(), indent_);
    label_->move(at.X, at.Y);
}

void TsBoundLabel::EditChanged(QEvent* event) {
    if (!label_ || !edit_)
        return;
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::ShowToParent:
    case QEvent::HideToParent:
        label_->setVisible(!edit_->isHidden());
        break;
    case QEvent::EnabledChange:
        label_->setEnabled(edit_->isEnabled() || enabledAlways_);
        break;
    case QEvent::LayoutDirectionChange:
        label_->setLayoutDirection(edit_->layoutDirection());
        break;
    case QEvent::Move:
    case QEvent::Resize:
        break;
    default:
        return;
    }
    UpdatePosition();
}

} // namespace skin
