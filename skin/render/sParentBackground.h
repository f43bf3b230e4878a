// What lies behind a control: how a skin record answers a child that asks for its background
// (SKC_GET_BACKGROUND), how a child asks its parent with fallbacks for unskinned parents, the
// colours derived when only a colour is known, the copy of a cache onto a window, the windowless
// children a container paints into its own image, and the broadcasts through a control tree.
#pragma once

#include <QRegion>

#include <cstdint>
#include <functional>

#include "skin/pixels/BlendOps.h"
#include "skin/render/sCommonData.h"

class QPainter;

namespace skin {

// The record's answer to SKC_GET_BACKGROUND for a painting state.
void FillBackgroundInfo(TsCommonData& record, TsBackgroundInfo& info, int state);
// The colour children treat as the record's background (the SKC_GET_CONTROL_COLOR answer).
TColor ControlColorAnswer(const TsCommonData& record);
// The record's background colour for a state.
TColor BackgroundColor(const TsCommonData& record, int state);
// A control's SKC_GET_CONTROL_COLOR answer, or its own colour resolved when it answers 0.
TColor AnsweredColor(QObject* control);

// Asks parent for what it shows; an unskinned parent paints itself into info.DC (paint now) or
// answers with its colour.
void ParentBackground(TsBackgroundInfo& info, QObject* parent, bool paintNow);

// What the record's owner paints over: its parent's image or colour, as a painter's backdrop.
// The answer keeps pointing into the parent's cache, so use it before the parent repaints.
struct TsParentBackdrop {
    TsBackgroundInfo Info;
    TsBackdrop Backdrop;
};
TsParentBackdrop ParentBackdrop(const TsCommonData& record);

// The cache's pixels from srcRect's top-left onto clipRect of the painter's device, leaving out
// the children that paint every pixel themselves and the windowless ones (painted afterwards).
void CopyCacheToDC(QObject* host, TsCommonData& record, const TRect& srcRect, bool refreshCorners, QPainter& dc,
                   const TRect& clipRect);
// The form for windows with child windows: every visible child window is left out, but of an
// unskinned group box only its frame (caption band and the skin's group-box border widths).
void CopyCacheToDCOfWindow(QObject* hostWindow, TsCommonData& record, const TRect& srcRect, bool refreshCorners,
                           QPainter& dc, const TRect& clipRect);

// Paints the container's windowless children onto dc (the container's coordinates moved by
// offset) through one off-screen image; visible is the part of dc that will be seen. Calls made
// while one runs (a child painting triggers its container again) do nothing.
enum class TsVisibility { Required, Ignored };
void PaintWindowlessChildren(QPainter& dc, const QRegion& visible, QObject* container, TsVisibility visibility,
                             TPoint offset);

// Spreads a skin command through the control's children (stopping at the first one being
// destroyed): windowless children and skinned child windows get it, other child windows pass it
// on to their own children unless the filter says to skip them.
void BroadcastToControls(QObject* control, int command, int argument = 0, std::intptr_t lParam = 0);
using TsBroadcastFilter = std::function<bool(QObject* window)>; // true: skip this window
void SetBroadcastFilter(TsBroadcastFilter filter);
// Sends the command to every direct child window of the window.
void BroadcastToChildWindows(QObject* window, int command, int argument = 0, std::intptr_t lParam = 0);

} // namespace skin
