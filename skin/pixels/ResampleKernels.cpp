// The plain and portable passes of the resampler, the choice among the kernels, and the sharing
// of large passes with a helper thread. The plain kernel (one byte at a time) is the reference; the
// portable one takes the four channels as one vector. Integer sums do not depend on their order,
// so every kernel gives the same bytes.
#include "skin/pixels/ResampleKernels.h"

#include "skin/pixels/CpuFeatures.h"
#include "skin/pixels/HelperThread.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <memory>
#include <cstdint>
#include <thread>

namespace skin::resample {
namespace {

void HorizontalPlain(const Bitmap32& src, Bitmap32& out, const WeightLists& lists, Rows rows) {
    for (int y = rows.begin; y < rows.end; ++y) {
        const std::uint8_t* from = BytesOf(src, y);
        std::uint8_t* to = BytesOf(out, y);
        for (int x = 0; x < out.Width(); ++x)
            for (int c = 0; c < kChannels; ++c) {
                int sum = 0;
                for (int t = lists.first[x]; t < lists.first[x + 1]; ++t)
                    sum += lists.taps[t].weight * from[lists.taps[t].index * kChannels + c];
                to[x * kChannels + c] = FixedToByte(sum);
            }
    }
}

void VerticalPlain(const Bitmap32& src, Bitmap32& out, const WeightLists& lists, Rows rows) {
    for (int y = rows.begin; y < rows.end; ++y) {
        std::uint8_t* to = BytesOf(out, y);
        for (int k = 0; k < out.Width() * kChannels; ++k) {
            int sum = 0;
            for (int t = lists.first[y]; t < lists.first[y + 1]; ++t)
                sum += lists.taps[t].weight * BytesOf(src, lists.taps[t].index)[k];
            to[k] = FixedToByte(sum);
        }
    }
}

using Lanes = std::int32_t __attribute__((vector_size(16)));

inline Lanes Unpack(Pixel p) {
    return Lanes{std::int32_t(p & 0xFF), std::int32_t((p >> 8) & 0xFF), std::int32_t((p >> 16) & 0xFF),
                 std::int32_t(p >> 24)};
}
inline Pixel Pack(Lanes sum) {
    return Pixel(FixedToByte(sum[0])) | Pixel(FixedToByte(sum[1])) << 8 | Pixel(FixedToByte(sum[2])) << 16 |
           Pixel(FixedToByte(sum[3])) << 24;
}

void HorizontalPortable(const Bitmap32& src, Bitmap32& out, const WeightLists& lists, Rows rows) {
    const Tap* taps = lists.taps.data();
    const int* first = lists.first.data();
    for (int y = rows.begin; y < rows.end; ++y) {
        const Pixel* from = src.Row(y).data();
        Pixel* to = out.Row(y).data();
        for (int x = 0; x < out.Width(); ++x) {
            Lanes sum{0, 0, 0, 0};
            for (int t = first[x]; t < first[x + 1]; ++t)
                sum += Unpack(from[taps[t].index]) * taps[t].weight;
            to[x] = Pack(sum);
        }
    }
}

void VerticalPortable(const Bitmap32& src, Bitmap32& out, const WeightLists& lists, Rows rows) {
    const int count = out.Width() * kChannels;
    std::vector<std::int32_t> sums(static_cast<std::size_t>(count));
    for (int y = rows.begin; y < rows.end; ++y) {
        std::fill(sums.begin(), sums.end(), 0);
        for (int t = lists.first[y]; t < lists.first[y + 1]; ++t) {
            const std::uint8_t* bytes = BytesOf(src, lists.taps[t].index);
            const int weight = lists.taps[t].weight;
            for (int k = 0; k < count; ++k)
                sums[k] += weight * bytes[k];
        }
        std::uint8_t* to = BytesOf(out, y);
        for (int k = 0; k < count; ++k)
            to[k] = FixedToByte(sums[k]);
    }
}

} // namespace

// Below this many multiply-adds (about a fifth of a millisecond) a second thread costs more than
// it saves: waking it, and on a busy machine waiting for a band it took and then lost the
// processor in. A stretched slice of a window's size stays on the painting thread.
constexpr std::size_t kParallelWork = std::size_t(1) << 22;

// Hands out bands of rows in turn, so that a thread that starts late simply takes fewer, and
// keeps which bands are done.
class BandQueue {
public:
    explicit BandQueue(int rows)
        : rows_(rows), size_(std::max(kBandRows, rows / 32 / kBandRows * kBandRows)),
          done_(new std::atomic<bool>[std::size_t((rows + size_ - 1) / size_)]()) {}
    bool Take(Rows& band) {
        const int begin = next_.fetch_add(size_);
        if (begin >= rows_)
            return false;
        band = Rows{begin, std::min(begin + size_, rows_)};
        return true;
    }
    void Done(Rows band) {
        std::atomic<bool>& done = done_[std::size_t(band.begin / size_)];
        done.store(true);
        done.notify_all();
    }
    // Waits until the bands holding rows are done (by whichever thread took them).
    void WaitDone(Rows rows) {
        if (rows.begin >= rows.end)
            return;
        const int first = std::clamp(rows.begin, 0, rows_ - 1) / size_, last = std::clamp(rows.end - 1, 0, rows_ - 1) / size_;
        for (int k = first; k <= last; ++k)
            done_[std::size_t(k)].wait(false);
    }

private:
    // Bands of whole row quartets keep the row groups of a horizontal pass together.
    static constexpr int kBandRows = 4;
    const int rows_, size_;
    std::atomic<int> next_{0};
    std::unique_ptr<std::atomic<bool>[]> done_;
};

void RunPasses(const PreparedPass& first, const PreparedPass& second) {
    HelperThread* helper = first.work + second.work >= kParallelWork && std::thread::hardware_concurrency() >= 2
                               ? HelperThread::Shared()
                               : nullptr;
    if (!helper) {
        first.band(Rows{0, first.rows});
        second.band(Rows{0, second.rows});
        return;
    }
    // Both threads take bands of the first pass, then bands of the second, each of which waits
    // only for the bands of the first that wrote the rows it reads. Bands are taken top down, so
    // a band of the first pass still in the other thread's hands (on a busy machine it may have
    // lost the processor) is one near the bottom, which the first bands of the second pass do not
    // read. The helper may start late or not at all: then this thread does the bands it finds.
    BandQueue firstBands(first.rows), secondBands(second.rows);
    const auto work = [&] {
        for (Rows band; firstBands.Take(band); firstBands.Done(band))
            first.band(band);
        for (Rows band; secondBands.Take(band);) {
            firstBands.WaitDone(second.sourceRows ? second.sourceRows(band) : Rows{0, first.rows});
            second.band(band);
        }
    };
    const std::uint64_t ticket = helper->Offer(work);
    work();
    if (ticket != 0)
        helper->Finish(ticket);
}

PreparedPass PrepareHorizontal(const Bitmap32& src, Bitmap32& out, const WeightLists& lists, Kernel kernel) {
    if (kernel == Kernel::Avx512 && Avx512Available())
        return PrepareHorizontalAvx512(src, out, lists);
    if ((kernel == Kernel::Avx2 || kernel == Kernel::Avx512) && Avx2Available())
        return PrepareHorizontalAvx2(src, out, lists);
    if (kernel == Kernel::Plain)
        return {src.Height(), 0, [&](Rows rows) { HorizontalPlain(src, out, lists, rows); }};
    return {src.Height(), 0, [&](Rows rows) { HorizontalPortable(src, out, lists, rows); }};
}

namespace {

PreparedPass VerticalPass(const Bitmap32& src, Bitmap32& out, const WeightLists& lists, Kernel kernel) {
    if (kernel == Kernel::Avx512 && Avx512Available())
        return PrepareVerticalAvx512(src, out, lists);
    if ((kernel == Kernel::Avx2 || kernel == Kernel::Avx512) && Avx2Available())
        return PrepareVerticalAvx2(src, out, lists);
    if (kernel == Kernel::Plain)
        return {out.Height(), 0, [&](Rows rows) { VerticalPlain(src, out, lists, rows); }, {}};
    return {out.Height(), 0, [&](Rows rows) { VerticalPortable(src, out, lists, rows); }, {}};
}

} // namespace

PreparedPass PrepareVertical(const Bitmap32& src, Bitmap32& out, const WeightLists& lists, Kernel kernel) {
    PreparedPass pass = VerticalPass(src, out, lists, kernel);
    pass.sourceRows = [&lists](Rows band) {
        Rows read{INT_MAX, INT_MIN};
        for (int t = lists.first[std::size_t(band.begin)]; t < lists.first[std::size_t(band.end)]; ++t) {
            read.begin = std::min(read.begin, lists.taps[std::size_t(t)].index);
            read.end = std::max(read.end, lists.taps[std::size_t(t)].index + 1);
        }
        return read.begin < read.end ? read : Rows{0, 0};
    };
    return pass;
}

} // namespace skin::resample
