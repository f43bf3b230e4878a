// TvlSBAnimation: the fade of one caption button between its normal look (drawn in the
// FrameBitmap) and its hot or pressed look (an image shown over it at a growing or shrinking
// opacity), ticking every 12 ms. The image is shown by a click-through child of the form above
// the frame, so the fade lives inside the form's own window.
#pragma once

#include <QImage>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include "skin/pixels/Bitmap32.h"
#include "skin/pixels/SkinTypes.h"

namespace skin {

class TsSkinProvider;
struct TsCaptionButton;

// The image of a fade over the form, at an opacity.
class TvlFadeOverlay : public QWidget {
    Q_OBJECT
public:
    TvlFadeOverlay(QWidget* owner, const Bitmap32& image, TPoint position);
    void SetOpacity(int opacity);
    int Opacity() const { return opacity_; }
    const QImage& Image() const { return image_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
    int opacity_ = 0;
};

class TvlSBAnimation : public QObject {
    Q_OBJECT
public:
    static constexpr int kIntervalMs = 12;
    static constexpr int kFadeSteps = 10;

    TvlSBAnimation(TsSkinProvider& provider, TsCaptionButton& button);
    ~TvlSBAnimation() override;

    // Starts the fade towards state (0 normal, 1 hot, 2 pressed), or turns a running one round.
    void Aim(int state);
    // One timer tick (the timer calls it; tests may too).
    void Tick();

    int Target() const { return target_; }    // -1: finished
    int Step() const { return step_; }
    int MaxSteps() const { return maxSteps_; } // -1: a fade-in reached full opacity
    bool FadingIn() const { return fadingIn_; }
    bool Running() const { return timer_.isActive(); }
    // The opacity shown last (0 to 255) and the window showing it (nullptr when there is none).
    int Opacity() const { return window_ ? window_->Opacity() : 0; }
    TvlFadeOverlay* Window() const { return window_.data(); }
    const Bitmap32& Image() const { return image_; }

private:
    void Start(int state);
    void MakeImage();
    void Show(int opacity);
    void DropWindow();
    bool PointerOverButton() const;

    TsSkinProvider& provider_;
    TsCaptionButton& button_;
    QTimer timer_;
    int target_ = -1;
    int step_ = 0;
    int maxSteps_ = kFadeSteps;
    bool fadingIn_ = true;
    Bitmap32 image_;
    TPoint imageAt_;
    QPointer<TvlFadeOverlay> window_;
};

} // namespace skin
