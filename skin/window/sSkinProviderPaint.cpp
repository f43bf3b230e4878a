// Painting the frame: the FrameBitmap's render (form section, extended-border picture, title,
// icon, caption, buttons), one caption button again, the copy of the frame and of the client
// background to the window, and the window region of a form without extended borders.
#include "skin/window/sSkinProvider.h"

#include <QApplication>
#include <QFontMetrics>
#include <QIcon>
#include <QPainter>
#include <QPaintEvent>
#include <QStyle>

#include <algorithm>

#include "framework/core/SkinCommand.h"
#include "framework/widgets/Application.h"
#include "framework/widgets/SystemMetrics.h"
#include "skin/data/sCommonIndexes.h"
#include "skin/data/sMaskGeometry.h"
#include "skin/data/sSkinCommands.h"
#include "skin/data/sSkinManager.h"
#include "skin/data/sSkinModelLookups.h"
#include "skin/pixels/ColorOps.h"
#include "skin/pixels/RectClip.h"
#include "skin/pixels/sBlit.h"
#include "skin/render/sFrameStrips.h"
#include "skin/render/sGlyphPaint.h"
#include "skin/render/sImageView.h"
#include "skin/render/sMaskPaint.h"
#include "skin/render/sParentBackground.h"
#include "skin/render/sRecordPaint.h"
#include "skin/render/sSectionPaint.h"
#include "skin/render/sSkinnedText.h"
#include "skin/window/sSkinProviderBorder.h"
#include "skin/window/sSkinProviderFade.h"
#include "skin/window/sSkinProviderSysMenu.h"

namespace skin {
namespace {

constexpr const char* kTitleSection = "FORMTITLE";
constexpr int kButtonsBackgroundSlack = 10;
constexpr int kCaptionGap = 4;
constexpr int kCaptionRightGap = 12;
constexpr int kCaptionSectionPad = 2;
constexpr int kAddedTitleGap = 4;
constexpr int kTitleBarImageCount = 2;
constexpr std::intptr_t kComputeWithChildren = 1;
constexpr int kCornerMarkSide = 8;
// The caption's format: DT_SINGLELINE, DT_VCENTER, DT_NOPREFIX, DT_END_ELLIPSIS.
constexpr TsTextFormat kCaptionFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;

TsBackdrop BitmapBackdrop(const Bitmap32* bitmap, TPoint offset = {}) {
    TsBackdrop backdrop;
    backdrop.Bitmap = bitmap;
    backdrop.HasBitmap = bitmap != nullptr;
    backdrop.OffsetX = offset.X;
    backdrop.OffsetY = offset.Y;
    return backdrop;
}

QRect QtRect(const TRect& r) { return QRect(r.Left, r.Top, WidthOf(r), HeightOf(r)); }

// A straight-alpha picture laid over opaque pixels the way the platform draws an icon into a
// 32-bit image: colour := (s * a + d * (255 - a) + 127) / 255; a pixel whose colour changed
// becomes opaque, one that did not keeps what it was.
void DrawIconPicture(Bitmap32& dst, const QImage& icon, TPoint at) {
    const QImage picture = icon.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < picture.height(); ++y) {
        if (at.Y + y < 0 || at.Y + y >= dst.Height())
            continue;
        const auto* source = reinterpret_cast<const Pixel*>(picture.constScanLine(y));
        std::span<Pixel> row = dst.Row(at.Y + y);
        for (int x = 0; x < picture.width(); ++x) {
            if (at.X + x < 0 || at.X + x >= dst.Width())
                continue;
            const Pixel s = source[x];
            const int a = int(s >> 24);
            Pixel& d = row[std::size_t(at.X + x)];
            auto channel = [&](int shift) {
                const int sc = int((s >> shift) & 0xFF), dc = int((d >> shift) & 0xFF);
                return Pixel((sc * a + dc * (255 - a) + 127) / 255) << shift;
            };
            const Pixel colour = channel(16) | channel(8) | channel(0);
            if (colour != (d & 0x00FFFFFFu))
                d = colour | 0xFF000000u;
        }
    }
}

// A picture without alpha of its own: fuchsia stays transparent, everything else opaque.
QImage KeyedGlyph(const QImage& glyph) {
    QImage keyed = glyph.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < keyed.height(); ++y) {
        auto* row = reinterpret_cast<Pixel*>(keyed.scanLine(y));
        for (int x = 0; x < keyed.width(); ++x)
            row[x] = (row[x] & 0x00FFFFFFu) == kKeyPixel ? 0u : row[x] | 0xFF000000u;
    }
    return keyed;
}

} // namespace

