// The sheet's layout. Parts are painted as the controls paint them: the section over the
// parent's image (the sheet itself), masks and glyphs where their painters place them.
#include "tests/internal_skin/PewterSheet.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include <QFont>
#include <QImage>
#include <QPainter>

#include "resources/TovrinResources.h"
#include "skin/pixels/ColorOps.h"
#include "skin/pixels/codecs/SkinPictures.h"
#include "skin/render/sFrameStrips.h"
#include "skin/render/sGlyphPaint.h"
#include "skin/data/sSkinModelLookups.h"
#include "skin/render/sMaskPaint.h"
#include "skin/render/sSectionPaint.h"

namespace skin::testing {
namespace {

constexpr int kSheetWidth = 700, kSheetHeight = 560;
constexpr Pixel kDesktop = 0xFFB9C4CE;
constexpr int kStates = 3;

class Sheet {
public:
    explicit Sheet(const TsSkinManager& manager) : m_(manager), canvas_(kSheetWidth, kSheetHeight) {
        canvas_.Fill(PixelOfColor(m_.Sections()[std::size_t(m_.GetSkinIndex("GLOBALINFO"))].Props[0].Color) |
                     0xFF000000u);
    }
    Bitmap32 Take() { return std::move(canvas_); }

    void FillRect(const TRect& r, Pixel colour) {
        for (int y = std::max(0, r.Top); y < std::min(canvas_.Height(), r.Bottom); ++y)
            for (int x = std::max(0, r.Left); x < std::min(canvas_.Width(), r.Right); ++x)
                canvas_.At(x, y) = colour;
    }

    // The section's picture over what the sheet shows there, as a control's cache is built.
    void Section(const char* name, int x, int y, int w, int h, int state) {
        const int index = m_.GetSkinIndex(name);
        if (index < 0)
            throw std::runtime_error(std::string("no section ") + name);
        Bitmap32 part(w, h);
        const Bitmap32 behind = canvas_;
        TsBackdrop backdrop;
        backdrop.Bitmap = &behind;
        backdrop.HasBitmap = true;
        backdrop.OffsetX = x;
        backdrop.OffsetY = y;
        const TsSectionPaint paint{.SectionIndex = index, .SectionName = name, .State = state, .Backdrop = backdrop};
        PaintSectionByIndex(m_.Model(), part, {0, 0, w, h}, paint);
        Blit(part, x, y);
    }

    void Glyph(const char* section, const char* key, int x, int y, int state) {
        const TsMaskData& mask = Mask(section, key);
        PaintSkinGlyph(canvas_, {x, y}, state, TsBackdrop{}, mask, GlyphMode::Normal, MaskPicture(m_.Model(), mask));
    }

    // Text as the controls draw it, in the section's font colour of the look (a transparent
    // brush, centred unless told otherwise).
    void Text(const char* section, int look, const TRect& r, const QString& text,
              int flags = Qt::AlignCenter, bool bold = false) {
        const TColor colour = m_.Sections()[std::size_t(m_.GetSkinIndex(section))].Props[std::size_t(look)].FontColor[FontColorEntry::fcText];
        QImage view(reinterpret_cast<uchar*>(canvas_.Data()), canvas_.Width(), canvas_.Height(),
                    int(canvas_.BytesPerLine()), QImage::Format_ARGB32);
        QPainter painter(&view);
        QFont font(QStringLiteral("Tahoma"));
        font.setPixelSize(11);
        font.setBold(bold);
        painter.setFont(font);
        painter.setPen(QColor(RedOf(colour), GreenOf(colour), BlueOf(colour)));
        painter.drawText(QRect(r.Left, r.Top, WidthOf(r), HeightOf(r)), flags, text);
    }

    // The program icon where the main window's title shows it.
    void Icon(int x, int y) {
        Bitmap32 icon = ReadPicture(ProgramIcon16Png(), "icon");
        for (int py = 0; py < icon.Height(); ++py)
            for (Pixel& p : icon.Row(py)) {
                const Pixel a = p >> 24;
                Pixel out = a << 24;
                for (int shift = 0; shift < 24; shift += 8)
                    out |= ((((p >> shift) & 0xFF) * a + 127) / 255) << shift;
                p = out;
            }
        Over(icon, x, y);
    }

