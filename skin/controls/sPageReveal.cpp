// The reveal's frames, cover and capture.
#include "skin/controls/sPageReveal.h"

#include <QPainter>
#include <QThread>

#include <cstring>

#include "skin/pixels/ColorOps.h"
#include "skin/pixels/RectClip.h"
#include "skin/render/sAnimationFlag.h"
#include "skin/render/sImageView.h"
#include "skin/window/sWidgetAccess.h"

namespace skin {

namespace {
constexpr int kFullWeight = 255;
constexpr Pixel kOpaque = 0xFF000000u;

// (w * (old - new) + new * 256) >> 8: w / 256 of the old channel over the new one.
inline int RevealChannel(int oldValue, int newValue, int weight) {
    return (weight * (oldValue - newValue) + newValue * 256) >> 8;
}
} // namespace

int RevealWeight(int frame, int frameCount) {
    return frameCount <= 0 ? 0 : kFullWeight - frame * (kFullWeight / frameCount);
}

Bitmap32 RevealFrame(const Bitmap32& oldImage, const Bitmap32& newImage, int weight) {
    Bitmap32 frame = newImage;
    const int width = std::min(oldImage.Width(), newImage.Width());
    const int height = std::min(oldImage.Height(), newImage.Height());
    for (int y = 0; y < height; ++y) {
        const auto from = oldImage.Row(y);
        auto to = frame.Row(y);
        for (int x = 0; x < width; ++x) {
            const Pixel o = from[std::size_t(x)];
            const Pixel n = to[std::size_t(x)];
            to[std::size_t(x)] = MakeValue(RevealChannel(Byte0(o), Byte0(n), weight),
                                           RevealChannel(Byte1(o), Byte1(n), weight),
                                           RevealChannel(Byte2(o), Byte2(n), weight), kFullWeight);
        }
    }
    return frame;
}

Bitmap32 CaptureWidget(QWidget* widget) {
    Bitmap32 image;
    if (widget == nullptr || !image.SetSize(widget->width(), widget->height()))
        return image;
    TsCaptureScope capturing;
    QImage view = ImageView(image);
    view.fill(Qt::black);
    widget->render(&view, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren);
    for (int y = 0; y < image.Height(); ++y)
        for (Pixel& pixel : image.Row(y))
            pixel |= kOpaque;
    return image;
}

TsRevealCover::TsRevealCover(QWidget* control) : QWidget(control) {
    setObjectName(QStringLiteral("RevealCover"));
    MarkEngineWindow(this);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(control->rect());
}

void TsRevealCover::ShowImage(const Bitmap32& image) {
    image_ = image;
    if (!isVisible()) {
        raise();
        show();
    }
    repaint();
}

void TsRevealCover::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    DrawOpaque(painter, {0, 0}, image_, RectOf(image_));
}

void RevealControl(QWidget* control, const Bitmap32& oldImage, int timeMs) {
    if (control == nullptr || oldImage.Empty())
        return;
    const int frames = timeMs / kRevealFrameInterval;
    if (frames <= 0)
        return; // the new look alone: the control's own repaint shows it
    TsAnimationScope animating;
    // The new look first, while no cover lies over the control.
    const Bitmap32 newImage = CaptureWidget(control);
    TsRevealCover cover(control);
    for (int i = 0; i <= frames; ++i) {
        cover.ShowImage(RevealFrame(oldImage, newImage, RevealWeight(i, frames)));
        QThread::msleep(kRevealFrameInterval);
    }
    cover.ShowImage(newImage);
    cover.hide();
}

} // namespace skin