// BORDERMODE 1: the skin's extended-border picture is the whole look of the title and the edges.
// The program's default pictures are only a shadow, so a skin without its own picture keeps its
// title section and form border in either mode.
bool TsSkinProvider::PictureIsFrame() const {
    const TsSkinModel* model = Model();
    const TsCommonIndexes* indexes = record_.CommonIndexes();
    const TsSkinManager* manager = Manager();
    return borderForm_ && model && manager && model->SkinData.BorderMode != 0 && indexes &&
           IsValidImgIndex(*model, indexes->ExBorder) && !manager->ExtendedBorderActive().Empty();
}

int TsSkinProvider::StateIndex(int stateCount) const { return std::max(0, std::min(formActive_ ? 1 : 0, stateCount - 1)); }

bool TsSkinProvider::RenderFrame() {
    const TsSkinModel* model = Model();
    constexpr unsigned kHeld = pmTranslucentDrag | pmHideAnimation | pmMinimizeAnimation | pmRestoreAnimation;
    if (!form_ || form_->Loading() || (modes_ & kHeld) || model == nullptr || record_.Section() == nullptr)
        return true;
    if (!record_.CacheBitmap)
        record_.CacheBitmap = std::make_unique<Bitmap32>();
    Bitmap32& frame = *record_.CacheBitmap;
    const bool made = frame.Empty();
    if (!made && !record_.BackgroundStale)
        return true;

    // 1. Layout and size.
    LayoutTitle();
    const int width = FrameWidth();
    const int height = FrameHeight();
    if ((frame.Width() != width || frame.Height() != height) && !frame.SetSize(width, height))
        return false;
    if (made)
        for (QObject* child : form_->client()->children())
            framework::SendSkinCommand(child, SKC_GET_PARENT_BG_FLAGS, 0, kComputeWithChildren);
    const FrameWidths m = ExtMargins();
    const TRect inner{m.Left, m.Top, width - m.Right, height - m.Bottom};

    // 2. The form section inside the margins (a top-level form has nothing behind it).
    PaintSection(record_, TsBackdrop{}, formActive_ ? 1 : 0, UseBackdrop::No, frame, {inner.Left, inner.Top}, inner);

    // 3. The size grip.
    const bool sizeable = form_->BorderStyle() == framework::bsSizeable || form_->BorderStyle() == framework::bsSizeToolWin;
    if (gripMode_ == TsGripMode::gmRightBottom && sizeable && !form_->isMaximized()) {
        const TsCommonIndexes* indexes = record_.CommonIndexes();
        if (indexes && IsValidImgIndex(*model, indexes->GripImage)) {
            const TsMaskData& grip = model->ma[std::size_t(indexes->GripImage)];
            const int right = ClientOffsetX() + form_->ClientWidth();
            const int bottom = ClientOffsetY() + form_->ClientHeight();
            PaintSkinGlyph(frame, {right - CellWidth(grip), bottom - CellHeight(grip)}, 0, TsBackdrop{}, grip,
                           GlyphMode::Normal, MaskPicture(*model, grip));
        }
    }

    // 4. Title and edges.
    const Bitmap32* extended = nullptr;
    if (borderForm_) {
        const TsSkinManager* manager = Manager();
        const Bitmap32& picture = formActive_ ? manager->ExtendedBorderActive() : manager->ExtendedBorderInactive();
        if (!picture.Empty())
            extended = &picture;
    }
    const bool frameMode = PictureIsFrame();
    if (!frameMode)
        DrawTitle();
    if (borderForm_ && !frameMode)
        DrawCaptionText();
    if (extended != nullptr) {
        const TsCommonIndexes* indexes = record_.CommonIndexes();
        const TsMaskData* exBorder = indexes && IsValidImgIndex(*model, indexes->ExBorder)
                                         ? &model->ma[std::size_t(indexes->ExBorder)]
                                         : nullptr;
        const bool stretch = exBorder == nullptr || (exBorder->FillFlags & kFillStretch) != 0;
        const StripFill fill = stretch ? StripFill::Stretch : StripFill::Tile;
        const StripFills fills{fill, fill, fill, fill};
        const TRect whole{0, 0, width, height};
        const TRect source = RectOf(*extended);
        // The picture's own margins; the default shadow pictures have their middle pixel as the
        // only part that stretches.
        const int half = (extended->Width() - 1) / 2;
        const FrameWidths own = exBorder ? FrameWidths{exBorder->BorderLeft, exBorder->BorderTop,
                                                       exBorder->BorderRight, exBorder->BorderBottom}
                                         : FrameWidths{half, half, half, half};
        if (frameMode) {
            // The picture is the whole look of the title strip and the edges, shadow included.
            const int h2 = (height - TitleHeight()) / 2;
            const FrameWidths sourceMargins{own.Left, std::min(own.Top, h2 + TitleHeight()), own.Right,
                                            std::min(own.Bottom, h2)};
            const FrameWidths strips{m.Left + FrameBorder(), m.Top + TitleHeight(), m.Right + FrameBorder(),
                                     m.Bottom + FrameBorder() + 2};
            PaintFrameStrips(frame, *extended, whole, fills, strips, sourceMargins, source);
            DrawTitle();
            DrawCaptionText();
        } else {
            // Only the margins: the shadow around the skinned frame.
            const FrameWidths sourceMargins = own;
            PaintFrameStrips(frame, *extended, whole, fills, m, sourceMargins, source);
            // The frame's corners over the shadow again: the title section's corner images, or
            // the form border mask's corners (the top ones at most 8 x 8).
            const TsGeneralData* title = IsValidSkinIndex(*model, titleSectionIndex_)
                                             ? &model->gd[std::size_t(titleSectionIndex_)]
                                             : nullptr;
            const bool titleCorners = title && (title->ImgTopLeft >= 0 || title->ImgTopRight >= 0 ||
                                                title->ImgBottomLeft >= 0 || title->ImgBottomRight >= 0);
            if (titleCorners) {
                const int state = StateIndex(title->States);
                auto corner = [&](int index, bool right, bool bottom) {
                    if (!IsValidImgIndex(*model, index))
                        return;
                    const TsMaskData& mask = model->ma[std::size_t(index)];
                    const TPoint at{right ? inner.Right - CellWidth(mask) : inner.Left,
                                    bottom ? inner.Bottom - CellHeight(mask) : inner.Top};
                    PaintSkinGlyph(frame, at, state, BitmapBackdrop(&frame), mask, GlyphMode::Normal,
                                   MaskPicture(*model, mask));
                };
                corner(title->ImgTopLeft, false, false);
                corner(title->ImgTopRight, true, false);
                corner(title->ImgBottomLeft, false, true);
                corner(title->ImgBottomRight, true, true);
            } else if (const TsMaskData* border = record_.BorderMask()) {
                const int state = StateIndex(record_.Section()->States);
                const TRect cell = CellRect(*border, state);
                const BorderWidths b = MaskBorders(*border);
                const Bitmap32& picture = MaskPicture(*model, *border);
                const int top = std::min(b.Top, kCornerMarkSide);
                const int leftTop = std::min(b.Left, kCornerMarkSide);
                const int rightTop = std::min(b.Right, kCornerMarkSide);
                const int cellHeight = CellHeight(*border);
                CopyBlock(frame, inner.Left, inner.Top, picture, RectAt(cell.Left, cell.Top, leftTop, top));
                CopyBlock(frame, inner.Right - rightTop, inner.Top, picture,
                          RectAt(cell.Right - rightTop, cell.Top, rightTop, top));
                CopyBlock(frame, inner.Left, inner.Bottom - b.Bottom, picture,
                          RectAt(cell.Left, cell.Top + cellHeight - b.Bottom, b.Left, b.Bottom));
                CopyBlock(frame, inner.Right - b.Right, inner.Bottom - b.Bottom, picture,
                          RectAt(cell.Right - b.Right, cell.Top + cellHeight - b.Bottom, b.Right, b.Bottom));
            }
        }
    }
    if (!borderForm_)
        DrawCaptionText();

    // 5. What lies under the buttons, kept for repainting single buttons; then the buttons.
    if (TitleHeight() > 0 && drawNonClientArea_) {
        const int bgWidth = FrameBorder() + ButtonsWidth() + m.Right + kButtonsBackgroundSlack;
        const int bgHeight = TopBorder() + TitleHeight() + SysBorder() + m.Top;
        buttonsBackgroundAt_ = {width - bgWidth - 1, 0};
        buttonsBackground_.SetSize(std::max(0, bgWidth), std::max(0, bgHeight));
        CopyBlock(buttonsBackground_, 0, 0, frame, RectAt(buttonsBackgroundAt_.X, 0, bgWidth, bgHeight));
        DrawCaptionButtons();
    }
    record_.BackgroundStale = false;
    ++renderCount_;
    return true;
}

