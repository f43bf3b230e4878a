// Bitmap views for Qt's painter and the opaque block copy onto a device.
#include "skin/render/sImageView.h"

#include <QPainter>

#include "skin/pixels/RectClip.h"

namespace skin {

QImage ImageView(Bitmap32& bitmap) {
    if (bitmap.Empty())
        return QImage();
    return QImage(reinterpret_cast<uchar*>(bitmap.Data()), bitmap.Width(), bitmap.Height(),
                  qsizetype(bitmap.BytesPerLine()), QImage::Format_ARGB32);
}

void DrawOpaque(QPainter& painter, TPoint at, const Bitmap32& bitmap, const TRect& srcRect) {
    const TRect source = IntersectRects(srcRect, RectOf(bitmap));
    if (RectIsEmpty(source))
        return;
    // A window ignores the alpha of a block transfer; Qt would weigh the colours by it.
    const int width = WidthOf(source);
    const int height = HeightOf(source);
    QImage opaque(width, height, QImage::Format_RGB32);
    constexpr Pixel kOpaque = 0xFF000000u;
    for (int y = 0; y < height; ++y) {
        const Pixel* from = bitmap.Row(source.Top + y).data() + source.Left;
        auto* to = reinterpret_cast<Pixel*>(opaque.scanLine(y));
        for (int x = 0; x < width; ++x)
            to[x] = from[x] | kOpaque;
    }
    const QPainter::CompositionMode mode = painter.compositionMode();
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QPoint(at.X + source.Left - srcRect.Left, at.Y + source.Top - srcRect.Top), opaque);
    painter.setCompositionMode(mode);
}

} // namespace skin
