// Label colours and fonts from the skin, the section behind a label, and the link label.
#include "skin/controls/sLabel.h"

#include <QDesktopServices>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

#include "framework/widgets/Graphics.h"
#include "skin/controls/sGraphicControl.h"
#include "skin/data/sSkinManager.h"
#include "skin/data/sSkinModelLookups.h"
#include "skin/data/sSystemColors.h"
#include "skin/pixels/ColorOps.h"
#include "skin/pixels/RectClip.h"
#include "skin/pixels/sBlit.h"
#include "skin/render/sImageView.h"
#include "skin/render/sParentBackground.h"
#include "skin/render/sSectionPaint.h"
#include "skin/render/sSkinnedText.h"

namespace skin {

namespace {

constexpr double kDisabledShare = 0.4;

// The model of the global skin manager while its skin is active, else nullptr.
const TsSkinModel* ActiveSkin() {
    const TsSkinManager* manager = TsSkinManager::DefaultManager();
    if (manager == nullptr || !manager->Active() || !manager->SkinData().Active)
        return nullptr;
    return &manager->Model();
}

} // namespace

// ---------------------------------------------------------------- TsCustomLabel

TsCustomLabel::TsCustomLabel(QWidget* parent) : framework::TLabel(parent) {}

void TsCustomLabel::SetSkinSection(const std::string& section) {
    if (section == skinSection_)
        return;
    skinSection_ = section;
    update();
}

TColor TsCustomLabel::OwnFontColor() const {
    return ResolveSkinColor(framework::FromQColor(palette().color(QPalette::WindowText)));
}

TColor TsCustomLabel::DisabledFrom(TColor colour) const {
    QWidget* parent = parentWidget();
    const TColor parentColour = parent ? AnsweredColor(parent) : kTransparentKey;
    return LerpColor(ResolveSkinColor(colour), parentColour, kDisabledShare);
}

TColor TsCustomLabel::LentTextColor(int fallbackIndex) const {
    const TsSkinModel* skin = ActiveSkin();
    if (skin == nullptr)
        return kNoColor;
    const int index = FindTextSection(const_cast<TsCustomLabel*>(this), fallbackIndex, *skin, 0);
    if (!IsValidSkinIndex(*skin, index))
        return kNoColor;
    return skin->gd[std::size_t(index)].Props[TsLook::Normal].FontColor[FontColorEntry::fcText];
}

TColor TsCustomLabel::TextColor() const {
    const TsSkinModel* skin = ActiveSkin();
    if (skin == nullptr)
        return OwnFontColor();
    return isEnabled() ? skin->Palette[PaletteEntry::pcLabelText] : DisabledFrom(OwnFontColor());
}

bool TsCustomLabel::event(QEvent* event) {
    if (event->type() == QEvent::Enter && OnMouseEnter)
        OnMouseEnter(this);
    const bool handled = framework::TLabel::event(event);
    if (event->type() == QEvent::Leave && OnMouseLeave)
        OnMouseLeave(this);
    return handled;
}

void TsCustomLabel::PaintSectionBehind(QPainter& painter, int sectionIndex) {
    const TsSkinModel* skin = ActiveSkin();
    Bitmap32 image;
    if (skin == nullptr || !image.SetSize(width(), height()))
        return;
    TsSectionPaint paint;
    paint.SectionIndex = sectionIndex;
    paint.SectionName = skinSection_;
    TsBackgroundInfo info;
    if (QWidget* parent = parentWidget()) {
        ParentBackground(info, parent, false);
        info.OffsetX += x();
        info.OffsetY += y();
        paint.Backdrop = BackdropOf(info);
    }
    if (paint.Backdrop.UsableBitmap())
        CopyBlock(image, 0, 0, *paint.Backdrop.Bitmap,
                  RectAt(paint.Backdrop.OffsetX, paint.Backdrop.OffsetY, width(), height()));
    PaintSectionToDC(*skin, image, RectOf(image), paint);
    DrawOpaque(painter, {0, 0}, image, RectOf(image));
}

void TsCustomLabel::paintEvent(QPaintEvent* event) {
    if (!PaintsItselfNow(this))
        return;
    const TsSkinModel* skin = ActiveSkin();
    if (skin == nullptr) {
        framework::TLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    const int sectionIndex = skinSection_.empty() ? -1 : GetSkinIndex(*skin, skinSection_);
    if (IsValidSkinIndex(*skin, sectionIndex) && !inPaint_) {
        // The section's text colour becomes the font's (its change repaints once more).
        inPaint_ = true;
        const TColor colour = skin->gd[std::size_t(sectionIndex)].Props[TsLook::Normal].FontColor[FontColorEntry::fcText];
        if (ResolveSkinColor(colour) != OwnFontColor())
            SetFontColor(colour);
        inPaint_ = false;
    }
    if (sectionIndex > 0)
        PaintSectionBehind(painter, sectionIndex);
    painter.setFont(TextFont());
    painter.setPen(framework::ToQColor(TextColor()));
    painter.drawText(contentsRect(), TextFlags(), text());
}

// ---------------------------------------------------------------- TsLabel

TsLabel::TsLabel(QWidget* parent) : TsCustomLabel(parent) {}

void TsLabel::SetUseSkinColor(bool on) {
    if (on == useSkinColor_)
        return;
    useSkinColor_ = on;
    update();
}

TColor TsLabel::TextColor() const {
    const TsSkinModel* skin = ActiveSkin();
    if (!useSkinColor_ || skin == nullptr)
        return OwnFontColor();
    const int own = SkinSection().empty() ? -1 : GetSkinIndex(*skin, SkinSection());
    TColor colour = LentTextColor(own);
    if (colour == kNoColor)
        colour = skin->Palette[PaletteEntry::pcLabelText];
    return isEnabled() ? ResolveSkinColor(colour) : DisabledFrom(colour);
}

TsEditLabel::TsEditLabel(QWidget* parent) : TsLabel(parent) {}

// ---------------------------------------------------------------- TsWebLabel

TsWebLabel::TsWebLabel(QWidget* parent) : TsLabel(parent) {
    setCursor(Qt::PointingHandCursor);
    normalFont_ = font();
    hoverFont_ = font();
}

void TsWebLabel::SetNormalFont(const QFont& font, TColor color) {
    normalFont_ = font;
    normalColor_ = color;
    if (!pointerOver_)
        ShowFont(font, color);
}

void TsWebLabel::SetHoverFont(const QFont& font, TColor color) {
    hoverFont_ = font;
    hoverColor_ = color;
    if (pointerOver_)
        ShowFont(font, color);
}

void TsWebLabel::ShowFont(const QFont& font, TColor color) {
    setFont(font);
    SetFontColor(color);
}

TColor TsWebLabel::TextColor() const {
    const TsSkinModel* skin = ActiveSkin();
    const bool skinColours = UseSkinColor() && skin != nullptr;
    if (pointerOver_)
        return ResolveSkinColor(skinColours ? skin->Palette[PaletteEntry::pcWebTextHot] : hoverColor_);
    if (!skinColours)
        return ResolveSkinColor(normalColor_);
    const TColor lent = LentTextColor(-1);
    return ResolveSkinColor(lent != kNoColor ? lent : skin->Palette[PaletteEntry::pcWebText]);
}

bool TsWebLabel::IsOpenableAddress(const QString& address) {
    const QUrl url(address, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    return url.isValid() && !url.host().isEmpty() && (scheme == QLatin1String("http") || scheme == QLatin1String("https"));
}

bool TsWebLabel::Open() const {
    if (!IsOpenableAddress(url_))
        return false;
    return QDesktopServices::openUrl(QUrl(url_, QUrl::StrictMode));
}

void TsWebLabel::enterEvent(QEnterEvent* event) {
    TsLabel::enterEvent(event);
    if (!isEnabled())
        return;
    pointerOver_ = true;
    ShowFont(hoverFont_, hoverColor_);
    update();
}

void TsWebLabel::leaveEvent(QEvent* event) {
    TsLabel::leaveEvent(event);
    if (!isEnabled() && !pointerOver_)
        return;
    pointerOver_ = false;
    ShowFont(normalFont_, normalColor_);
    update();
}

void TsWebLabel::mousePressEvent(QMouseEvent* event) {
    TsLabel::mousePressEvent(event);
    if (event->button() == Qt::LeftButton && !url_.isEmpty())
        Open();
}

} // namespace skin