void TsSkinProvider::DrawTitle() {
    const TsSkinModel* model = Model();
    if (model == nullptr || TitleHeight() <= 0 || !drawNonClientArea_)
        return;
    if (titleSectionIndex_ < 0)
        titleSectionIndex_ = GetSkinIndex(*model, titleSkin_.empty() ? kTitleSection : titleSkin_);
    Bitmap32& frame = *record_.CacheBitmap;
    const FrameWidths m = ExtMargins();
    if (IsValidSkinIndex(*model, titleSectionIndex_) && !PictureIsFrame()) {
        const TsGeneralData& section = model->gd[std::size_t(titleSectionIndex_)];
        const framework::TApplication* app = framework::Application();
        const bool iconicChild = form_->isMinimized() && (app == nullptr || app->MainForm() != form_);
        const int bottom = iconicChild ? frame.Height() - m.Bottom : m.Top + TopBorder() + TitleHeight();
        const TRect band{m.Left, m.Top, frame.Width() - m.Right, bottom};
        // What the section paints over: the frame as it is now.
        Bitmap32 under(WidthOf(band, Clamp::Yes), HeightOf(band, Clamp::Yes));
        CopyBlock(under, 0, 0, frame, band);
        TsSectionPaint paint;
        paint.SectionIndex = titleSectionIndex_;
        paint.SectionName = section.ClassName;
        paint.State = StateIndex(section.States);
        paint.Backdrop = BitmapBackdrop(&under, {-band.Left, -band.Top});
        PaintSectionByIndex(*model, frame, band, paint);
    }
    PaintCaptionIcon();
    // A picture behind the buttons, when the form section has one.
    const int formIndex = record_.SectionIndex;
    const int titleBar = GetMaskIndex(*model, formIndex, record_.SkinSection(), "TITLEBAR");
    const bool anyButton = buttons_[0].Shown() || buttons_[1].Shown() || buttons_[2].Shown() || buttons_[3].Shown();
    if (IsValidImgIndex(*model, titleBar) && anyButton && form_->BorderIcons().testFlag(framework::biSystemMenu)) {
        const TsMaskData& mask = model->ma[std::size_t(titleBar)];
        const int left = frame.Width() - (kTitleBarImageCount * CellWidth(mask) + ButtonsWidth());
        PaintSkinMask(frame, {left, 0, frame.Width(), TopBorder() + TitleHeight()}, BitmapBackdrop(&frame),
                      UseBackdrop::No, StateIndex(record_.Section()->States), mask, MaskPicture(*model, mask));
    }
}

