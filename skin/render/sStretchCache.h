// Smoothly stretched slices kept between paints. A frame or a button paints the same slices of
// its masks at the same size on every render; resampling them again each time would cost more
// than all the rest of the paint.
#pragma once

#include "skin/pixels/Resample.h"

namespace skin {

// The slice resampled to width x height with filter: from this thread's cache when the same
// pixels were stretched to the same size and filter before, else resampled now and kept (the
// least recently used entries go when the cache is full). nullptr when the resampler gives no
// bitmap of that size. For results of at most kStretchCachePixels each, the results of the last
// two calls on this thread stay valid (an image and its mask picture are stretched in pairs).
inline constexpr std::size_t kStretchCachePixels = std::size_t(1) << 20;
const Bitmap32* CachedStretch(const Bitmap32& slice, int width, int height, ResampleFilter filter);

// Empties this thread's cache (for measuring the cold paint).
void ClearStretchCache();

} // namespace skin
