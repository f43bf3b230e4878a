// Text in the colours of the skin: a main colour per look, up to four one-pixel contours, an
// optional blurred glow behind the text, a muted colour when disabled, and colours borrowed
// from the nearest parent section that lends them. Glyphs are rasterised by Qt on a painter over
// the bitmap; the colours, offsets, glow and the alpha-keeping merge are the engine's own.
#pragma once

#include <QFont>
#include <QString>

#include <vector>

#include "skin/render/sCommonData.h"
#include "skin/pixels/BlendOps.h"

namespace skin {

// Text format flags (the platform's DrawText values).
using TsTextFormat = unsigned;
inline constexpr TsTextFormat DT_LEFT = 0x0, DT_CENTER = 0x1, DT_RIGHT = 0x2, DT_VCENTER = 0x4, DT_BOTTOM = 0x8,
                              DT_WORDBREAK = 0x10, DT_SINGLELINE = 0x20, DT_EXPANDTABS = 0x40, DT_NOCLIP = 0x100,
                              DT_NOPREFIX = 0x800, DT_END_ELLIPSIS = 0x8000, DT_RTLREADING = 0x20000;

// The font as skin text is drawn and measured with it: stems on whole pixels (full hinting),
// anti-aliasing kept, so that captions are as crisp as the pixel-exact pictures around them.
QFont SkinTextFont(QFont font);

// Qt's text flags for a format: horizontal alignment, vertical alignment (single lines only, as
// the platform does), word wrap, tab expansion, no clipping, mnemonics unless DT_NOPREFIX,
// right-to-left reading.
int QtTextFlags(TsTextFormat format);

// What text is written on: the bitmap, and the font and colour selected into it.
struct TsCanvas {
    Bitmap32& Bitmap;
    QFont Font;
    TColor FontColor{0};
};

// Text of a skinned control in its record's colours for a painting state.
void WriteSkinnedText(TsCanvas& canvas, const QString& text, bool enabled, int state, const TsCommonData& record,
                      TsTextFormat format, const TRect& rect);
// Text in a section's colours for a look (0 normal, 1 hot), without a record.
void WriteSectionText(TsCanvas& canvas, const QString& text, bool enabled, const TsSkinModel& skin, int look,
                      int sectionIndex, TsTextFormat format, const TRect& rect);
// The same colours merged so that the bitmap's alpha stays valid (written pixels become opaque):
// for images that become per-pixel-alpha windows.
void WriteAlphaText(TsCanvas& canvas, const QString& text, bool enabled, const TsSkinModel& skin, bool hotLook,
                    int sectionIndex, TsTextFormat format, const TRect& rect);

// The section whose text colours a control uses: the nearest ancestor section, at most half
// transparent, that lends its colours (GIVEOWNFONT), else defaultIndex.
int FindTextSection(QObject* control, int defaultIndex, const TsSkinModel& skin, int state);

// The blurred glow behind text, painted into target around rect in colour.
void PaintTextGlow(Bitmap32& target, const QString& text, const QFont& font, TsTextFormat format, const TRect& rect,
                   TColor colour, int radius);
// The blur's weights for a radius, from offset -(size - 1) / 2 to (size - 1) / 2, summing to 1.
std::vector<float> GlowKernel(int radius);
// Blurs an 8-bit picture (rows of width bytes) in place: rows, then columns, edges repeated.
void BlurGlowPicture(std::vector<std::uint8_t>& picture, int width, int height, const std::vector<float>& kernel);

// Makes a control image look disabled.
enum TsDisabledLook : int { dlBlendWithParent = 1, dlDesaturate = 2 };
void PaintDisabledLook(Bitmap32& bitmap, int flags, QObject* control, TPoint point, const TsBackdrop& backdrop);

// The text cut to maxWidth pixels, ending in "..." when shortened; empty when nothing fits.
QString CutText(const QFont& font, const QString& text, int maxWidth);

// Text format flags for an alignment, with the control's right-to-left reading.
enum class TsAlignment { LeftJustify, RightJustify, Center };
TsTextFormat AlignmentFlags(QObject* control, TsAlignment alignment);

// A copy of a font turned by angle (tenths of a degree); the canvas's text colour becomes colour.
struct TsRotatedFont {
    QFont Font;
    int Angle = 0;
};
TsRotatedFont SelectRotatedFont(TsCanvas& canvas, const QFont& font, TColor colour, int angle);
// Text written with a turned font from (x, y), its baseline's start.
void WriteRotatedText(TsCanvas& canvas, const TsRotatedFont& font, int x, int y, const QString& text);

// Text sizes and plain text in the canvas's font and colour.
int TextWidth(const QFont& font, const QString& text);
QSize TextExtent(const QFont& font, const QString& text);
void DrawPlainText(TsCanvas& canvas, const QString& text, TsTextFormat format, const TRect& rect);

} // namespace skin