void TsSkinProvider::PaintCaptionIcon() {
    if (!IconShown() || RectIsEmpty(iconRect_))
        return;
    Bitmap32& frame = *record_.CacheBitmap;
    const QSize size(WidthOf(iconRect_), HeightOf(iconRect_));
    const TPoint at{iconRect_.Left, iconRect_.Top};
    if (!TitleIcon.Glyph.isNull()) {
        if (TitleIcon.Glyph.hasAlphaChannel())
            DrawIconPicture(frame, TitleIcon.Glyph, at);
        else
            DrawIconPicture(frame, KeyedGlyph(TitleIcon.Glyph).scaled(size), at);
        return;
    }
    // The form's icon, else the application's, else the system's default.
    QIcon icon = form_->windowIcon();
    if (icon.isNull())
        icon = QApplication::windowIcon();
    if (icon.isNull())
        icon = QApplication::style()->standardIcon(QStyle::SP_TitleBarMenuButton);
    QImage picture = icon.pixmap(size).toImage();
    if (picture.size() != size)
        picture = picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    DrawIconPicture(frame, picture, at);
}

void TsSkinProvider::DrawCaptionText() {
    const TsSkinModel* model = Model();
    if (model == nullptr || TitleHeight() <= 0 || !drawNonClientArea_)
        return;
    if (titleSectionIndex_ < 0)
        titleSectionIndex_ = GetSkinIndex(*model, titleSkin_.empty() ? kTitleSection : titleSkin_);
    Bitmap32& frame = *record_.CacheBitmap;
    const TsSkinData& d = model->SkinData;
    const FrameWidths m = ExtMargins();
    const bool captionSection = IsValidSkinIndex(*model, captionSectionIndex_);
    int left = FrameBorder() + (IconShown() ? IconWidth() : 0) + d.BILeft + m.Left +
               (captionSection ? kCaptionSectionPad : 0) + kCaptionGap;
    int right = frame.Width() - ButtonsWidth() - m.Right - kCaptionRightGap;
    const QFont font = framework::CaptionFont();
    const QString text = AddedTitle.ShowMainCaption ? form_->Caption() : QString();
    const QFontMetrics metrics(font);
    const int textWidth = text.isEmpty() ? 0 : metrics.horizontalAdvance(text);
    const int textHeight = metrics.height();
    const int addedWidth = AddedTitle.Text.isEmpty() ? 0 : QFontMetrics(AddedTitle.Font).horizontalAdvance(AddedTitle.Text);
    const int top = captionVCenter_ - textHeight / 2;
    const int bottom = top + textHeight;
    framework::TAlignment alignment = captionAlignment_;
    const bool rightToLeft = form_->layoutDirection() == Qt::RightToLeft;
    if (rightToLeft && alignment != framework::taCenter)
        alignment = alignment == framework::taLeftJustify ? framework::taRightJustify : framework::taLeftJustify;
    const int needed = textWidth + addedWidth + kCaptionGap;
    if (alignment == framework::taRightJustify && needed < right - left) {
        left = right - needed;
    } else if (alignment == framework::taCenter) {
        left = std::max(left, left + (right - left - needed) / 2);
        right = std::min(left + textWidth, right);
    }
    const TsTextFormat format = kCaptionFormat | (rightToLeft ? DT_RTLREADING : 0);
    const TRect rect{left, top, right, bottom};
    captionTextRect_ = rect;
    const int textSection = captionSection ? captionSectionIndex_ : titleSectionIndex_;
    const TsGeneralData* section = IsValidSkinIndex(*model, textSection) ? &model->gd[std::size_t(textSection)] : nullptr;
    const int state = section ? StateIndex(section->States) : 0;
    if (captionSection && section != nullptr) {
        const TRect band{rect.Left - 4, rect.Top - 2, std::min(rect.Left + textWidth, rect.Right) + 4, rect.Bottom + 2};
        const TRect clipped = IntersectRects(band, RectOf(frame));
        if (!RectIsEmpty(clipped)) {
            const Bitmap32 under = frame;
            TsSectionPaint paint;
            paint.SectionIndex = textSection;
            paint.SectionName = section->ClassName;
            paint.State = state;
            paint.Backdrop = BitmapBackdrop(&under);
            PaintSectionByIndex(*model, frame, clipped, paint);
        }
    }
    const bool enabled = form_->isEnabled();
    TsCanvas canvas{frame, font, section ? section->Props[std::size_t(std::min(state, 1))].FontColor[FontColorEntry::fcText]
                                         : TColor(0)};
    if (section != nullptr && section->Props[std::size_t(std::min(state, 1))].GlowSize > 0 && !text.isEmpty()) {
        const TsGenState& look = section->Props[std::size_t(std::min(state, 1))];
        PaintTextGlow(frame, text, font, format, rect, look.GlowColor, look.GlowSize);
    }
    if (!text.isEmpty()) {
        if (borderForm_)
            WriteAlphaText(canvas, text, enabled, *model, state > 0, textSection, format, rect);
        else
            WriteSectionText(canvas, text, enabled, *model, state, textSection, format, rect);
    }
    // The added title after the caption.
    if (addedWidth > kAddedTitleGap) {
        const int addedLeft = left + std::min(textWidth, WidthOf(rect)) + kAddedTitleGap;
        const TRect addedRect{addedLeft, top, addedLeft + addedWidth + kAddedTitleGap, bottom};
        TColor colour = AddedTitle.FontColor;
        const TColor titleColour = section ? section->Props[std::size_t(std::min(state, 1))].FontColor[FontColorEntry::fcText]
                                           : TColor(0);
        if (colour == clNone || colour == framework::clWindowText)
            colour = titleColour;
        else if (!formActive_ && section != nullptr)
            colour = LerpColor(ResolveSkinColor(colour), section->Props[0].FontColor[FontColorEntry::fcText], 0.5);
        TsCanvas added{frame, AddedTitle.Font, ResolveSkinColor(colour)};
        DrawPlainText(added, AddedTitle.Text, kCaptionFormat, addedRect);
        if (borderForm_)
            for (int y = std::max(0, addedRect.Top); y < std::min(frame.Height(), addedRect.Bottom); ++y)
                for (int x = std::max(0, addedRect.Left); x < std::min(frame.Width(), addedRect.Right); ++x)
                    frame.At(x, y) |= 0xFF000000u;
    }
}

