// The skinned push button: its visual state, the cache rebuild, painting, the commands and
// notifications it answers, and the fades of its state changes.
#include "skin/controls/sButton.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QThread>

#include <algorithm>

#include "framework/core/SkinCommand.h"
#include "skin/data/sSkinCommands.h"
#include "skin/data/sSkinManager.h"
#include "skin/data/sSkinModelLookups.h"
#include "skin/pixels/DrawingRoutines.h"
#include "skin/pixels/PixelOps.h"
#include "skin/pixels/RectClip.h"
#include "skin/render/sAnimationFlag.h"
#include "skin/render/sBackgrounds.h"
#include "skin/render/sControlAccess.h"
#include "skin/render/sImageView.h"
#include "skin/render/sMaskPaint.h"
#include "skin/render/sParentBackground.h"
#include "skin/render/sRecordPaint.h"
#include "skin/render/sSkinnedText.h"
#include "skin/window/sWidgetAccess.h"

namespace skin {

namespace {

bool gPaintPressedNow = false;

constexpr int kStatesWithDefaultImage = 4;
// A release that cuts a press fade short shows the pressed look this long first.
constexpr unsigned long kPressedLookMs = 30;
constexpr int kSplitLineInset = 4;
constexpr int kSplitLineFromRight = 15;
constexpr int kCommandLinkExtraPoints = 2;
constexpr int kCommandLinkHintGap = 6;

QRect QtRect(const TRect& rect) { return QRect(rect.Left, rect.Top, WidthOf(rect), HeightOf(rect)); }

QFont CommandLinkFont(QFont font) {
    font.setBold(true);
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() + kCommandLinkExtraPoints);
    else
        font.setPixelSize(font.pixelSize() + kCommandLinkExtraPoints * 96 / 72);
    return font;
}

// DT_CALCRECT: the extent of text wrapped (or not) to the width of rect.
QSize MeasureText(const QFont& font, const QString& text, TsTextFormat format, int width) {
    if (text.isEmpty())
        return {0, 0};
    const QFontMetrics metrics(font);
    const int advance = metrics.horizontalAdvance(text);
    // A line that fits needs no wrapping: its extent is its advance.
    if (!(format & DT_WORDBREAK) || (advance <= width && !text.contains(QLatin1Char('\n'))))
        return {advance, metrics.height()};
    const QRect bounds = metrics.boundingRect(QRect(0, 0, std::max(width, 1), 0), QtTextFlags(format), text);
    return bounds.size();
}

} // namespace

bool PaintPressedNow() { return gPaintPressedNow; }

TsButton::TsButton(QWidget* parent) : framework::TButton(parent), SkinData(this, TsRecordCache::With) {
    SkinData.ControlKind = kKindButton;
    // The cache covers every pixel, corners included (they hold the parent's image).
    setAttribute(Qt::WA_OpaquePaintEvent);
    SkinData.AfterPropertiesLoaded();
    // Whether a default button looks so depends on where its form's focus is.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget* before, QWidget* now) {
        if (isDefault() && ((before && before->window() == window()) || (now && now->window() == window())))
            Repaint();
    });
}

TsButton::~TsButton() {
    MarkDestroying(this);
    StopFade();
}

// ---------------------------------------------------------------- properties

void TsButton::Repaint() {
    SkinData.BackgroundStale = true;
    update();
}

void TsButton::SetShowFocus(bool show) {
    if (show != showFocus_) {
        showFocus_ = show;
        Repaint();
    }
}

void TsButton::SetDisabledKind(int kind) {
    if (kind != disabledKind_) {
        disabledKind_ = kind;
        Repaint();
    }
}

void TsButton::SetDown(bool down) {
    if (down != down_) {
        down_ = down;
        regionStale_ = true;
        Repaint();
    }
}

void TsButton::SetContentMargin(int margin) {
    if (margin != contentMargin_) {
        contentMargin_ = margin;
        Repaint();
    }
}

void TsButton::SetStyle(TsButtonStyle style) {
    if (style != style_) {
        style_ = style;
        Repaint();
    }
}

