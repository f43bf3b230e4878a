// The widget layer's answers to what skin records and painters ask of controls (over QWidget) and
// of the skin manager, and the carrier of glow halos: a click-through overlay inside the
// control's window.
#pragma once

#include <QImage>
#include <QWidget>

#include "skin/render/sControlAccess.h"

namespace skin {

// Installs the widget and manager answers and the halo overlays for the whole process (idempotent).
void InstallWidgetAccess();

// A skinned control marks itself while its destructor runs, so that broadcasts and parents
// leave it alone from then on.
void MarkDestroying(QWidget* control);
// Windows the engine makes for itself (halos) are no controls: never skinned, never walked.
void MarkEngineWindow(QWidget* window);
bool IsEngineWindow(const QObject* object);
// True while a container paints the control into its own image (a windowless control paints
// itself only then).
bool IsPaintingCopy(const QWidget* control);

// A halo on screen: a child of the owner window above its other children, showing a
// premultiplied image, never taking the focus or the pointer.
class TvlGlowOverlay : public QWidget {
    Q_OBJECT
public:
    TvlGlowOverlay(QWidget* owner, const Bitmap32& image, TPoint position);
    const QImage& Image() const { return image_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage image_;
};

class TsWidgetAccess : public TsControlAccess {
public:
    bool IsControl(const QObject* object) const override;
    QObject* Parent(const QObject* control) const override;
    std::vector<QObject*> Children(const QObject* control) const override;
    TRect Bounds(const QObject* control) const override;
    QObject* TopLevel(const QObject* control) const override;
    TPoint OriginInTopLevel(const QObject* control) const override;
    TRect VisiblePart(const QObject* control) const override;
    bool IsVisible(const QObject* control) const override;
    bool IsShowing(const QObject* control) const override;
    bool IsEnabled(const QObject* control) const override;
    bool IsBlocked(const QObject* control) const override;
    bool IsWindowless(const QObject* control) const override;
    bool IsDestroying(const QObject* control) const override;
    bool HasFocus(const QObject* control) const override;
    bool CanFocus(const QObject* control) const override;
    bool IsOpaque(const QObject* control) const override;
    bool IsLabel(const QObject* control) const override;
    bool IsScrollingWindow(const QObject* control) const override;
    bool IsGroupBoxWindow(const QObject* control) const override;
    bool IsRightToLeft(const QObject* control) const override;
    std::string ClassName(const QObject* object) const override;
    TColor Color(const QObject* control) const override;
    void SetColor(QObject* control, TColor colour) override;
    TColor FontColor(const QObject* control) const override;
    void SetFontColor(QObject* control, TColor colour) override;
    QFont Font(const QObject* control) const override;
    void Invalidate(QObject* control, TsRedraw redraw) override;
    void InvalidateRect(QObject* control, const TRect& rect) override;
    bool Render(QObject* control, Bitmap32& target, TPoint origin, const TRect& clip) override;
};

} // namespace skin