bool TsSkinProvider::ButtonEnabled(const TsCaptionButton& button) const {
    switch (button.HitCode) {
    case HTCLOSE: return systemMenu_->EnabledClose();
    case HTMAXBUTTON: return systemMenu_->EnabledMax();
    case HTMINBUTTON: return systemMenu_->EnabledMin();
    case HTHELP: return true;
    default: break;
    }
    const int index = button.HitCode - kUserButtonHitBase;
    return index >= 0 && index < int(TitleButtons.size()) && TitleButtons[std::size_t(index)].Enabled;
}

// One caption button's image in a state at a point of target: half opacity for the normal look
// of an inactive form or a disabled button.
void TsSkinProvider::DrawOneButton(Bitmap32& target, const TsCaptionButton& button, int state, bool enabled,
                                   TPoint at) const {
    const TsSkinModel* model = Model();
    if (model == nullptr || !IsValidImgIndex(*model, button.ImageIndex))
        return;
    const TsMaskData& mask = model->ma[std::size_t(button.ImageIndex)];
    const bool faint = state == 0 && (!formActive_ || !enabled);
    PaintSkinGlyph(target, at, state, TsBackdrop{}, mask, faint ? GlyphMode::Faint : GlyphMode::Normal,
                   MaskPicture(*model, mask));
}