void TsButton::SetCommandLinkHint(const QString& hint) {
    if (hint != commandLinkHint_) {
        commandLinkHint_ = hint;
        Repaint();
    }
}

void TsButton::SetImages(framework::TCustomImageList* images) {
    if (images == images_)
        return;
    if (images_)
        disconnect(images_, nullptr, this, nullptr);
    images_ = images;
    if (images_)
        connect(images_, &framework::TCustomImageList::Changed, this, &TsButton::ImagesChanged);
    Repaint();
}

void TsButton::ImagesChanged() { Repaint(); }

int TsButton::ImageIndexOf(TsGlyphRole role) const { return imageIndexes_[int(role)]; }

void TsButton::SetImageIndexOf(TsGlyphRole role, int index) {
    if (index == imageIndexes_[int(role)])
        return;
    imageIndexes_[int(role)] = index;
    if (images_)
        Repaint();
}

void TsButton::SetImageAlignment(TsImageAlignment alignment) {
    if (alignment == imageAlignment_)
        return;
    imageAlignment_ = alignment;
    if (images_)
        Repaint();
}

void TsButton::SetImageMargins(const TsImageMargins& margins) {
    if (margins != imageMargins_) {
        imageMargins_ = margins;
        Repaint();
    }
}

void TsButton::SetReflected(bool reflected) {
    if (reflected != reflected_) {
        reflected_ = reflected;
        Repaint();
    }
}

void TsButton::SetWordWrap(bool wrap) {
    if (wrap != wordWrap_) {
        wordWrap_ = wrap;
        Repaint();
    }
}

// ---------------------------------------------------------------- state

bool TsButton::IsActiveDefault() const {
    if (!isDefault())
        return false;
    const QWidget* focused = window()->focusWidget();
    return focused == this || qobject_cast<const QPushButton*>(focused) == nullptr;
}

int TsButton::VisualState() const {
    const bool pushed = pushedOverride_.value_or(isDown()) || gPaintPressedNow;
    // Dragged off with the left button held, a pushed button no longer looks pressed.
    const bool leftHeld = (QGuiApplication::mouseButtons() & Qt::LeftButton) != 0;
    if ((pushed && (SkinData.MouseOver || !leftHeld)) || down_ || menuDropped_)
        return bvPressed;
    if (SkinData.IsActive())
        return bvHot;
    if (IsActiveDefault())
        return bvActiveDefault;
    return bvNormal;
}

int TsButton::RenderState() const {
    const int visual = VisualState();
    const TsGeneralData* section = SkinData.Section();
    const int states = section ? section->States : 1;
    if (visual == bvActiveDefault && states < kStatesWithDefaultImage)
        return bvHot;
    return std::max(0, std::min(visual, states - 1));
}

bool TsButton::HasGlyph() const {
    return images_ && ImageIndexOf(TsGlyphRole::Normal) >= 0 && ImageIndexOf(TsGlyphRole::Normal) < images_->Count();
}

TsButtonLayoutInput TsButton::LayoutInput() const {
    TsButtonLayoutInput in;
    in.Width = width();
    in.Height = height();
    in.Style = style_;
    in.ContentMargin = contentMargin_;
    in.ImageMargins = imageMargins_;
    in.ImageAlignment = imageAlignment_;
    in.HasGlyph = HasGlyph();
    if (images_)
        in.ListSize = QSize(images_->Width(), images_->Height());
    in.Pressed = VisualState() == bvPressed;
    return in;
}

QSize TsButton::CaptionExtent() const {
    if (text().isEmpty())
        return {0, 0};
    const TsButtonLayoutInput in = LayoutInput();
    const TRect measure = CaptionMeasureRect(in);
    const TsTextFormat format = DT_EXPANDTABS | DT_CENTER | (wordWrap_ ? DT_WORDBREAK : DT_SINGLELINE);
    const QFont measured = style_ == bsCommandLink ? CommandLinkFont(font()) : font();
    return MeasureText(measured, text(), format, WidthOf(measure));
}

