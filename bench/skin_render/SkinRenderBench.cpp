// Painting speed: a 499 x 363 frame from a nine-slice mask (tiled and stretched) beside Qt's
// qDrawBorderPixmap doing the same nine slices, gradients over the same size, and the contact
// sheet of the Pewter skin (70 sections).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <qdrawutil.h>

#include "skin/render/sGradient.h"
#include "skin/data/sMaskGeometry.h"
#include "skin/render/sMaskPaint.h"
#include "skin/render/sStretchCache.h"
#include "tools/tovrin-skin/PaintCommands.h"

namespace {

using skin::Bitmap32;

constexpr int kFrameWidth = 499, kFrameHeight = 363;
constexpr int kCell = 48, kBorder = 12;

// One 48 x 48 cell with 12-pixel borders; with a mask picture below it for MaskLayout 1.
Bitmap32 CellPicture(bool withMaskPicture) {
    Bitmap32 picture(kCell, withMaskPicture ? 2 * kCell : kCell);
    for (int y = 0; y < kCell; ++y)
        for (int x = 0; x < kCell; ++x) {
            picture.At(x, y) = 0xFF000000u | skin::Pixel(0x40 + x * 3) << 16 | skin::Pixel(0x60 + y * 2) << 8 | 0x90;
            if (withMaskPicture)
                picture.At(x, y + kCell) = (x < 3 || y < 3 || x >= kCell - 3 || y >= kCell - 3) ? 0xFF000000 : 0xFF404040;
        }
    return picture;
}

skin::TsMaskData CellMask(const Bitmap32& picture, bool withMaskPicture, bool stretch) {
    skin::TsMaskData mask;
    mask.Area = {0, 0, picture.Width(), picture.Height()};
    mask.CellCount = 1;
    mask.MaskLayout = withMaskPicture ? 1 : 0;
    mask.BorderLeft = mask.BorderTop = mask.BorderRight = mask.BorderBottom = kBorder;
    mask.FillFlags = std::int16_t(skin::kFillPaintCentre | (stretch ? skin::kFillStretch : 0));
    return mask;
}

// Warm: the paint a render repeats (stretched slices come from the stretch cache); cold: the
// first paint of a mask at a size (no stretched slice and no weight list kept from before).
enum class Paint { Warm, Cold };

void NineSlice(benchmark::State& state, bool withMaskPicture, bool stretch, Paint paint = Paint::Warm) {
    const Bitmap32 picture = CellPicture(withMaskPicture);
    const skin::TsMaskData mask = CellMask(picture, withMaskPicture, stretch);
    Bitmap32 frame(kFrameWidth, kFrameHeight);
    for (auto _ : state) {
        if (paint == Paint::Cold) {
            skin::ClearStretchCache();
            skin::ClearResampleWeights();
        }
        skin::PaintSkinMask(frame, skin::RectOf(frame), skin::TsBackdrop{}, skin::UseBackdrop::No, 0, mask, picture);
        benchmark::DoNotOptimize(frame.Data());
    }
}

void QtBorderPixmap(benchmark::State& state, Qt::TileRule rule) {
    const Bitmap32 picture = CellPicture(false);
    const QImage cell(reinterpret_cast<const uchar*>(picture.Data()), kCell, kCell, int(picture.BytesPerLine()),
                      QImage::Format_ARGB32);
    const QPixmap pixmap = QPixmap::fromImage(cell.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    QImage frame(kFrameWidth, kFrameHeight, QImage::Format_ARGB32_Premultiplied);
    const QMargins margins(kBorder, kBorder, kBorder, kBorder);
    for (auto _ : state) {
        QPainter painter(&frame);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        qDrawBorderPixmap(&painter, frame.rect(), margins, pixmap, pixmap.rect(), margins, QTileRules(rule));
        painter.end();
        benchmark::DoNotOptimize(frame.bits());
    }
}

void Gradient(benchmark::State& state, skin::TsGradientKind kind) {
    Bitmap32 bitmap(kFrameWidth, kFrameHeight);
    const skin::TsGradArray segments = {{skin::TColor{0xF8F6F5}, skin::TColor{0xE1DCD8}, 60, kind},
                                        {skin::TColor{0xE1DCD8}, skin::TColor{0xD0C8C0}, 40, kind}};
    for (auto _ : state) {
        skin::PaintGradient(bitmap, skin::RectOf(bitmap), segments);
        benchmark::DoNotOptimize(bitmap.Data());
    }
}

void ContactSheet(benchmark::State& state) {
    const auto manager = tools::LoadSkinSource(TOVRIN_PEWTER_SKIN, {});
    state.counters["sections"] = double(manager->Sections().size());
    for (auto _ : state) {
        Bitmap32 sheet = tools::PaintContactSheet(*manager);
        benchmark::DoNotOptimize(sheet.Data());
    }
}

BENCHMARK_CAPTURE(NineSlice, tiled, false, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(QtBorderPixmap, tiled, Qt::RepeatTile)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(NineSlice, stretched, false, true)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(QtBorderPixmap, stretched, Qt::StretchTile)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(NineSlice, tiled_with_mask_picture, true, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(NineSlice, stretched_with_mask_picture, true, true)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(NineSlice, stretched_with_mask_picture_cold, true, true, Paint::Cold)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Gradient, vertical, skin::TsGradientKind::gkVertical)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Gradient, horizontal, skin::TsGradientKind::gkHorizontal)->Unit(benchmark::kMicrosecond);
BENCHMARK(ContactSheet)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
