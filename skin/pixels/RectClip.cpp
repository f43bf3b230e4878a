// Cutting a block transfer to the bounds of both of its sides.
#include "skin/pixels/RectClip.h"

namespace skin {

BlitArea ClipBlit(BlitArea area, const TRect& dstBounds, const TRect& srcBounds) {
    // Each of the four edges may be cut by either bounds; a cut at the start moves both origins.
    auto cutStart = [&](int& dst, int& src, int& length, int dstMin, int srcMin) {
        int cut = std::max(dstMin - dst, srcMin - src);
        if (cut > 0) {
            dst += cut;
            src += cut;
            length -= cut;
        }
    };
    auto cutEnd = [](int dst, int src, int& length, int dstEnd, int srcEnd) {
        length = std::min({length, dstEnd - dst, srcEnd - src});
    };
    cutStart(area.DstX, area.SrcX, area.Width, dstBounds.Left, srcBounds.Left);
    cutStart(area.DstY, area.SrcY, area.Height, dstBounds.Top, srcBounds.Top);
    cutEnd(area.DstX, area.SrcX, area.Width, dstBounds.Right, srcBounds.Right);
    cutEnd(area.DstY, area.SrcY, area.Height, dstBounds.Bottom, srcBounds.Bottom);
    if (area.Width < 0)
        area.Width = 0;
    if (area.Height < 0)
        area.Height = 0;
    return area;
}

} // namespace skin
