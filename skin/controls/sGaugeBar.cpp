// The gauge's pictures: the skinned cache (own section, text, the filled part with the light
// strip and its text, pie and needle), the light strip, and the plain unskinned gauge.
#include "skin/controls/sGauge.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "framework/widgets/Graphics.h"
#include "skin/data/sSkinKeys.h"
#include "skin/data/sSkinModelLookups.h"
#include "skin/data/sSystemColors.h"
#include "skin/pixels/ComposeOps.h"
#include "skin/pixels/DrawingRoutines.h"
#include "skin/pixels/RectClip.h"
#include "skin/pixels/sBlit.h"
#include "skin/render/sBackgrounds.h"
#include "skin/render/sImageView.h"
#include "skin/render/sMaskPaint.h"
#include "skin/render/sParentBackground.h"
#include "skin/render/sRecordPaint.h"
#include "skin/render/sSectionPaint.h"
#include "skin/render/sSkinnedText.h"

namespace skin {

namespace {

constexpr TsTextFormat kTextFormat = DT_CENTER | DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER;
constexpr std::string_view kHorizontalSection = "PROGRESSH";
constexpr std::string_view kVerticalSection = "PROGRESSV";
constexpr int kNoLight = 0;
constexpr int kFullLight = 255;

Bitmap32& LightPicture() {
    static Bitmap32 picture;
    return picture;
}

// (x, y) of the gauge's image to (H - 1 - y, x) of the turned one, along which a vertical bar
// fills as a horizontal one does; and back.
Bitmap32 TurnedForFill(const Bitmap32& image) {
    Bitmap32 turned(image.Height(), image.Width());
    const int h = image.Height();
    for (int y = 0; y < h; ++y) {
        const auto row = image.Row(y);
        for (int x = 0; x < image.Width(); ++x)
            turned.At(h - 1 - y, x) = row[std::size_t(x)];
    }
    return turned;
}

// The filled part of a turned image (length f along x, the gauge's width along y) as the bottom
// f rows of the gauge.
Bitmap32 TurnedBack(const Bitmap32& filled) {
    const int f = filled.Width();
    Bitmap32 back(filled.Height(), f);
    for (int yb = 0; yb < f; ++yb) {
        auto row = back.Row(yb);
        for (int x = 0; x < back.Width(); ++x)
            row[std::size_t(x)] = filled.At(f - 1 - yb, x);
    }
    return back;
}

// d moved toward c by k / 256: (k * (c - d) + d * 256) >> 8.
inline int TowardLight(int d, int c, int k) { return (k * (c - d) + d * 256) >> 8; }

} // namespace

void SetGaugeLightPicture(Bitmap32 picture) { LightPicture() = std::move(picture); }
const Bitmap32& GaugeLightPicture() { return LightPicture(); }

Bitmap32 MakeLightStrip(const Bitmap32& picture, int height) {
    if (picture.Empty() || height <= 0)
        return {};
    int top = 0;
    if (height < picture.Height()) {
        top = (picture.Height() - height) / 2 + 1;
        if (height - 2 * top < 0)
            top = 0;
    }
    Bitmap32 strip;
    if (!strip.SetSize(kLightStripWidth, height))
        return {};
    StretchBlock(strip, RectOf(strip), picture, {0, top, picture.Width(), picture.Height()});
    return strip;
}

void LayLightStrip(Bitmap32& filled, const Bitmap32& strip, int sweepPos, const Bitmap32* shape) {
    const TRect placed = RectAt(sweepPos, 0, strip.Width(), strip.Height());
    const TRect area = IntersectRects(placed, RectOf(filled));
    if (RectIsEmpty(area) || strip.Empty())
        return;
    const int from = placed.Left < 0 ? -placed.Left : 0;
    if (shape == nullptr) {
        ComposeAlpha(filled, area, strip, RectAt(from, 0, WidthOf(area), HeightOf(area)));
        return;
    }
    // The light shows fully where the shape is black and not at all where it is white.
    for (int y = area.Top; y < area.Bottom && y < strip.Height(); ++y) {
        auto row = filled.Row(y);
        const auto light = strip.Row(y);
        const auto form = shape->Row(y);
        for (int x = area.Left; x < area.Right; ++x) {
            const int a = Byte2(form[std::size_t(x)]);
            if (a == kFullLight)
                continue;
            const Pixel c = light[std::size_t(from + x - area.Left)];
            const int alpha = Byte3(c);
            const int k = a == kNoLight ? alpha : ((kFullLight - a) * alpha) >> 8;
            Pixel& d = row[std::size_t(x)];
            d = MakeValue(TowardLight(Byte0(d), Byte0(c), k), TowardLight(Byte1(d), Byte1(c), k),
                          TowardLight(Byte2(d), Byte2(c), k), Byte3(d));
        }
    }
}

int TsGauge::ProgressSection() const {
    const TsSkinModel& model = *SkinData.Model();
    std::string_view name = progressSkin_;
    if (name.empty())
        name = kind_ == gkVerticalBar && !animated_ ? kVerticalSection : kHorizontalSection;
    return GetSkinIndex(model, name);
}

void TsGauge::BuildCache(Bitmap32& cache) {
    const TsParentBackdrop parent = ParentBackdrop(SkinData);
    const TsSkinModel& model = *SkinData.Model();
    const TsGeneralData& own = *SkinData.Section();
    if (own.ReservedBoolean && IsBar()) {
        // The frame goes over the bar.
        TsSectionPaint paint;
        paint.SectionIndex = SkinData.SectionIndex;
        paint.SectionName = SkinData.SkinSection();
        paint.TextureIndex = SkinData.TextureIndex;
        paint.HotTextureIndex = SkinData.HotTextureIndex;
        paint.Backdrop = parent.Backdrop;
        PaintSectionBackground(model, cache, RectOf(cache), paint);
        PaintContent(cache);
        if (const TsMaskData* border = SkinData.BorderMask())
            PaintSkinMask(cache, RectOf(cache), parent.Backdrop, UseBackdrop::Yes, 0, *border,
                          MaskPicture(model, *border));
    } else {
        PaintSection(SkinData, parent.Backdrop, 0, UseBackdrop::Yes, cache, {0, 0}, RectOf(cache));
        PaintContent(cache);
    }
    SkinData.BackgroundStale = false;
}

void TsGauge::PaintContent(Bitmap32& cache) {
    if (showText_) {
        TsCanvas canvas{cache, font(), SkinData.Section()->Props[TsLook::Normal].FontColor[FontColorEntry::fcText]};
        WriteSkinnedText(canvas, Text(), isEnabled(), 0, SkinData, kTextFormat, RectOf(cache));
    }
    const int section = ProgressSection();
    switch (kind_) {
    case gkHorizontalBar:
        PaintHorizontalBar(cache, section, width(), height());
        break;
    case gkVerticalBar:
        PaintVerticalBar(cache, section);
        break;
    case gkPie:
        PaintPie(cache, RectOf(cache));
        break;
    case gkNeedle:
        PaintNeedle(cache, RectOf(cache));
        break;
    case gkText:
        break;
    }
}

void TsGauge::PaintFilled(Bitmap32& filled, const Bitmap32& backdrop, int section) {
    const TsSkinModel& model = *SkinData.Model();
    if (fillCache_.Width() == filled.Width() && fillCache_.Height() == filled.Height()) {
        CopyBlock(filled, 0, 0, fillCache_, RectOf(fillCache_));
    } else {
        TsSectionPaint paint;
        paint.SectionIndex = section;
        paint.SectionName = model.gd[std::size_t(section)].ClassName;
        paint.Backdrop.Bitmap = &backdrop;
        paint.Backdrop.HasBitmap = true;
        CopyBlock(filled, 0, 0, backdrop, RectOf(filled));
        if (SkinData.Section()->ReservedBoolean)
            PaintSectionBackground(model, filled, RectOf(filled), paint);
        else
            PaintSectionByIndex(model, filled, RectOf(filled), paint);
        fillCache_ = filled;
    }
    // The strip shows while it still reaches into the filled part.
    if (!animated_ || sweepPos_ >= filled.Width() + kLightStripWidth)
        return;
    const int thickness = filled.Height();
    if (lightStrip_.Width() != kLightStripWidth || lightStrip_.Height() != thickness)
        lightStrip_ = MakeLightStrip(GaugeLightPicture(), thickness);
    const int shapeMask = GetMaskIndex(model, section, model.gd[std::size_t(section)].ClassName, kLightShapeKey);
    if (!SkinData.Section()->ReservedBoolean && IsValidImgIndex(model, shapeMask)) {
        Bitmap32 shape(filled.Width(), filled.Height());
        FillSolid(shape, RectOf(shape), kWhite);
        TsBackdrop white;
        white.FillColor = kWhite;
        const TsMaskData& mask = model.ma[std::size_t(shapeMask)];
        PaintSkinMask(shape, RectOf(shape), white, UseBackdrop::Yes, 0, mask, MaskPicture(model, mask));
        LayLightStrip(filled, lightStrip_, sweepPos_, &shape);
    } else {
        LayLightStrip(filled, lightStrip_, sweepPos_, nullptr);
    }
}

void TsGauge::PaintHorizontalBar(Bitmap32& cache, int section, int length, int thickness) {
    const TsSkinModel& model = *SkinData.Model();
    const int f = std::min(GaugeShare(length, PercentDone()), length);
    if (f <= 0 || !IsValidSkinIndex(model, section))
        return;
    Bitmap32 filled;
    if (!filled.SetSize(f, thickness))
        return;
    PaintFilled(filled, cache, section);
    if (showText_) {
        // The text over the fill takes the progress section's colour.
        TsCanvas canvas{filled, font(), model.gd[std::size_t(section)].Props[TsLook::Normal].FontColor[FontColorEntry::fcText]};
        WriteSectionText(canvas, Text(), isEnabled(), model, 0, section, kTextFormat, RectOf(cache));
    }
    CopyBlock(cache, 0, 0, filled, RectOf(filled));
}

void TsGauge::PaintVerticalBar(Bitmap32& cache, int section) {
    const TsSkinModel& model = *SkinData.Model();
    if (!IsValidSkinIndex(model, section))
        return;
    const int w = cache.Width();
    const int h = cache.Height();
    const int f = std::min(GaugeShare(h, PercentDone()), h);
    if (f <= 0)
        return;
    const TColor colour = model.gd[std::size_t(section)].Props[TsLook::Normal].FontColor[FontColorEntry::fcText];
    Bitmap32 part;
    if (animated_) {
        // Filled and lit as a horizontal bar along the turned image, then turned back.
        const Bitmap32 turned = TurnedForFill(cache);
        Bitmap32 filled;
        if (!filled.SetSize(f, w))
            return;
        PaintFilled(filled, turned, section);
        part = TurnedBack(filled);
    } else {
        if (!part.SetSize(w, f))
            return;
        CopyBlock(part, 0, 0, cache, RectAt(0, h - f, w, f));
        TsSectionPaint paint;
        paint.SectionIndex = section;
        paint.SectionName = model.gd[std::size_t(section)].ClassName;
        paint.Backdrop.Bitmap = &cache;
        paint.Backdrop.HasBitmap = true;
        paint.Backdrop.OffsetY = h - f;
        PaintSectionByIndex(model, part, RectOf(part), paint);
    }
    if (showText_) {
        TsCanvas canvas{part, font(), colour};
        WriteSectionText(canvas, Text(), isEnabled(), model, 0, section, kTextFormat, RectAt(0, -(h - f), w, h));
    }
    CopyBlock(cache, 0, h - f, part, RectOf(part));
}

void TsGauge::PaintPie(Bitmap32& image, const TRect& rect) const {
    QImage view = ImageView(image);
    QPainter painter(&view);
    const int w = WidthOf(rect);
    const int h = HeightOf(rect);
    painter.setPen(framework::ToQColor(foreColor_));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(rect.Left, rect.Top, w - 1, h - 1);
    const int p = PercentDone();
    if (p <= 0)
        return;
    // From the top, clockwise by p per cent of the circle.
    painter.setBrush(framework::ToQColor(foreColor_));
    constexpr int kSixteenthsPerDegree = 16;
    const double span = p * 3.6;
    painter.drawPie(rect.Left, rect.Top, w - 1, h - 1, int(std::lround((90 - span) * kSixteenthsPerDegree)),
                    int(std::lround(span * kSixteenthsPerDegree)));
}

void TsGauge::PaintNeedle(Bitmap32& image, const TRect& rect) const {
    QImage view = ImageView(image);
    QPainter painter(&view);
    const int x = rect.Left;
    const int w = WidthOf(rect);
    const int h = HeightOf(rect);
    const int bottom = rect.Bottom - 1;
    painter.setPen(framework::ToQColor(foreColor_));
    // The upper half of an ellipse twice the rect's height, on a base line.
    painter.drawPie(x, rect.Top, w - 1, 2 * h - 2, 0, 180 * 16);
    painter.drawLine(x, bottom, x + w, bottom);
    const int p = PercentDone();
    if (p <= 0)
        return;
    const double a = p / 100.0 * std::numbers::pi;
    const int mx = width() / 2;
    painter.drawLine(mx, bottom - 1, int(RoundEven(mx * (1 - std::cos(a)))),
                     int(RoundEven((bottom - 1) * (1 - std::sin(a)))));
}

void TsGauge::PaintUnskinned(QPainter& painter) {
    // Black under an overlay combined by XOR: the overlay shows as painted; then the text, white
    // on black, XOR-ed over it so that it inverts whatever lies under it.
    QImage image(width(), height(), QImage::Format_RGB32);
    image.fill(Qt::black);
    QRect area = image.rect();
    if (borderStyle_ == framework::bsSingle)
        area.adjust(1, 1, -1, -1);
    QImage overlay(image.size(), QImage::Format_RGB32);
    overlay.fill(Qt::black);
    {
        QPainter over(&overlay);
        const int p = PercentDone();
        const int w = area.width() + 1;
        const int h = area.height() + 1;
        if (kind_ == gkPie || kind_ == gkNeedle) {
            over.fillRect(area, palette().color(backgroundRole()));
        } else {
            over.fillRect(area, framework::ToQColor(backColor_));
            if (kind_ == gkHorizontalBar) {
                const int s = std::min(GaugeShare(w, p), w);
                if (s > 0)
                    over.fillRect(QRect(QPoint(area.left(), area.top()), QPoint(s - 1, h - 1)) & area,
                                  framework::ToQColor(foreColor_));
            } else if (kind_ == gkVerticalBar) {
                int s = GaugeShare(h, p);
                if (s >= h)
                    s = h - 1;
                if (s > 0)
                    over.fillRect(QRect(QPoint(area.left(), h - s), QPoint(w - 1, h - 1)) & area,
                                  framework::ToQColor(foreColor_));
            }
        }
    }
    {
        QPainter combine(&image);
        combine.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        combine.drawImage(0, 0, overlay);
    }
    if (kind_ == gkPie || kind_ == gkNeedle) {
        Bitmap32 shape(width(), height());
        const QImage shown = image.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < height(); ++y)
            std::copy_n(reinterpret_cast<const Pixel*>(shown.constScanLine(y)), width(), shape.Row(y).data());
        if (kind_ == gkPie)
            PaintPie(shape, {area.left(), area.top(), area.right() + 1, area.bottom() + 1});
        else
            PaintNeedle(shape, {area.left(), area.top(), area.right() + 2, area.bottom() + 2});
        image = ImageView(shape).copy();
    }
    if (showText_) {
        QImage text(image.size(), QImage::Format_RGB32);
        text.fill(Qt::black);
        {
            QPainter write(&text);
            write.setFont(font());
            write.setPen(Qt::white);
            const QFontMetrics metrics(font());
            const QString shown = Text();
            const int tw = metrics.horizontalAdvance(shown);
            const int th = metrics.height();
            write.drawText(QPoint(area.left() + (width() - tw + 1) / 2, area.top() + (height() - th + 1) / 2 + metrics.ascent()),
                           shown);
        }
        QPainter combine(&image);
        combine.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        combine.drawImage(0, 0, text);
    }
    painter.drawImage(0, 0, image);
}

} // namespace skin