    // A halo window: the glow mask painted into a transparent image around the control.
    void Halo(const char* section, int x, int y, int w, int h) {
        const TsMaskData& glow = Mask(section, "GLOW0");
        const int inset = m_.Sections()[std::size_t(m_.GetSkinIndex(section))].GlowMargin;
        Bitmap32 halo(w + glow.BorderLeft + glow.BorderRight - 2 * inset, h + glow.BorderTop + glow.BorderBottom - 2 * inset);
        PaintSkinMask(halo, {0, 0, halo.Width(), halo.Height()}, TsBackdrop{}, UseBackdrop::No, 0, glow,
                      MaskPicture(m_.Model(), glow));
        Over(halo, x + inset - glow.BorderLeft, y + inset - glow.BorderTop);
    }

    // A section shown as a layered window (hints): alpha painting, laid over the sheet.
    void Layered(const char* name, int x, int y, int w, int h) {
        Bitmap32 part(w, h);
        PaintSectionAlpha(m_.Model(), m_.GetSkinIndex(name), part, {0, 0, w, h}, 0);
        Over(part, x, y);
    }

    void Mask(const char* section, const char* key, const TRect& r, int state) {
        const Bitmap32 behind = canvas_;
        TsBackdrop backdrop;
        backdrop.Bitmap = &behind;
        backdrop.HasBitmap = true;
        const TsMaskData& mask = Mask(section, key);
        PaintSkinMask(canvas_, r, backdrop, UseBackdrop::Yes, state, mask, MaskPicture(m_.Model(), mask));
    }

    // A premultiplied picture laid over the sheet (the layered windows of the frame and halos).
    void Over(const Bitmap32& picture, int x, int y) {
        for (int py = 0; py < picture.Height(); ++py)
            for (int px = 0; px < picture.Width(); ++px) {
                if (!canvas_.Contains(x + px, y + py))
                    continue;
                const Pixel s = picture.At(px, py);
                Pixel& d = canvas_.At(x + px, y + py);
                const int keep = 255 - int(s >> 24);
                Pixel out = 0xFF000000u;
                for (int shift = 0; shift < 24; shift += 8) {
                    const int c = int((s >> shift) & 0xFF) + (int((d >> shift) & 0xFF) * keep + 127) / 255;
                    out |= Pixel(std::min(c, 255)) << shift;
                }
                d = out;
            }
    }

    // The frame of a form with extended borders in BORDERMODE 1: the form section inside the
    // margins, the extended image as a nine-part frame, then the close button.
    void Frame(int x, int y, int clientWidth, int clientHeight, bool active) {
        const TsSkinData& d = m_.SkinData();
        const auto& margins = m_.ExtendedMargins();
        const int w = clientWidth + 2 * d.BorderWidth + margins[0] + margins[2];
        const int h = clientHeight + d.TitleHeight + d.BorderWidth + margins[1] + margins[3];
        Bitmap32 frame(w, h);
        const TRect inner{margins[0], margins[1], w - margins[2], h - margins[3]};
        const int form = m_.GetSkinIndex("FORM");
        const TsSectionPaint paint{
            .SectionIndex = form, .SectionName = "FORM", .State = active, .BackdropPoint = {inner.Left, inner.Top}};
        PaintSectionByIndex(m_.Model(), frame, inner, paint);
        const Bitmap32& ext = active ? m_.ExtendedBorderActive() : m_.ExtendedBorderInactive();
        const TsMaskData& exMask = Mask("GLOBALINFO", "EXBORDER");
        const int h2 = (h - d.TitleHeight) / 2;
        const FrameWidths sourceMargins{exMask.BorderLeft, std::min<int>(exMask.BorderTop, h2 + d.TitleHeight),
                                        exMask.BorderRight, std::min<int>(exMask.BorderBottom, h2)};
        const FrameWidths strips{margins[0] + d.BorderWidth, margins[1] + d.TitleHeight, margins[2] + d.BorderWidth,
                                 margins[3] + d.BorderWidth + 2};
        const StripFills stretch{StripFill::Stretch, StripFill::Stretch, StripFill::Stretch, StripFill::Stretch};
        PaintFrameStrips(frame, ext, {0, 0, w, h}, stretch, strips, sourceMargins, {0, 0, ext.Width(), ext.Height()});
        const TsMaskData& close = Mask("GLOBALINFO", "BICONCLOSE");
        const int buttonSize = CellHeight(close);
        const int centre = margins[1] + d.TitleHeight - (d.MaxHeight - d.MaxHeight / 2) + d.CenterOffset;
        const int right = w - d.BIRight - margins[2] - d.BorderWidth;
        for (int state = 0; state < kStates; ++state)
            PaintSkinGlyph(frame, {right - (state + 1) * buttonSize, centre - buttonSize / 2}, active ? state : 0,
                           TsBackdrop{}, close, GlyphMode::Normal, MaskPicture(m_.Model(), close));
        Over(frame, x, y);
    }

private:
    const TsMaskData& Mask(const char* section, const char* key) const {
        const int index = m_.FindMask(section, key);
        if (index < 0)
            throw std::runtime_error(std::string("no mask ") + section + "/" + key);
        return m_.Masks()[std::size_t(index)];
    }

