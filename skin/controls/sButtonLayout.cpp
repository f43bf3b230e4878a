// Button content geometry.
#include "skin/controls/sButtonLayout.h"

#include <algorithm>

#include "skin/pixels/RectClip.h"

namespace skin {
namespace {

constexpr int kDefaultLinkGlyph = 32;
constexpr int kLinkCaptionGap = 6;
constexpr int kFocusEdgeGap = 3;

int CaptionAreaWidth(const TsButtonLayoutInput& in) {
    return in.Style == bsSplitButton ? in.Width - kSplitPartWidth : in.Width;
}

TRect Moved(TRect rect, bool pressed) {
    if (pressed) {
        ++rect.Left;
        ++rect.Right;
        ++rect.Top;
        ++rect.Bottom;
    }
    return rect;
}

} // namespace

QSize CommandLinkImageSize(const TsButtonLayoutInput& in) {
    const QSize image = in.HasGlyph ? in.ListSize : QSize(kDefaultLinkGlyph, kDefaultLinkGlyph);
    return {image.width() + in.ImageMargins.Left + in.ImageMargins.Right,
            image.height() + in.ImageMargins.Top + in.ImageMargins.Bottom};
}

TRect CaptionMeasureRect(const TsButtonLayoutInput& in) {
    if (in.Style == bsPushButton)
        return {in.ContentMargin, 0, in.Width - in.ContentMargin, 0};
    return {in.ContentMargin, 0,
            in.Width - CommandLinkImageSize(in).width() - 3 * in.ContentMargin - kLinkCaptionGap, 0};
}

TRect CaptionRect(const TsButtonLayoutInput& in, QSize text) {
    const int w = CaptionAreaWidth(in);
    const int h = in.Height;
    const int tw = text.width();
    const int th = text.height();
    const int m = in.ContentMargin;
    const TsImageMargins& im = in.ImageMargins;
    const int centredTop = (h - th) / 2;
    TRect r;
    if (in.Style == bsCommandLink) {
        r = {CommandLinkImageSize(in).width() + m + kLinkCaptionGap, m, w - m, m + th};
    } else if (!in.HasGlyph || in.ImageAlignment == iaCenter) {
        r.Left = (w - tw) / 2 - 1;
        r = {r.Left, centredTop, r.Left + tw + 2, h - centredTop};
    } else {
        switch (in.ImageAlignment) {
        case iaLeft:
            r = {im.Left + im.Right + m + in.ListSize.width(), centredTop, w - m, h - centredTop};
            break;
        case iaRight:
            r = {m, centredTop, w - (im.Right + m + in.ListSize.width() + im.Left), h - centredTop};
            break;
        case iaTop: {
            const int t = im.Top + 2 * m + in.ListSize.height();
            r.Top = t + (h - m - t - th) / 2;
            r = {m, r.Top, w - m, r.Top + th};
            break;
        }
        case iaBottom: {
            const int b = h - (im.Bottom + m + in.ListSize.height() + im.Top);
            r.Top = im.Top + (b - im.Top - th) / 2;
            r = {m, r.Top, w - m, r.Top + th};
            break;
        }
        case iaCenter:
            break;
        }
    }
    return Moved(r, in.Pressed);
}

TRect GlyphRect(const TsButtonLayoutInput& in) {
    const int w = CaptionAreaWidth(in);
    const int h = in.Height;
    const int lw = in.ListSize.width();
    const int lh = in.ListSize.height();
    const int m = in.ContentMargin;
    const TsImageMargins& im = in.ImageMargins;
    TPoint at;
    if (in.Style == bsCommandLink) {
        at = {im.Left + m, m};
    } else {
        switch (in.ImageAlignment) {
        case iaLeft: at = {im.Left + m, (h - lh) / 2}; break;
        case iaRight: at = {w - im.Right - m - lw, (h - lh) / 2}; break;
        case iaTop: at = {(w - lw) / 2, im.Top + m}; break;
        case iaBottom: at = {(w - lw) / 2, h - im.Bottom - m - lh}; break;
        case iaCenter: at = {(w - lw) / 2, (h - lh) / 2}; break;
        }
    }
    return Moved(RectAt(at.X, at.Y, lw, lh), in.Pressed);
}

TRect FocusFrameRect(const TRect& caption, int focusMargin, int height) {
    TRect r{caption.Left - focusMargin - 1, caption.Top - focusMargin, caption.Right + focusMargin + 1,
            caption.Bottom + focusMargin};
    r.Top = std::max(r.Top, kFocusEdgeGap);
    r.Bottom = std::min(r.Bottom, height - kFocusEdgeGap);
    return r;
}

} // namespace skin
