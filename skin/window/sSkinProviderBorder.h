// TvlBorderForm: the extended border of a skinned form. It shows the whole FrameBitmap (title,
// edges and the soft margin around them) with per-pixel alpha, hit-tests the frame, sets the
// cursors of its hit codes and lets clicks in the margin through to the windows beneath.
//
// On this platform the frame and the form are one translucent top-level window, so what the
// system does with a second layered window placed behind the form (following its position,
// size, z-order and activation) holds by construction; the "Window" here is the form's
// top-level as far as it shows the frame, and it exists while the form is shown.
#pragma once

#include <QPoint>
#include <QRegion>

#include <Qt>

namespace skin {

class TsSkinProvider;

class TvlBorderForm {
public:
    explicit TvlBorderForm(TsSkinProvider& owner);
    ~TvlBorderForm();
    TvlBorderForm(const TvlBorderForm&) = delete;
    TvlBorderForm& operator=(const TvlBorderForm&) = delete;

    // Renders the FrameBitmap when stale, repaints the frame when asked (or when it was rendered)
    // and keeps the input region in step with the frame. Never re-entered.
    void Update(bool repaint, int alpha = 255);
    // Where the form's own window (with its system frame) lies in the Window.
    int OffsetX() const;
    int OffsetY() const;
    // The hit code of a point of the Window (the top-level's coordinates); -1 for nothing.
    int BorderHitTest(QPoint point) const;
    // The frame without its margins: where the Window takes input.
    QRegion InputRegion() const;
    // The cursor of a hit code; false when the code leaves the cursor alone.
    static bool CursorFor(int hitCode, Qt::CursorShape& shape);

    // The Window shows the frame (made at the first Update, freed while the form is hidden or
    // minimized; a freed Window means the FrameBitmap is rendered afresh).
    bool WindowShown() const { return windowShown_; }
    void FreeWindow();
    // The owner window's enabled state (a modal window blocks it): a disabled owner's frame
    // answers no hit codes.
    void SetOwnerEnabled(bool enabled) { ownerEnabled_ = enabled; }
    bool OwnerEnabled() const { return ownerEnabled_; }
    // The alpha the last Update pushed.
    int Alpha() const { return alpha_; }

private:
    TsSkinProvider& owner_;
    bool updating_ = false;
    bool windowShown_ = false;
    bool ownerEnabled_ = true;
    int alpha_ = 255;
    QRegion inputRegion_;
};

} // namespace skin
