// Hue and saturation shifts over a megapixel, and BlendBitmaps and ResampleBitmap beside
// QPainter and QImage::scaled doing the same work on the same bitmap; the pairs are printed
// as ratios at the end (ours / Qt: below 1 means ours is faster), by wall time and by the CPU
// time of all threads. Both sides share large scalings among threads (ours this thread and one
// helper, Qt its pool); the resampling is also timed with one thread on each side.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <QThreadPool>

#include <cstdio>
#include <ctime>
#include <map>
#include <string>

#include "skin/pixels/BlendOps.h"
#include "skin/pixels/HelperThread.h"
#include "skin/pixels/PixelOps.h"
#include "skin/pixels/Resample.h"

namespace {

using skin::Bitmap32;
using skin::Pixel;

constexpr int kMegapixelSide = 1024;
constexpr int kBlendWeight = 96;

// Opaque noise, so that straight and premultiplied alpha mean the same pixels.
Bitmap32 OpaqueNoise(int width, int height, std::uint32_t seed) {
    Bitmap32 bitmap(width, height);
    std::uint32_t state = seed;
    for (int y = 0; y < height; ++y)
        for (Pixel& p : bitmap.Row(y)) {
            state ^= state << 13, state ^= state >> 17, state ^= state << 5;
            p = state | 0xFF000000u;
        }
    return bitmap;
}

// CPU time of the whole process (every thread, Qt's pool included), in milliseconds.
double ProcessCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// Records the process CPU time per iteration of the timed loop, beside the wall time.
class ProcessCpu {
public:
    explicit ProcessCpu(benchmark::State& state) : state_(state), start_(ProcessCpuMs()) {}
    ~ProcessCpu() {
        if (state_.iterations() > 0)
            state_.counters["process_cpu_ms"] = (ProcessCpuMs() - start_) / double(state_.iterations());
    }

private:
    benchmark::State& state_;
    double start_;
};

// A QImage over the same memory, no copy.
QImage ViewOf(Bitmap32& bitmap, QImage::Format format) {
    return QImage(reinterpret_cast<uchar*>(bitmap.Data()), bitmap.Width(), bitmap.Height(),
                  qsizetype(bitmap.BytesPerLine()), format);
}

void ShiftHue(benchmark::State& state) {
    Bitmap32 bitmap = OpaqueNoise(kMegapixelSide, kMegapixelSide, 1);
    for (auto _ : state) {
        skin::ShiftHueOfBitmap(bitmap, 30, skin::kKeyPixel);
        benchmark::DoNotOptimize(bitmap.Data());
    }
    state.SetItemsProcessed(state.iterations() * kMegapixelSide * kMegapixelSide);
}
BENCHMARK(ShiftHue)->Unit(benchmark::kMillisecond);

void ShiftSaturation(benchmark::State& state) {
    Bitmap32 bitmap = OpaqueNoise(kMegapixelSide, kMegapixelSide, 2);
    int percent = 20;
    for (auto _ : state) {
        skin::ShiftSaturationOfBitmap(bitmap, percent, skin::kKeyPixel);
        percent = -percent;
        benchmark::DoNotOptimize(bitmap.Data());
    }
    state.SetItemsProcessed(state.iterations() * kMegapixelSide * kMegapixelSide);
}
BENCHMARK(ShiftSaturation)->Unit(benchmark::kMillisecond);

void BlendBitmapsOurs(benchmark::State& state) {
    Bitmap32 dst = OpaqueNoise(kMegapixelSide, kMegapixelSide, 3);
    const Bitmap32 src = OpaqueNoise(kMegapixelSide, kMegapixelSide, 4);
    const ProcessCpu cpu(state);
    for (auto _ : state) {
        skin::BlendBitmaps(dst, src, kBlendWeight, {0, 0}, skin::RectOf(src));
        benchmark::DoNotOptimize(dst.Data());
    }
}
BENCHMARK(BlendBitmapsOurs)->Unit(benchmark::kMillisecond);

void BlendBitmapsQPainter(benchmark::State& state) {
    Bitmap32 dst = OpaqueNoise(kMegapixelSide, kMegapixelSide, 3);
    Bitmap32 src = OpaqueNoise(kMegapixelSide, kMegapixelSide, 4);
    QImage target = ViewOf(dst, QImage::Format_RGB32);
    const QImage source = ViewOf(src, QImage::Format_RGB32);
    // BlendBitmaps keeps w / 256 of the destination: the source is laid at opacity 1 - w / 256.
    const double opacity = 1.0 - kBlendWeight / 256.0;
    const ProcessCpu cpu(state);
    for (auto _ : state) {
        QPainter painter(&target);
        painter.setOpacity(opacity);
        painter.drawImage(0, 0, source);
        painter.end();
        benchmark::DoNotOptimize(dst.Data());
    }
}
BENCHMARK(BlendBitmapsQPainter)->Unit(benchmark::kMillisecond);

struct ScaleCase {
    int fromWidth, fromHeight, toWidth, toHeight;
};
constexpr ScaleCase kScaleCases[] = {
    {1024, 1024, 640, 480},  // shrinking a megapixel
    {256, 256, 1024, 1024},  // growing to a megapixel
    {1024, 1024, 1100, 900}, // one side up, one down
};

void ResampleWith(benchmark::State& state, skin::ResampleFilter filter) {
    const ScaleCase c = kScaleCases[state.range(0)];
    const Bitmap32 src = OpaqueNoise(c.fromWidth, c.fromHeight, 5);
    Bitmap32 dst;
    const ProcessCpu cpu(state);
    for (auto _ : state) {
        skin::ResampleBitmap(src, dst, c.toWidth, filter, c.toHeight);
        benchmark::DoNotOptimize(dst.Data());
    }
}

void ResampleOurs(benchmark::State& state) { ResampleWith(state, skin::ResampleFilter::Mitchell); }
BENCHMARK(ResampleOurs)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// The same work on this thread alone (no helper), to set beside Qt on one thread.
void ResampleOursOneThread(benchmark::State& state) {
    skin::HelperThread::SetEnabled(false);
    ResampleWith(state, skin::ResampleFilter::Mitchell);
    skin::HelperThread::SetEnabled(true);
}
BENCHMARK(ResampleOursOneThread)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// Filter 1 is what the engine shrinks whole form images with (the window animations).
void ResampleOursTriangle(benchmark::State& state) { ResampleWith(state, skin::ResampleFilter::Triangle); }
BENCHMARK(ResampleOursTriangle)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

void ResampleQImage(benchmark::State& state) {
    const ScaleCase c = kScaleCases[state.range(0)];
    Bitmap32 src = OpaqueNoise(c.fromWidth, c.fromHeight, 5);
    const QImage source = ViewOf(src, QImage::Format_ARGB32_Premultiplied);
    const ProcessCpu cpu(state);
    for (auto _ : state) {
        QImage scaled = source.scaled(c.toWidth, c.toHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        benchmark::DoNotOptimize(scaled.constBits());
    }
}
BENCHMARK(ResampleQImage)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// Qt shares large scalings among its thread pool; this is the same work on one thread.
void ResampleQImageOneThread(benchmark::State& state) {
    QThreadPool* pool = QThreadPool::globalInstance();
    const int threads = pool->maxThreadCount();
    pool->setMaxThreadCount(1);
    ResampleQImage(state);
    pool->setMaxThreadCount(threads);
}
BENCHMARK(ResampleQImageOneThread)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

// Collects the times of the runs so that the pairs can be printed side by side.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        // With --benchmark_repetitions the median stands for the benchmark.
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration && run.aggregate_name != "median")
                continue;
            times_[run.run_name.str()] = run.GetAdjustedRealTime();
            const auto cpu = run.counters.find("process_cpu_ms");
            if (cpu != run.counters.end())
                cpu_[run.run_name.str()] = cpu->second.value;
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void PrintRatios() const {
        std::printf("\nours / Qt (below 1: ours is faster); wall time, and CPU time of all threads\n");
        Print("BlendBitmaps / QPainter opacity", "BlendBitmapsOurs", "BlendBitmapsQPainter");
        const char* names[] = {"1024x1024 -> 640x480", "256x256 -> 1024x1024", "1024x1024 -> 1100x900"};
        for (int i = 0; i < 3; ++i)
            Print(std::string("ResampleBitmap(6) / QImage::scaled smooth, all threads, ") + names[i],
                  "ResampleOurs/" + std::to_string(i), "ResampleQImage/" + std::to_string(i));
        for (int i = 0; i < 3; ++i)
            Print(std::string("  the same, one thread each, ") + names[i], "ResampleOursOneThread/" + std::to_string(i),
                  "ResampleQImageOneThread/" + std::to_string(i));
        for (int i = 0; i < 3; ++i)
            Print(std::string("ResampleBitmap(1) / QImage::scaled smooth, ") + names[i],
                  "ResampleOursTriangle/" + std::to_string(i), "ResampleQImage/" + std::to_string(i));
    }

private:
    void Print(const std::string& label, const std::string& ours, const std::string& theirs) const {
        auto a = times_.find(ours), b = times_.find(theirs);
        if (a == times_.end() || b == times_.end() || b->second <= 0)
            return;
        std::printf("  %-66s wall %.2f  (%.2f ms vs %.2f ms)", label.c_str(), a->second / b->second, a->second,
                    b->second);
        auto ca = cpu_.find(ours), cb = cpu_.find(theirs);
        if (ca != cpu_.end() && cb != cpu_.end() && cb->second > 0)
            std::printf("  cpu %.2f  (%.2f ms vs %.2f ms)", ca->second / cb->second, ca->second, cb->second);
        std::printf("\n");
    }
    std::map<std::string, double> times_;
    std::map<std::string, double> cpu_; // process CPU per iteration, all threads
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    benchmark::Shutdown();
    return 0;
}
