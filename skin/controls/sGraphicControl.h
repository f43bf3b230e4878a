// Windowless controls (labels, the gauge) are painted by their container into its own image
// (PaintWindowlessChildren) when the container is skinned; an unskinned container paints nothing
// of them, so there they paint themselves, as the framework paints its graphic controls.
#pragma once

class QWidget;

namespace skin {

// Whether the windowless control paints in the paint event now running: when its container is
// painting it into its image, or when its container does not paint windowless children.
bool PaintsItselfNow(QWidget* control);
// Whether a container paints its windowless children: it answers SKC_IS_SKINNED with 1 and its
// skin record, if it has one, has a skin.
bool PaintsWindowlessChildren(QWidget* container);

} // namespace skin