TRect TsButton::CaptionRect() const { return skin::CaptionRect(LayoutInput(), CaptionExtent()); }

TRect TsButton::FocusRect() const { return FocusFrameRect(CaptionRect(), focusMargin_, height()); }

bool TsButton::FocusFrameShown() const {
    const auto* manager = qobject_cast<const TsSkinManager*>(SkinData.Manager());
    return hasFocus() && isEnabled() && (manager == nullptr || manager->ButtonsOptions.ShowFocusRect) &&
           !text().isEmpty() && showFocus_ && Skinned();
}

TsButton::TsLookKey TsButton::CurrentLook() const {
    return {RenderState(), FocusFrameShown(), isEnabled(), text()};
}

int TsButton::GlyphIndex() const {
    int index;
    const int visual = VisualState();
    if (!isEnabled())
        index = ImageIndexOf(TsGlyphRole::Disabled);
    else if (visual == bvPressed)
        index = ImageIndexOf(TsGlyphRole::Pressed);
    else if (hasFocus())
        index = ImageIndexOf(TsGlyphRole::Selected);
    else if (visual == bvHot)
        index = ImageIndexOf(TsGlyphRole::Hot);
    else if (visual == bvActiveDefault)
        index = ImageIndexOf(TsGlyphRole::Selected);
    else
        index = ImageIndexOf(TsGlyphRole::Normal);
    return index >= 0 && images_ && index < images_->Count() ? index : ImageIndexOf(TsGlyphRole::Normal);
}

// ---------------------------------------------------------------- the cache

bool TsButton::PrepareCache() {
    if (!Skinned())
        return false;
    const TsParentBackdrop parent = ParentBackdrop(SkinData);
    if (parent.Info.Kind == TsBgKind::NotReady) {
        SkinData.UpdateLock = true;
        return false;
    }
    SkinData.EnsureCacheBitmap();
    Bitmap32& cache = *SkinData.CacheBitmap;
    if (cache.Empty())
        return false;
    const int state = RenderState();
    const TsSkinModel& model = *SkinData.Model();
    const TsMaskData* border = SkinData.BorderMask();
    const bool fading = fader_ && fader_->isActive();
    const bool maskShown = border && !(state == 0 && (border->FillFlags & kFillHiddenInNormal));
    if (border && border->CornerKind == 2 && regionStale_ && !AnimationInProgress() && !fading) {
        // The mask's corners are painted and their key pixels cut out of the window region.
        TsSectionPaint paint;
        paint.SectionIndex = SkinData.SectionIndex;
        paint.SectionName = SkinData.SkinSection();
        paint.TextureIndex = SkinData.TextureIndex;
        paint.HotTextureIndex = SkinData.HotTextureIndex;
        paint.State = std::min(state, SkinData.Section()->States - 1);
        paint.Backdrop = parent.Backdrop;
        PaintSectionBackground(model, cache, RectOf(cache), paint);
        QRegion region(0, 0, cache.Width(), cache.Height());
        if (maskShown) {
            std::vector<TRect> removed;
            PaintSkinMaskRegion(cache, removed, state, *border, MaskPicture(model, *border));
            for (const TRect& run : removed)
                region -= QtRect(run);
        }
        pendingRegion_ = region;
        if (SkinData.HUEOffset() != 0)
            ShiftHueOfBitmap(cache, SkinData.HUEOffset(), kKeyPixel);
        if (SkinData.Saturation() != 0)
            ShiftSaturationOfBitmap(cache, SkinData.Saturation(), kKeyPixel);
    } else {
        PaintSection(SkinData, parent.Backdrop, state, UseBackdrop::Yes, cache, {0, 0}, RectOf(cache));
    }
    PaintContent(cache);
    if (!isEnabled()) {
        int flags = 0;
        if (disabledKind_ & dkBlended)
            flags |= dlBlendWithParent;
        if (disabledKind_ & dkGrayed)
            flags |= dlDesaturate;
        PaintDisabledLook(cache, flags, this, {0, 0}, parent.Backdrop);
    }
    SkinData.BackgroundStale = false;
    cachedLook_ = CurrentLook();
    return true;
}

