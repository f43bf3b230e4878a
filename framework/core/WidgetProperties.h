// The dynamic properties through which the framework and the skin engine mark objects, declared
// once so that every layer spells them the same way.
#pragma once

class QObject;

namespace framework {

// Set on windowless (graphic) controls: their container paints them into its own image.
inline constexpr const char* kWindowlessProperty = "tovrinWindowless";
// Whether the pointer is over an object that has no widget to ask.
inline constexpr const char* kMouseOverProperty = "MouseOver";
// The window handler the skin engine attached to a window.
inline constexpr const char* kHandlerProperty = "VLSBSC";

bool IsMarkedWindowless(const QObject* object);

} // namespace framework
