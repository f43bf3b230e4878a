// A few stretched slices per thread, found by their whole source, size and filter.
#include "skin/render/sStretchCache.h"

#include <algorithm>
#include <cstdint>
#include <list>

namespace skin {
namespace {

// Enough for the slices of a frame and its buttons; 16 MiB of results at the most, which always
// holds the last two results.
constexpr std::size_t kMaxEntries = 8;
constexpr std::uint64_t kMaxCachedPixels = 4 * std::uint64_t(kStretchCachePixels);

struct Entry {
    Bitmap32 Source; // compared pixel for pixel: no two slices share an entry by accident
    ResampleFilter Filter;
    Bitmap32 Result;
};

std::uint64_t PixelsOf(const Bitmap32& bitmap) {
    return std::uint64_t(bitmap.Width()) * std::uint64_t(bitmap.Height());
}

class StretchCache {
public:
    const Bitmap32* Find(const Bitmap32& slice, int width, int height, ResampleFilter filter) {
        for (auto it = entries_.begin(); it != entries_.end(); ++it) {
            if (it->Filter == filter && it->Result.Width() == width && it->Result.Height() == height &&
                it->Source == slice) {
                entries_.splice(entries_.begin(), entries_, it);
                return &entries_.front().Result;
            }
        }
        return nullptr;
    }

    const Bitmap32* Add(const Bitmap32& slice, int width, int height, ResampleFilter filter) {
        Entry entry{slice, filter, {}};
        ResampleBitmap(slice, entry.Result, width, filter, height);
        if (entry.Result.Width() != width || entry.Result.Height() != height)
            return nullptr;
        entries_.push_front(std::move(entry));
        pixels_ += PixelsOf(entries_.front().Result);
        while (entries_.size() > 1 && (entries_.size() > kMaxEntries || pixels_ > kMaxCachedPixels)) {
            pixels_ -= PixelsOf(entries_.back().Result);
            entries_.pop_back();
        }
        return &entries_.front().Result;
    }

    void Clear() {
        entries_.clear();
        pixels_ = 0;
    }

private:
    std::list<Entry> entries_;
    std::uint64_t pixels_ = 0;
};

StretchCache& ThreadCache() {
    thread_local StretchCache cache;
    return cache;
}

} // namespace

const Bitmap32* CachedStretch(const Bitmap32& slice, int width, int height, ResampleFilter filter) {
    StretchCache& cache = ThreadCache();
    if (const Bitmap32* found = cache.Find(slice, width, height, filter))
        return found;
    return cache.Add(slice, width, height, filter);
}

void ClearStretchCache() { ThreadCache().Clear(); }

} // namespace skin
