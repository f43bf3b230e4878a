// The frame's metrics and the layout of the title: the form's own system frame (what the window
// would have without a skin), the frame sizes with and without an extended border, the icon,
// the caption's centre line and the caption buttons placed from the right.
//
//   with an extended border (the main window):     0   14 22                    477 485  499
//      +--------------------------------------+     margin |icon| caption ...  |Close|
//      |  margin (shadow), ExtMargins         |     title strip TITLEHEIGHT (31) from y 14
//      |  +-- frame, BORDERWIDTH --------+    |     client at (22, 45), 455 x 296
//      |  |  title strip                 |    |
//      |  |  +-- client --------------+  |    |
#include "skin/window/sSkinProvider.h"

#include <algorithm>

#include "framework/widgets/Application.h"
#include "framework/widgets/SystemMetrics.h"
#include "skin/data/sCommonIndexes.h"
#include "skin/data/sMaskGeometry.h"
#include "skin/data/sSkinManager.h"
#include "skin/data/sSkinModelLookups.h"
#include "skin/window/sSkinProviderBorder.h"
#include "skin/window/sSkinProviderFade.h"
#include "skin/window/sSkinProviderSysMenu.h"

namespace skin {
namespace {

using framework::GetSystemMetrics;

constexpr int kButtonWithoutImage = 21;
constexpr int kIconicWidth = 160;
constexpr int kHelpGap = 6;
constexpr int kUserButtonsGap = 6;
constexpr int kMaximizedCentreShift = 2;
constexpr int kMaximizedButtonsTop = 4;
// The icon's side for a title height: up to 8 -> 1, 9 to 16 -> 8, taller -> 16.
int IconSideFor(int titleHeight) { return titleHeight <= 8 ? 1 : titleHeight <= 16 ? 8 : 16; }

constexpr std::size_t kMin = 0, kMax = 1, kClose = 2, kHelp = 3;

} // namespace

// ---------------------------------------------------------------- the form's own frame

bool TsSkinProvider::HasFrame() const { return form_ && form_->BorderStyle() != framework::bsNone; }

bool TsSkinProvider::HasTitle() const { return form_ && (HasFrame() || form_->isMinimized()); }

bool TsSkinProvider::BigForm() const {
    return form_ && (form_->BorderStyle() == framework::bsSingle || form_->BorderStyle() == framework::bsSizeable);
}

int TsSkinProvider::SysBorder() const {
    if (!form_)
        return 0;
    switch (form_->BorderStyle()) {
    case framework::bsSizeable:
    case framework::bsSizeToolWin: return GetSystemMetrics(framework::SM_CXFRAME);
    case framework::bsNone: return 0;
    default: return GetSystemMetrics(framework::SM_CXDLGFRAME);
    }
}

int TsSkinProvider::SysTitleHeight() const {
    if (!HasTitle())
        return 0;
    const framework::TFormBorderStyle style = form_->BorderStyle();
    const bool tool = style == framework::bsToolWindow || style == framework::bsSizeToolWin;
    return tool && !form_->isMinimized() ? GetSystemMetrics(framework::SM_CYSMCAPTION)
                                         : GetSystemMetrics(framework::SM_CYCAPTION);
}

int TsSkinProvider::FormWidth() const { return form_ ? form_->ClientWidth() + 2 * SysBorder() : 0; }

int TsSkinProvider::FormHeight() const {
    return form_ ? form_->ClientHeight() + SysTitleHeight() + 2 * SysBorder() : 0;
}

// ---------------------------------------------------------------- the skinned frame

int TsSkinProvider::FrameBorder() const {
    const TsSkinModel* model = Model();
    return borderForm_ && model ? model->SkinData.BorderWidth : SysBorder();
}

int TsSkinProvider::TopBorder() const { return borderForm_ ? 0 : SysBorder(); }

int TsSkinProvider::TitleHeight() const {
    if (!HasTitle())
        return 0;
    const TsSkinModel* model = Model();
    return borderForm_ && model ? model->SkinData.TitleHeight : SysTitleHeight();
}

FrameWidths TsSkinProvider::ExtMargins() const {
    const TsSkinManager* manager = Manager();
    if (!borderForm_ || manager == nullptr)
        return {};
    const std::array<int, 4>& m = manager->ExtendedMargins();
    return {m[0], m[1], m[2], m[3]};
}

int TsSkinProvider::FrameWidth() const {
    const FrameWidths m = ExtMargins();
    const framework::TApplication* app = framework::Application();
    if (form_ && form_->isMinimized() && (app == nullptr || app->MainForm() != form_))
        return kIconicWidth + m.Left + m.Right;
    const int frameGrowth = borderForm_ ? 2 * (FrameBorder() - SysBorder()) : 0;
    return FormWidth() + frameGrowth + m.Left + m.Right;
}

int TsSkinProvider::FrameHeight() const {
    const FrameWidths m = ExtMargins();
    const framework::TApplication* app = framework::Application();
    int height = FormHeight();
    if (form_ && form_->isMinimized() && (app == nullptr || app->MainForm() != form_))
        height = TopBorder() + TitleHeight() + 2;
    if (borderForm_)
        height += (FrameBorder() - SysBorder()) + (TitleHeight() - SysTitleHeight() - SysBorder()) + m.Top + m.Bottom;
    return height;
}

int TsSkinProvider::ClientOffsetX() const {
    if (borderForm_)
        return FrameBorder() + ExtMargins().Left;
    return form_ ? (FormWidth() - form_->ClientWidth()) / 2 : 0;
}

int TsSkinProvider::ClientOffsetY() const {
    if (borderForm_)
        return TitleHeight() + ExtMargins().Top;
    const int bordered = HasFrame() ? FrameBorder() : 0;
    return form_ ? FormHeight() - form_->ClientHeight() - bordered : 0;
}

QPoint TsSkinProvider::FormWindowOrigin() const {
    return borderForm_ ? QPoint(borderForm_->OffsetX(), borderForm_->OffsetY()) : QPoint();
}

// ---------------------------------------------------------------- buttons

TsCaptionButton* TsSkinProvider::CaptionButton(int hitCode) {
    return const_cast<TsCaptionButton*>(std::as_const(*this).CaptionButton(hitCode));
}

const TsCaptionButton* TsSkinProvider::CaptionButton(int hitCode) const {
    switch (hitCode) {
    case HTMINBUTTON: return &buttons_[kMin];
    case HTMAXBUTTON: return &buttons_[kMax];
    case HTCLOSE: return &buttons_[kClose];
    case HTHELP: return &buttons_[kHelp];
    default: break;
    }
    const int index = hitCode - kUserButtonHitBase;
    if (index >= 0 && index < int(userButtons_.size()))
        return &userButtons_[std::size_t(index)];
    return nullptr;
}

void TsSkinProvider::ChooseButtonImages() {
    const TsCommonIndexes* indexes = record_.CommonIndexes();
    TsCaptionButton& min = buttons_[kMin];
    TsCaptionButton& max = buttons_[kMax];
    TsCaptionButton& close = buttons_[kClose];
    TsCaptionButton& help = buttons_[kHelp];
    if (indexes == nullptr || !form_) {
        for (TsCaptionButton& button : buttons_)
            button.ImageIndex = -1;
        userButtonsImage_ = -1;
        return;
    }
    auto image = [&](TitleButtonIndex which) { return indexes->TitleButtons[which]; };
    if (BigForm()) {
        min.ImageIndex = image(TitleButtonIndex::tbBigMin);
        max.ImageIndex = image(TitleButtonIndex::tbBigMax);
        help.ImageIndex = image(TitleButtonIndex::tbBigHelp);
        const bool alone = !form_->BorderIcons().testFlag(framework::biSystemMenu) ||
                           (!systemMenu_->VisibleMax() && !systemMenu_->VisibleMin());
        const int closeAlone = image(TitleButtonIndex::tbBigCloseAlone);
        close.ImageIndex = alone && closeAlone >= 0 ? closeAlone : image(TitleButtonIndex::tbBigClose);
        min.BigImage = max.BigImage = close.BigImage = true;
    } else {
        close.ImageIndex = image(TitleButtonIndex::tbSmallClose);
        min.ImageIndex = image(TitleButtonIndex::tbSmallMin);
        max.ImageIndex = image(TitleButtonIndex::tbSmallMax);
        const int smallHelp = image(TitleButtonIndex::tbSmallHelp);
        help.ImageIndex = smallHelp >= 0 ? smallHelp : image(TitleButtonIndex::tbBigHelp);
        min.BigImage = max.BigImage = close.BigImage = false;
    }
    help.BigImage = false;
    if (close.ImageIndex < 0) {
        min.ImageIndex = image(TitleButtonIndex::tbBigMin);
        max.ImageIndex = image(TitleButtonIndex::tbBigMax);
        close.ImageIndex = image(TitleButtonIndex::tbBigClose);
        help.ImageIndex = image(TitleButtonIndex::tbBigHelp);
        for (TsCaptionButton& button : buttons_)
            button.BigImage = true;
    }
    const TsSkinModel* model = Model();
    userButtonsImage_ = model ? GetMaskIndex(*model, GetSkinIndex(*model, "GLOBALINFO"), "GLOBALINFO", "TITLEBUTTON") : -1;
}

bool TsSkinProvider::IconShown() const {
    return TitleIcon.Visible && BigForm() && showAppIcon_ && form_->BorderIcons().testFlag(framework::biSystemMenu);
}

int TsSkinProvider::IconWidth() const { return TitleIcon.Width != 0 ? TitleIcon.Width : IconSideFor(TitleHeight()); }

int TsSkinProvider::IconHeight() const {
    return TitleIcon.Height != 0 ? TitleIcon.Height : IconSideFor(TitleHeight());
}

void TsSkinProvider::LayoutTitle() {
    const TsSkinModel* model = Model();
    if (model == nullptr || !form_)
        return;
    const TsSkinData& d = model->SkinData;
    const FrameWidths m = ExtMargins();
    const bool maximized = form_->isMaximized();
    const int title = TitleHeight();

    // 1. The centre line of the caption and the buttons: with an extended border the lower M rows
    //    of the title strip (M = MAXHEIGHT, or TITLEHEIGHT without it).
    if (borderForm_) {
        const int lower = d.MaxHeight != 0 ? d.MaxHeight : d.TitleHeight;
        const bool offset = !maximized || d.TitleHeight == d.MaxHeight;
        captionVCenter_ = m.Top + title - (lower - lower / 2) + (offset ? d.CenterOffset : 0);
    } else {
        captionVCenter_ = title / 2 + SysBorder() / 2;
    }
    if (maximized)
        captionVCenter_ += kMaximizedCentreShift;
    // 2, 3.
    captionBottom_ = borderForm_ ? title + m.Top : TopBorder() + title;
    int buttonsTop = 0;
    if (borderForm_) {
        if (!maximized)
            buttonsTop = m.Top + d.BITop;
        else if (d.TitleHeight != d.MaxHeight)
            buttonsTop = m.Top + kMaximizedButtonsTop + std::max(0, d.TitleHeight - d.MaxHeight);
        else
            buttonsTop = m.Top + kMaximizedButtonsTop;
    } else if (maximized) {
        buttonsTop = framework::GetSystemMetrics(framework::SM_CXFRAME) - 1;
    }

    // 4. The icon.
    const int iconLeft = FrameBorder() + d.BILeft + m.Left;
    if (IconShown()) {
        const int top = captionVCenter_ - IconHeight() / 2;
        iconRect_ = {iconLeft, top, iconLeft + IconWidth(), top + IconHeight()};
    } else {
        iconRect_ = {iconLeft, captionVCenter_, iconLeft, captionVCenter_};
    }

    // 5, 6. Buttons from the right.
    auto cellSize = [&](int imageIndex, bool width) {
        if (!IsValidImgIndex(*model, imageIndex))
            return kButtonWithoutImage;
        const TsMaskData& mask = model->ma[std::size_t(imageIndex)];
        return width ? CellWidth(mask) : CellHeight(mask);
    };
    const int height = cellSize(buttons_[kClose].ImageIndex, false);
    const int space = d.BISpace * (BigForm() ? 1 : 0);
    int x = FrameWidth() - d.BIRight - m.Right - FrameBorder();
    auto place = [&](TsCaptionButton& button, int width) {
        const int top = button.BigImage && d.BIVAlign == 1 ? buttonsTop : captionVCenter_ - height / 2;
        button.Rect = {x - width, top, x, top + height};
        x = button.Rect.Left - space;
    };
    for (TsCaptionButton& button : buttons_)
        button.Rect = {x, captionVCenter_, x, captionVCenter_};
    const TsCommonIndexes* indexes = record_.CommonIndexes();
    auto image = [&](TitleButtonIndex which) { return indexes ? indexes->TitleButtons[which] : -1; };
    const bool systemMenu = form_->BorderIcons().testFlag(framework::biSystemMenu) && !systemMenu_->WindowMenu().empty();
    if (systemMenu) {
        place(buttons_[kClose], cellSize(buttons_[kClose].ImageIndex, true));
        TsCaptionButton& max = buttons_[kMax];
        if (systemMenu_->VisibleMax()) {
            const bool big = max.BigImage;
            max.ImageIndex = maximized ? image(big ? TitleButtonIndex::tbBigNorm : TitleButtonIndex::tbSmallNorm)
                                       : image(big ? TitleButtonIndex::tbBigMax : TitleButtonIndex::tbSmallMax);
            place(max, cellSize(max.ImageIndex, true));
        }
        TsCaptionButton& min = buttons_[kMin];
        if (systemMenu_->VisibleMin()) {
            const bool big = min.BigImage;
            const framework::TApplication* app = framework::Application();
            const bool restore = form_->isMinimized() && (app == nullptr || app->MainForm() != form_);
            min.ImageIndex = restore ? image(big ? TitleButtonIndex::tbBigNorm : TitleButtonIndex::tbSmallNorm)
                                     : image(big ? TitleButtonIndex::tbBigMin : TitleButtonIndex::tbSmallMin);
            place(min, cellSize(min.ImageIndex, true));
        }
        if (form_->BorderIcons().testFlag(framework::biHelp)) {
            x -= kHelpGap;
            place(buttons_[kHelp], cellSize(buttons_[kHelp].ImageIndex, true));
        }
    }
    // User buttons keep their records (and running fades) while their number stays.
    userButtons_.resize(TitleButtons.size());
    bool gapTaken = false;
    for (std::size_t i = 0; i < TitleButtons.size(); ++i) {
        TsCaptionButton& button = userButtons_[i];
        button.HitCode = kUserButtonHitBase + int(i);
        button.BigImage = false;
        button.Rect = {x, captionVCenter_, x, captionVCenter_};
        const TsTitleButton& user = TitleButtons[i];
        if (!user.Visible)
            continue;
        if (!gapTaken) {
            x -= kUserButtonsGap;
            gapTaken = true;
        }
        button.ImageIndex = user.UseSkinData && IsValidImgIndex(*model, userButtonsImage_) ? userButtonsImage_ : -1;
        const int imageWidth = IsValidImgIndex(*model, userButtonsImage_) ? cellSize(userButtonsImage_, true)
                                                                           : kButtonWithoutImage;
        place(button, std::max(user.Glyph.width() + 2, imageWidth));
    }
}

int TsSkinProvider::ButtonsWidth() const {
    const TsSkinModel* model = Model();
    if (model == nullptr || !form_)
        return 0;
    const TsSkinData& d = model->SkinData;
    const int space = d.BISpace * (BigForm() ? 1 : 0);
    int width = d.BIRight;
    if (form_->BorderIcons().testFlag(framework::biSystemMenu) && !systemMenu_->WindowMenu().empty()) {
        width += WidthOf(buttons_[kClose].Rect);
        for (std::size_t i : {kMax, kMin, kHelp})
            if (buttons_[i].Shown())
                width += WidthOf(buttons_[i].Rect) + space;
    }
    bool anyUser = false;
    for (const TsCaptionButton& button : userButtons_)
        if (button.Shown()) {
            width += WidthOf(button.Rect) + space;
            anyUser = true;
        }
    if (anyUser)
        width += kUserButtonsGap;
    return width;
}

} // namespace skin