void TsSkinProvider::DrawCaptionButtons() {
    if (!HasFrame())
        return;
    Bitmap32& frame = *record_.CacheBitmap;
    CopyBlock(frame, buttonsBackgroundAt_.X, buttonsBackgroundAt_.Y, buttonsBackground_, RectOf(buttonsBackground_));
    auto draw = [&](const TsCaptionButton& button, bool enabled) {
        if (!button.Shown())
            return;
        const int state = button.Animation ? 0 : button.State;
        DrawOneButton(frame, button, state, enabled, {button.Rect.Left, button.Rect.Top});
    };
    if (form_->BorderIcons().testFlag(framework::biSystemMenu) && !systemMenu_->WindowMenu().empty())
        for (const TsCaptionButton& button : buttons_)
            draw(button, ButtonEnabled(button));
    for (std::size_t i = 0; i < userButtons_.size() && i < TitleButtons.size(); ++i) {
        const TsCaptionButton& button = userButtons_[i];
        if (!button.Shown())
            continue;
        draw(button, TitleButtons[i].Enabled);
        const QImage& glyph = TitleButtons[i].Glyph;
        if (!glyph.isNull()) {
            const TPoint at{button.Rect.Left + (WidthOf(button.Rect) - glyph.width()) / 2,
                            button.Rect.Top + (HeightOf(button.Rect) - glyph.height()) / 2};
            DrawIconPicture(frame, glyph.hasAlphaChannel() ? glyph : KeyedGlyph(glyph), at);
        }
    }
}

