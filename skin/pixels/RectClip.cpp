// Cutting a block transfer to the bounds of both of its sides.
#include "skin/pixels/RectClip.h"

namespace skin {

BlitArea ClipBlit(BlitArea area, const TRect& dstBounds, const TRect& srcBounds) {
    // Each of the four edges may be cut by either bounds; a cut at the start moves both origins.
    // Worked in 64 bits: origins and bounds may lie anywhere in the 32-bit range.
    auto cutStart = [](int& dst, int& src, std::int64_t& length, int dstMin, int srcMin) {
        const std::int64_t cut = std::max(std::int64_t{dstMin} - dst, std::int64_t{srcMin} - src);
        if (cut > 0) {
            dst = Saturated(dst + cut);
            src = Saturated(src + cut);
            length -= cut;
        }
    };
    auto cutEnd = [](int dst, int src, std::int64_t& length, int dstEnd, int srcEnd) {
        length = std::min({length, std::int64_t{dstEnd} - dst, std::int64_t{srcEnd} - src});
    };
    std::int64_t width = area.Width, height = area.Height;
    cutStart(area.DstX, area.SrcX, width, dstBounds.Left, srcBounds.Left);
    cutStart(area.DstY, area.SrcY, height, dstBounds.Top, srcBounds.Top);
    cutEnd(area.DstX, area.SrcX, width, dstBounds.Right, srcBounds.Right);
    cutEnd(area.DstY, area.SrcY, height, dstBounds.Bottom, srcBounds.Bottom);
    area.Width = width > 0 ? Saturated(width) : 0;
    area.Height = height > 0 ? Saturated(height) : 0;
    return area;
}

} // namespace skin