    void Blit(const Bitmap32& part, int x, int y) {
        for (int py = 0; py < part.Height(); ++py)
            for (int px = 0; px < part.Width(); ++px)
                if (canvas_.Contains(x + px, y + py))
                    canvas_.At(x + px, y + py) = part.At(px, py) | 0xFF000000u;
    }

    const TsSkinManager& m_;
    Bitmap32 canvas_;
};

} // namespace

Bitmap32 DrawPewterSheet(const TsSkinManager& manager) {
    Sheet sheet(manager);
    // Two windows on a desktop: the active one over the inactive one.
    sheet.FillRect({0, 0, kSheetWidth, 250}, kDesktop);
    sheet.Frame(250, 8, 200, 150, false);
    sheet.Text("FORMTITLE", 0, {292, 24, 400, 50}, QStringLiteral("Inactive window"), Qt::AlignLeft | Qt::AlignVCenter);
    sheet.Frame(8, 8, 240, 180, true);
    sheet.Icon(8 + 22, 8 + 21);
    sheet.Text("FORMTITLE", 1, {8 + 42, 24, 190, 50}, QStringLiteral("example.org Parser"), Qt::AlignLeft | Qt::AlignVCenter);
    sheet.Frame(470, 8, 180, 60, true);
    sheet.Text("FORMTITLE", 1, {492, 24, 600, 50}, QStringLiteral("Готово"), Qt::AlignLeft | Qt::AlignVCenter);

    // Caption buttons on the active title colour: the large set, then the small set.
    sheet.FillRect({470, 140, 690, 235}, 0xFF4E5863);
    const char* large[] = {"BICONCLOSE", "BICONMAX", "BICONNORM", "BICONMIN", "BICONHELP"};
    const char* small[] = {"SICONCLOSE", "SICONMAX", "SICONNORM", "SICONMIN", "SICONHELP"};
    for (int i = 0; i < 5; ++i)
        for (int state = 0; state < kStates; ++state) {
            sheet.Glyph("GLOBALINFO", large[i], 478 + i * 42, 146 + state * 28, state);
            if (state < 2)
                sheet.Glyph("GLOBALINFO", small[i], 478 + i * 42 + 26, 146 + state * 28 + 5, state);
        }

    // Push buttons, the huge button, speed buttons and the small ones (on an edit's white).
    int y = 262;
    const QString buttonCaptions[] = {QStringLiteral("Очистить"), QStringLiteral("Старт"), QStringLiteral("Стоп")};
    for (int state = 0; state < kStates; ++state) {
        sheet.Section("BUTTON", 10 + state * 70, y, 61, 29, state);
        const int shift = state == 2 ? 1 : 0;
        sheet.Text("BUTTON", std::min(state, 1), {10 + state * 70, y + shift, 71 + state * 70, y + 29 + shift},
                   buttonCaptions[state]);
        sheet.Section("BUTTON_HUGE", 225 + state * 90, y - 4, 80, 36, state);
        sheet.Section("SPEEDBUTTON", 500 + state * 34, y, 28, 28, state);
    }
    y += 44;
    for (int state = 0; state < 2; ++state) {
        sheet.Section("EDIT", 10 + state * 96, y, 80, 21, state);
        sheet.Section("SPEEDBUTTON_SMALL", 10 + state * 96 + 63, y + 1, 16, 10, state + 1);
        sheet.Section("SPEEDBUTTON_SMALL", 10 + state * 96 + 63, y + 10, 16, 10, state == 0 ? 0 : 2);
    }
    sheet.Section("EDIT", 200, y, 80, 21, 1);
    sheet.Halo("EDIT", 200, y, 80, 21);
    sheet.Section("COMBOBOX", 300, y, 90, 21, 0);
    sheet.Section("COMBOBTN", 300 + 90 - 18, y + 2, 16, 17, 1);
    sheet.Glyph("COMBOBOX", "GLYPHMASK", 300 + 90 - 15, y + 6, 1);

    // Check marks and radio buttons, all states.
    const char* marks[] = {"BOXUNCHECKED", "BOXCHECKED", "BOXGRAYED", "RADIOUNCHECKED", "RADIOCHECKED", "RADIOGRAYED"};
    for (int i = 0; i < 6; ++i)
        for (int state = 0; state < kStates; ++state)
            sheet.Glyph("GLOBALINFO", marks[i], 410 + i * 48 + state * 15, y + 4, state);

    // A group box and a page control with its tabs (the second tab active).
    y += 36;
    sheet.Section("GROUPBOX", 10, y + 6, 200, 54, 0);
    sheet.FillRect({18, y, 76, y + 12}, 0xFFE4E7EB);
    sheet.Text("GROUPBOX", 0, {18, y, 76, y + 12}, QStringLiteral("Диапазон"));
    sheet.Section("EDIT", 24, y + 22, 80, 21, 0);
    sheet.Text("EDIT", 0, {28, y + 22, 100, y + 43}, QStringLiteral("1"), Qt::AlignLeft | Qt::AlignVCenter);
    sheet.Section("PAGECONTROL", 230, y + 20, 220, 70, 0);
    sheet.Section("TABTOP", 232, y + 2, 60, 20, 0);
    sheet.Text("TABTOP", 0, {232, y + 4, 292, y + 22}, QStringLiteral("Таблица"));
    sheet.Section("TABTOP", 290, y, 64, 24, 1);
    sheet.Text("TABTOP", 1, {290, y + 2, 354, y + 22}, QStringLiteral("Текст"));
    sheet.Section("TABBOTTOM", 470, y, 60, 20, 0);
    sheet.Section("TABBOTTOM", 530, y, 60, 20, 1);
    sheet.Section("TABLEFT", 600, y, 24, 40, 0);
    sheet.Section("TABRIGHT", 630, y, 24, 40, 1);

    // The gauge with its bar and light strip, the status bar with dividers.
    y += 100;
    sheet.Section("GAUGE", 10, y, 205, 17, 0);
    sheet.Section("PROGRESSH", 10, y, 120, 17, 0);
    sheet.Mask("GAUGE", "BORDERSMASK", {10, y, 215, y + 17}, 0);
    const Bitmap32 light = ReadPicture(GaugeLightPng(), "VLGL");
    Bitmap32 strip(light.Width(), 17);
    for (int sy = 0; sy < 17; ++sy)
        for (int sx = 0; sx < light.Width(); ++sx) {
            const Pixel p = light.At(sx, std::min(light.Height() - 1, sy + 2));
            const Pixel a = p >> 24;
            strip.At(sx, sy) = a << 24 | a << 16 | a << 8 | a; // premultiplied white
        }
    sheet.Over(strip, 40, y);
    sheet.Text("PROGRESSH", 0, {10, y, 215, y + 17}, QStringLiteral("58%"));
    sheet.Section("STATUSBAR", 230, y - 1, 455, 19, 0);
    for (int x : {287, 377, 442, 577})
        sheet.Mask("DIVIDER", "BORDERSMASK", {x, y + 1, x + 2, y + 17}, 0);
    sheet.Text("STATUSBAR", 0, {234, y, 287, y + 17}, QStringLiteral("Парсим:"), Qt::AlignLeft | Qt::AlignVCenter);
    sheet.Text("STATUSBAR", 0, {291, y, 377, y + 17}, QStringLiteral("1207"), Qt::AlignLeft | Qt::AlignVCenter);
    sheet.Text("STATUSBAR", 0, {381, y, 442, y + 17}, QStringLiteral("Осталось:"), Qt::AlignLeft | Qt::AlignVCenter);
    sheet.Text("STATUSBAR", 0, {446, y, 577, y + 17}, QStringLiteral("8793"), Qt::AlignLeft | Qt::AlignVCenter);
    sheet.Text("WEBBUTTON", 0, {581, y, 685, y + 17}, QStringLiteral("example.org"), Qt::AlignLeft | Qt::AlignVCenter);

    // Scroll bars: track halves, arrows in normal / hot / pressed, the thumb normal and hot.
    y += 30;
    for (int bar = 0; bar < 2; ++bar) {
        const int top = y + bar * 22;
        sheet.Section("SCROLLBAR1H", 10, top, 150, 17, 0);
        sheet.Section("SCROLLBAR2H", 160, top, 150, 17, 0);
        sheet.Section("SCROLLBTNLEFT", 10, top, 26, 17, bar);
        sheet.Glyph("SCROLLBTNLEFT", "GLYPHMASK", 10 + 4, top + 4, bar);
        sheet.Section("SCROLLBTNRIGHT", 284, top, 26, 17, bar + 1);
        sheet.Glyph("SCROLLBTNRIGHT", "GLYPHMASK", 284 + 26 - 13, top + 4, bar + 1);
        sheet.Section("SCROLLSLIDERH", 110 + bar * 60, top, 50, 17, bar);
        sheet.Glyph("SCROLLSLIDERH", "GLYPHMASK", 110 + bar * 60 + 20, top + 5, bar);
    }
    sheet.Section("SCROLLBAR1V", 330, y - 10, 17, 40, 0);
    sheet.Section("SCROLLBAR2V", 330, y + 30, 17, 30, 0);
    sheet.Section("SCROLLBTNTOP", 330, y - 10, 17, 26, 1);
    sheet.Glyph("SCROLLBTNTOP", "GLYPHMASK", 334, y - 6, 1);
    sheet.Section("SCROLLSLIDERV", 330, y + 18, 17, 30, 1);
    sheet.Glyph("SCROLLSLIDERV", "GLYPHMASK", 335, y + 28, 1);

    // A popup menu: frame, icon column, a hot item and a divider.
    sheet.Section("MAINMENU", 370, y - 20, 160, 90, 0);
    sheet.Section("ICOLINE", 373, y - 17, 24, 84, 0);
    sheet.Section("MENUITEM", 375, y - 12, 152, 20, 1);
    sheet.Glyph("GLOBALINFO", "CHECK", 381, y - 8, 1);
    sheet.Text("MENUITEM", 1, {404, y - 12, 527, y + 8}, QStringLiteral("Restore"), Qt::AlignLeft | Qt::AlignVCenter);
    sheet.Text("MAINMENU", 0, {404, y + 20, 527, y + 40}, QStringLiteral("Move"), Qt::AlignLeft | Qt::AlignVCenter);
    sheet.Text("MAINMENU", 0, {404, y + 40, 527, y + 60}, QStringLiteral("Close"), Qt::AlignLeft | Qt::AlignVCenter);
    sheet.Section("DIVIDERV", 400, y + 14, 124, 3, 0);
    sheet.Section("SELECTION", 550, y - 20, 130, 18, 0);
    sheet.Text("SELECTION", 0, {554, y - 20, 680, y - 2}, QStringLiteral("12  photo.jpg  1.2 MB"), Qt::AlignLeft | Qt::AlignVCenter);
    sheet.Layered("HINT", 550, y + 5, 130, 30);
    sheet.Text("HINT", 0, {550, y + 5, 680, y + 35}, QStringLiteral("Start the scan"));
    sheet.Glyph("GLOBALINFO", "GRIPIMAGE", 660, y + 45, 0);
    return sheet.Take();
}

} // namespace skin::testing
