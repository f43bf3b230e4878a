// The page-change reveal: a cover over the page control shows its old look and then blends into
// the new one in frames 12 ms apart, painted inside the window; the cover goes once the new look
// is shown. Also the capture of a control's look off screen that the reveal starts from.
#pragma once

#include <QWidget>

#include "skin/pixels/Bitmap32.h"

namespace skin {

inline constexpr int kRevealFrameInterval = 12; // milliseconds

// The old image's weight in frame i of a reveal of n frames: 255 - i * (255 div n).
int RevealWeight(int frame, int frameCount);
// A frame: per channel (w * (old - new) + new * 256) >> 8; alpha opaque.
Bitmap32 RevealFrame(const Bitmap32& oldImage, const Bitmap32& newImage, int weight);

// The widget and its children as they look now, painted off screen.
Bitmap32 CaptureWidget(QWidget* widget);

// The cover: a child over the whole control, showing one image.
class TsRevealCover : public QWidget {
    Q_OBJECT
public:
    explicit TsRevealCover(QWidget* control);
    void ShowImage(const Bitmap32& image);
    const Bitmap32& Image() const { return image_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Bitmap32 image_;
};

// Reveals control's current look over oldImage: (timeMs div 12) + 1 blended frames, then the new
// image; nothing when timeMs is below 12 (the control's own repaint shows the new look).
void RevealControl(QWidget* control, const Bitmap32& oldImage, int timeMs);

} // namespace skin
