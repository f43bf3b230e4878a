// What skin records and painters may ask of a control they only hold as a QObject: its place in
// the control tree, its state, colours and font, and how to make it paint. The painters stay
// free of the widget layer; the skinned controls install the answers for real widgets
// (InstallWidgetAccess), and until then every object is a bare QObject without geometry.
#pragma once

#include <QFont>
#include <QObject>

#include <memory>
#include <string>
#include <vector>

#include "skin/pixels/BlendOps.h"

namespace skin {

enum class TsRedraw {
    Later,  // invalidate the control and all its children
    Now,    // and paint them before returning
};

class TsControlAccess {
public:
    virtual ~TsControlAccess() = default;

    // --- The tree. Rects are in the parent's coordinates; Right and Bottom exclusive.
    virtual bool IsControl(const QObject* object) const;
    virtual QObject* Parent(const QObject* control) const;
    // The child controls from the bottom of the z-order to the top.
    virtual std::vector<QObject*> Children(const QObject* control) const;
    virtual TRect Bounds(const QObject* control) const;
    // The top-level window of the control, and the control's origin in it.
    virtual QObject* TopLevel(const QObject* control) const;
    virtual TPoint OriginInTopLevel(const QObject* control) const;
    // The part of the control that its ancestors do not cut away, in its own coordinates.
    virtual TRect VisiblePart(const QObject* control) const;

    // --- State.
    virtual bool IsVisible(const QObject* control) const;  // its own Visible flag
    virtual bool IsShowing(const QObject* control) const;  // visible with all its ancestors
    virtual bool IsEnabled(const QObject* control) const;
    // Its window is blocked by a modal window (counts as disabled for hover).
    virtual bool IsBlocked(const QObject* control) const;
    virtual bool IsWindowless(const QObject* control) const;
    virtual bool IsDestroying(const QObject* control) const;
    virtual bool HasFocus(const QObject* control) const;
    virtual bool CanFocus(const QObject* control) const;  // takes the focus by the Tab key
    virtual bool IsOpaque(const QObject* control) const;  // paints every pixel itself
    virtual bool IsLabel(const QObject* control) const;
    virtual bool IsScrollingWindow(const QObject* control) const;  // forms and scroll boxes
    virtual bool IsGroupBoxWindow(const QObject* control) const;    // an unskinned group box
    virtual bool IsRightToLeft(const QObject* control) const;      // reads from right to left
    // The framework's class name ("TsButton"); by default the object's class without namespace.
    virtual std::string ClassName(const QObject* object) const;

    // --- Colours (0x00BBGGRR, system colours allowed) and font.
    virtual TColor Color(const QObject* control) const;
    virtual void SetColor(QObject* control, TColor colour);
    virtual TColor FontColor(const QObject* control) const;
    virtual void SetFontColor(QObject* control, TColor colour);
    virtual QFont Font(const QObject* control) const;

    // --- Painting.
    virtual void Invalidate(QObject* control, TsRedraw redraw);
    virtual void InvalidateRect(QObject* control, const TRect& rect);
    // The control paints itself (background and content, without its children) into target with
    // its top-left corner at origin, touching only clip (target coordinates). False when it cannot.
    virtual bool Render(QObject* control, Bitmap32& target, TPoint origin, const TRect& clip);
};

// The access in force; never null.
TsControlAccess& ControlAccess();
// Replaces the access (nullptr puts the QObject-only answers back); returns the previous one.
std::unique_ptr<TsControlAccess> SetControlAccess(std::unique_ptr<TsControlAccess> access);

} // namespace skin