void TsButton::PaintContent(Bitmap32& cache) {
    const TsGeneralData& section = *SkinData.Section();
    const int visual = VisualState();
    if (HasGlyph()) {
        const TRect glyph = GlyphRect(LayoutInput());
        QImage view = ImageView(cache);
        QPainter painter(&view);
        images_->Draw(painter, glyph.Left, glyph.Top, GlyphIndex(), true);
    }
    const TRect caption = CaptionRect();
    TsTextFormat format;
    QFont captionFont = font();
    if (style_ == bsCommandLink) {
        format = DT_WORDBREAK | DT_EXPANDTABS;
        captionFont = CommandLinkFont(captionFont);
    } else {
        format = DT_CENTER | DT_VCENTER | DT_EXPANDTABS | (wordWrap_ ? DT_WORDBREAK : 0);
    }
    if (layoutDirection() == Qt::RightToLeft)
        format |= DT_RTLREADING;
    const int look = visual != bvNormal ? 1 : 0;
    TsCanvas canvas{cache, captionFont, section.Props[std::size_t(look)].FontColor[FontColorEntry::fcText]};
    // A skinned button writes its caption in the enabled look; the disabled look comes after.
    WriteSkinnedText(canvas, text(), true, look, SkinData, format, caption);
    if (style_ == bsCommandLink && !commandLinkHint_.isEmpty()) {
        TsCanvas hintCanvas{cache, font(), canvas.FontColor};
        WriteSkinnedText(hintCanvas, commandLinkHint_, true, look, SkinData, format,
                         {caption.Left, caption.Bottom + kCommandLinkHintGap, caption.Right,
                          height() - contentMargin_});
    }
    if (FocusFrameShown())
        PaintFocusFrame(cache, FocusRect());
    if (style_ == bsSplitButton) {
        const TColor colour = ResolveSkinColor(
            section.Props[std::size_t(RenderState() == 0 ? 0 : 1)].FontColor[FontColorEntry::fcText]);
        const int x = cache.Width() - kSplitLineFromRight;
        FillSolid(cache, {x, kSplitLineInset, x + 1, cache.Height() - kSplitLineInset}, colour);
        DrawArrowGlyph(cache, colour, {cache.Width() - kSplitPartWidth, 0, cache.Width(), cache.Height()},
                       int(ArrowDirection::Down));
    }
}

void TsButton::PaintFocusFrame(Bitmap32& cache, const TRect& frame) const {
    const TsGeneralData& section = *SkinData.Section();
    const TColor colour = section.States == 0 ? section.Props[TsLook::Normal].FontColor[FontColorEntry::fcText]
                                              : section.Props[TsLook::Hot].FontColor[FontColorEntry::fcText];
    const Pixel pixel = PixelOfColor(ResolveSkinColor(colour)) | 0xFF000000u;
    const auto dot = [&](int x, int y) {
        if (cache.Contains(x, y))
            cache.At(x, y) = pixel;
    };
    // Every second pixel, one pixel in from each corner.
    for (int x = frame.Left + 1; x < frame.Right; x += 2) {
        dot(x, frame.Top);
        dot(x, frame.Bottom - 1);
    }
    for (int y = frame.Top + 1; y < frame.Bottom; y += 2) {
        dot(frame.Left, y);
        dot(frame.Right - 1, y);
    }
}

// ---------------------------------------------------------------- painting

