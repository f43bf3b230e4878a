// How the picture readers and writers word their failures: the entry or file first.
#pragma once

#include <string>
#include <string_view>

#include "skin/pixels/codecs/SkinPictures.h"

namespace skin {

[[noreturn]] inline void FailPicture(std::string_view name, std::string_view problem) {
    std::string message = "Cannot read picture \"";
    message.append(name).append("\": ").append(problem);
    throw EPictureError(message);
}

// The size check every reader makes before it allocates pixels from a header.
inline void CheckPictureSize(std::string_view name, long long width, long long height) {
    if (width <= 0 || height <= 0)
        FailPicture(name, "the header gives a size of " + std::to_string(width) + " x " + std::to_string(height));
    if (!Bitmap32::SizeIsAllowed(width, height))
        FailPicture(name, "the picture of " + std::to_string(width) + " x " + std::to_string(height) +
                              " pixels is too large for " + LimitText(kPicturePixelLimit));
}

} // namespace skin
