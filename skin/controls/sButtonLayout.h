// Where a skinned push button puts its content: the room a command link keeps for its glyph, the
// rectangle the caption is measured in, the caption and glyph rectangles for each style and glyph
// alignment, and the dotted focus frame around the caption. Halvings truncate toward zero.
#pragma once

#include <QSize>

#include "skin/pixels/SkinTypes.h"

namespace skin {

enum TsButtonStyle { bsPushButton, bsCommandLink, bsSplitButton };
enum TsImageAlignment { iaLeft, iaRight, iaTop, iaBottom, iaCenter };

struct TsImageMargins {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool operator==(const TsImageMargins&) const = default;
};

// What the layout depends on.
struct TsButtonLayoutInput {
    int Width = 0;  // W
    int Height = 0; // H
    TsButtonStyle Style = bsPushButton;
    int ContentMargin = 6;
    TsImageMargins ImageMargins;
    TsImageAlignment ImageAlignment = iaLeft;
    bool HasGlyph = false;  // an image list and an ImageIndex inside it
    QSize ListSize;         // the list's image size (any, without a list)
    bool Pressed = false;   // content moves by (+1, +1)
};

// The split part's width; the caption area of a split button is this much narrower.
inline constexpr int kSplitPartWidth = 16;

// A command link's glyph room: the list's image size (32 x 32 without a glyph) plus the margins.
QSize CommandLinkImageSize(const TsButtonLayoutInput& in);
// The rectangle (Top and Bottom 0) whose width the caption is wrapped to when measured.
TRect CaptionMeasureRect(const TsButtonLayoutInput& in);
// The caption rectangle for a caption that measures text.
TRect CaptionRect(const TsButtonLayoutInput& in, QSize text);
// The glyph rectangle (in.HasGlyph only).
TRect GlyphRect(const TsButtonLayoutInput& in);
// The focus frame: the caption grown by FocusMargin + 1 across and FocusMargin down, kept at
// least 3 pixels from the top and bottom edges.
TRect FocusFrameRect(const TRect& caption, int focusMargin, int height);

} // namespace skin