void TsButton::paintEvent(QPaintEvent* event) {
    if (!Skinned()) {
        framework::TButton::paintEvent(event);
        return;
    }
    if (ScreenPaintingHeld())
        return;
    QPainter painter(this);
    if (fader_ && fader_->isActive()) {
        // The fade shows its own frames; a paint between them shows the last one again.
        const Bitmap32& frame = fader_->ShownFrame().Empty() ? fader_->StartImage : fader_->ShownFrame();
        DrawOpaque(painter, {0, 0}, frame, RectOf(frame));
        return;
    }
    if (!SkinData.IsUpdating()) {
        QWidget* parent = parentWidget();
        if (!SkinData.HalfVisible && parent)
            SkinData.BackgroundStale =
                SkinData.BackgroundStale || framework::SendSkinCommand(parent, SKC_GET_HALF_VISIBLE) != 0;
        else
            SkinData.BackgroundStale = SkinData.BackgroundStale || SkinData.HalfVisible;
        SkinData.HalfVisible = parent && !parent->rect().contains(geometry());
        const Bitmap32& cache = *SkinData.CacheBitmap;
        if (SkinData.BackgroundStale || cachedLook_ != CurrentLook() || cache.Width() != width() ||
            cache.Height() != height())
            PrepareCache();
    }
    const Bitmap32& cache = *SkinData.CacheBitmap;
    DrawOpaque(painter, {0, 0}, cache, RectOf(cache));
    ApplyRegion();
}

void TsButton::ApplyRegion() {
    if (!pendingRegion_)
        return;
    const QRegion region = std::move(*pendingRegion_);
    pendingRegion_.reset();
    regionStale_ = false;
    if (mask() != region)
        setMask(region);
}

// ---------------------------------------------------------------- fades

void TsButton::StopFade() { StopButtonFade(fader_); }

void TsButton::Fade(bool fast, TsAnimatEvent animatEvent) {
    const auto* manager = qobject_cast<const TsSkinManager*>(SkinData.Manager());
    FadeButton(this, SkinData, fader_, fast, AnimationEventWanted(animatEvents_, animatEvent, manager));
}

void TsButton::MouseEntered() {
    if (!isEnabled() || SkinData.MouseOver || ControlAccess().IsBlocked(this))
        return;
    if (OnMouseEnter)
        OnMouseEnter(this);
    SkinData.MouseOver = true;
    if (!Skinned()) {
        update();
        return;
    }
    SkinData.BackgroundStale = false;
    Fade(false, aeMouseEnter);
}

void TsButton::MouseLeft() {
    if (!isEnabled())
        return;
    if (OnMouseLeave)
        OnMouseLeave(this);
    SkinData.MouseOver = false;
    if (!Skinned()) {
        update();
        return;
    }
    SkinData.BackgroundStale = false;
    Fade(false, aeMouseLeave);
}

bool TsButton::InSplitPart(const QPoint& point) const {
    return style_ == bsSplitButton && point.x() >= width() - kSplitPartWidth && rect().contains(point);
}

void TsButton::DropMenu() {
    menuDropped_ = true;
    Repaint();
    repaint();
    dropDownMenu_->exec(mapToGlobal(QPoint(0, height())));
    menuDropped_ = false;
    Repaint();
}

void TsButton::mousePressEvent(QMouseEvent* event) {
    if (!Skinned() || !isEnabled()) {
        framework::TButton::mousePressEvent(event);
        return;
    }
    SkinData.UpdateLock = false;
    const bool left = event->button() == Qt::LeftButton;
    if (left && dropDownMenu_ && InSplitPart(event->position().toPoint())) {
        DropMenu(); // the press goes no further: no click
        return;
    }
    pressStarted_ = true;
    if (left && !down_) {
        regionStale_ = true;
        SkinData.UpdateLock = SkinData.IsUpdating();
        SkinData.BackgroundStale = false;
        if (hitButton(event->position().toPoint())) {
            // The new look is the pressed one, which Qt reports only after its own handling.
            pushedOverride_ = true;
            Fade(true, aeMouseDown);
            pushedOverride_.reset();
        }
    }
    framework::TButton::mousePressEvent(event);
}