void TsSkinProvider::RedrawCaptionButton(int hitCode) {
    TsCaptionButton* button = CaptionButton(hitCode);
    if (button == nullptr || !form_ || !frameTaken_)
        return;
    const TsSkinManager* manager = Manager();
    constexpr unsigned kStill = pmTranslucentDrag | pmMinimizeAnimation | pmHideAnimation;
    const bool animated = (borderForm_ || (manager && manager->Effects.AllowGlowing)) && !(modes_ & kStill) &&
                          form_->isWindow();
    if (animated) {
        if (!button->Animation)
            button->Animation = std::make_unique<TvlSBAnimation>(*this, *button);
        button->Animation->Aim(button->State);
        return;
    }
    // Without a fade: the button's area from what lay under the buttons, the image in its state,
    // and that rect to the screen.
    if (button->Rect.Left < iconRect_.Right || !record_.CacheBitmap || record_.CacheBitmap->Empty())
        return;
    Bitmap32& frame = *record_.CacheBitmap;
    const TRect area = button->Rect;
    CopyBlock(frame, area.Left, area.Top, buttonsBackground_,
              RectAt(area.Left - buttonsBackgroundAt_.X, area.Top - buttonsBackgroundAt_.Y, WidthOf(area), HeightOf(area)));
    const int index = hitCode - kUserButtonHitBase;
    const bool user = index >= 0 && index < int(TitleButtons.size());
    if (!user || TitleButtons[std::size_t(index)].UseSkinData)
        DrawOneButton(frame, *button, button->State, ButtonEnabled(*button), {area.Left, area.Top});
    if (user && !TitleButtons[std::size_t(index)].Glyph.isNull()) {
        const QImage& glyph = TitleButtons[std::size_t(index)].Glyph;
        const int shift = button->State == 2 ? 1 : 0;
        DrawIconPicture(frame, glyph.hasAlphaChannel() ? glyph : KeyedGlyph(glyph),
                        {area.Left + (WidthOf(area) - glyph.width()) / 2 + shift,
                         area.Top + (HeightOf(area) - glyph.height()) / 2 + shift});
    }
    form_->update(QtRect(area));
}

// ---------------------------------------------------------------- to the screen

