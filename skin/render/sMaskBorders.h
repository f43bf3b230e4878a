// The border widths the skin manager reports for a mask (its MaskBorderLeft ... Bottom), for
// painters that size things around a mask: halos, group-box frames.
#pragma once

#include "skin/render/sMaskGeometry.h"

namespace skin {

// Each side: its own width when above 0, else the mask's BorderWidth when above 0, else the
// cell's width (left, right) or height (top, bottom); a CellCount of 0 counts as one cell.
BorderWidths ReportedMaskBorders(const TsMaskData& mask);

} // namespace skin