void TsButton::mouseReleaseEvent(QMouseEvent* event) {
    if (!Skinned() || !isEnabled() || !pressStarted_) {
        framework::TButton::mouseReleaseEvent(event);
        return;
    }
    pressStarted_ = false;
    if (event->button() == Qt::LeftButton) {
        if (fader_ && fader_->isActive() && fader_->Step <= fader_->StepCount) {
            // Released before the press fade ended: the pressed look is shown for a moment.
            fader_->stop();
            SkinData.BackgroundStale = true;
            gPaintPressedNow = true;
            repaint();
            gPaintPressedNow = false;
            QThread::msleep(kPressedLookMs);
        }
        SkinData.UpdateLock = false;
        regionStale_ = true;
        SkinData.BackgroundStale = false;
        pushedOverride_ = false;
        Fade(true, aeMouseUp);
        pushedOverride_.reset();
    }
    framework::TButton::mouseReleaseEvent(event);
}

void TsButton::keyReleaseEvent(QKeyEvent* event) {
    framework::TButton::keyReleaseEvent(event);
    if (event->key() == Qt::Key_Space && Skinned()) {
        regionStale_ = true;
        Repaint();
    }
}

// ---------------------------------------------------------------- commands and notifications

bool TsButton::HandleCommand(int command, int argument, std::intptr_t lParam, std::intptr_t& result) {
    const bool own = SkinData.FromOwnManager(lParam);
    switch (command) {
    case SKC_SKIN_LOADED:
        if (own) {
            regionStale_ = true;
            StopFade();
        }
        SkinData.HandleSkinCommand(command, argument, lParam, result);
        Repaint();
        return true;
    case SKC_SKIN_REMOVED:
        if (own) {
            StopFade();
            SkinData.HandleSkinCommand(command, argument, lParam, result);
            clearMask();
            regionStale_ = true;
            update();
            return true;
        }
        return false;
    case SKC_SKIN_REFRESH:
        if (own) {
            StopFade();
            clearMask();
            SkinData.HandleSkinCommand(command, argument, lParam, result);
            regionStale_ = true;
            if (SkinData.PrintDC == nullptr)
                Repaint();
            return true;
        }
        return false;
    case SKC_IS_SKINNED:
        result = 1;
        return true;
    case SKC_STOP_FADING:
        StopFade();
        return true;
    case SKC_CLEAR_BG_CHANGED:
        result = PrepareCache() ? 0 : 1;
        return true;
    case SKC_DRAW_FADE_FRAME:
        pendingRegion_.reset();
        return false; // the fade draws the frame
    case SKC_PARENT_UPDATED:
        if (SkinData.IsUpdating()) {
            if (!SkinData.RefreshUpdateLock(true))
                Repaint();
            return true;
        }
        return false;
    case SKC_SET_TRANSPARENT_LOCK:
        if (SkinData.FollowParent)
            PrepareCache();
        return false;
    default:
        return false;
    }
}

bool TsButton::event(QEvent* event) {
    if (framework::AnswerSkinCommand(event, this, &TsButton::HandleCommand))
        return true;
    switch (event->type()) {
    case QEvent::Enter:
        MouseEntered();
        break;
    case QEvent::Leave:
        MouseLeft();
        break;
    case QEvent::FocusIn:
        if (Skinned() && fader_ && fader_->isActive())
            fader_->Tick();
        break;
    case QEvent::FocusOut:
        StopFade();
        regionStale_ = true;
        SkinData.BackgroundStale = true;
        break;
    case QEvent::EnabledChange:
        if (!isEnabled())
            StopFade();
        SkinData.UpdateLock = false;
        SkinData.BackgroundStale = true;
        break;
    case QEvent::Show:
    case QEvent::FontChange:
        SkinData.UpdateLock = false;
        SkinData.BackgroundStale = true;
        break;
    case QEvent::Move:
    case QEvent::Resize:
        regionStale_ = true;
        SkinData.BackgroundStale = true;
        break;
    default:
        break;
    }
    const bool consumed = SkinData.HandleSkinMessage(event);
    if (event->type() == QEvent::FocusOut) {
        SkinData.Focused = false;
        SkinData.ShowGlow();
    }
    return consumed || framework::TButton::event(event);
}

} // namespace skin