// The frame around the client widget (the client paints its own part).
void TsSkinProvider::PaintNonClient(QEvent* event) {
    RenderFrame();
    const Bitmap32* frame = FrameBitmap();
    if (frame == nullptr || frame->Empty())
        return;
    QPainter painter(form_);
    const QRegion area = static_cast<QPaintEvent*>(event)->region() - form_->client()->geometry();
    painter.setClipRegion(area);
    if (borderForm_) {
        // Per-pixel alpha: the margin's shadow shows what lies beneath the window.
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        const QImage view(reinterpret_cast<const uchar*>(frame->Data()), frame->Width(), frame->Height(),
                          int(frame->BytesPerLine()), QImage::Format_ARGB32_Premultiplied);
        painter.drawImage(0, 0, view);
    } else {
        DrawOpaque(painter, {0, 0}, *frame, RectOf(*frame));
    }
}

// The client background from the FrameBitmap, then the windowless controls on it.
void TsSkinProvider::PaintClient(QEvent* event) {
    RenderFrame();
    const Bitmap32* frame = FrameBitmap();
    QWidget* client = form_->client();
    const QRegion region = static_cast<QPaintEvent*>(event)->region();
    QPainter painter(client);
    if (frame != nullptr && !frame->Empty()) {
        painter.setClipRegion(region);
        DrawOpaque(painter, {0, 0}, *frame,
                   RectAt(ClientOffsetX(), ClientOffsetY(), client->width(), client->height()));
    }
    PaintWindowlessChildren(painter, region, client, TsVisibility::Required, {0, 0});
}

// ---------------------------------------------------------------- the window region

void TsSkinProvider::ComputeRegionRects() {
    regionRects_.clear();
    const TsSkinModel* model = Model();
    if (model == nullptr || borderForm_)
        return;
    const int width = FrameWidth();
    if (const TsMaskData* border = record_.BorderMask()) {
        const Bitmap32& picture = MaskPicture(*model, *border);
        CornerKeyRuns(regionRects_, width, *border, CornerRows::Top, 0, picture);
        CornerKeyRuns(regionRects_, width, *border, CornerRows::Bottom, FormHeight() - CellHeight(*border), picture);
    }
    if (titleSectionIndex_ < 0)
        titleSectionIndex_ = GetSkinIndex(*model, titleSkin_.empty() ? kTitleSection : titleSkin_);
    if (IsValidSkinIndex(*model, titleSectionIndex_)) {
        const TsGeneralData& title = model->gd[std::size_t(titleSectionIndex_)];
        if (IsValidImgIndex(*model, title.BorderIndex)) {
            const TsMaskData& mask = model->ma[std::size_t(title.BorderIndex)];
            CornerKeyRuns(regionRects_, width, mask, CornerRows::Top, 0, MaskPicture(*model, mask));
        }
    }
}

void TsSkinProvider::BuildWindowRegion(bool redraw) {
    if (!drawNonClientArea_ || !form_ || !frameTaken_)
        return;
    const bool sizeable = form_->BorderStyle() == framework::bsSizeable || form_->BorderStyle() == framework::bsSizeToolWin;
    if (!HasFrame() && !form_->isMinimized() && !sizeable)
        return;
    if (regionStale_) {
        ComputeRegionRects();
        regionStale_ = false;
    }
    QRegion region;
    if (borderForm_) {
        // Frame and client are one window here: nothing of it is cut away; the margins only
        // let clicks through (the border form's input region).
        region = QRegion();
    } else if (form_->isMaximized()) {
        const int sys = SysBorder();
        region = QRegion(sys, TopBorder(), form_->width() - 2 * sys, form_->height() - 2 * TopBorder());
    } else {
        region = QRegion(0, 0, FrameWidth(), FormHeight());
        for (const TRect& hole : regionRects_)
            region -= QRegion(QtRect(hole));
    }
    windowRegion_ = region;
    if (!region.isEmpty())
        form_->setMask(region);
    else if (!form_->mask().isEmpty())
        form_->clearMask();
    if (redraw)
        form_->update();
}

} // namespace skin
