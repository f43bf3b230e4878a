// Skinned text: contours, the main colour, the disabled colours and the text glow, written through
// one painter per call; the alpha-keeping merge and the glow blur on our own rows.
#include "skin/render/sSkinnedText.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>

#include "framework/core/SkinCommand.h"
#include "skin/data/sSkinModelLookups.h"
#include "skin/data/sSystemColors.h"
#include "skin/pixels/ColorOps.h"
#include "skin/pixels/PixelOps.h"
#include "skin/pixels/RectClip.h"
#include "skin/render/sControlAccess.h"
#include "skin/render/sImageView.h"
#include "skin/render/sParentBackground.h"
#include "skin/data/sSkinCommands.h"

namespace skin {

namespace {

constexpr double kDisabledMix = 0.4;
constexpr int kHalfTransparency = 50;
constexpr int kGlowMargin = 4;
constexpr int kKernelCentre = 100;
constexpr double kDroppedWeight = 1.0 / 510.0;
constexpr int kDesaturation = -90;
constexpr double kParentShare = 0.4;
constexpr double kHalfFade = 0.5;
constexpr TColor kButtonHighlight = framework::clBtnHighlight;
constexpr TColor kButtonShadow = framework::clBtnShadow;
const QString kEllipsis = QStringLiteral("...");

// The one-pixel places of the contours, in the order of a look's font colours (left, top,
// right, bottom).
struct ContourOffset {
    FontColorEntry Entry;
    int Dx;
    int Dy;
};
constexpr std::array<ContourOffset, 4> kContours = {
    {{FontColorEntry::fcLeft, -1, 0}, {FontColorEntry::fcTop, 0, -1}, {FontColorEntry::fcRight, 1, 0}, {FontColorEntry::fcBottom, 0, 1}}};

QColor QtColour(TColor colour) {
    const TColor rgb = ResolveSkinColor(colour);
    return QColor(RedOf(rgb), GreenOf(rgb), BlueOf(rgb));
}

TColor Shifted(TColor colour, int hue, int saturation) {
    return ShiftSaturationColor(ShiftHueColor(hue, colour), saturation);
}

QRect QtRect(const TRect& rect, int dx = 0, int dy = 0) {
    return QRect(rect.Left + dx, rect.Top + dy, WidthOf(rect), HeightOf(rect));
}

QString ShownText(const QString& text, const QFont& font, TsTextFormat format, const TRect& rect) {
    if (!(format & DT_END_ELLIPSIS))
        return text;
    return QFontMetrics(SkinTextFont(font)).elidedText(text, Qt::ElideRight, WidthOf(rect), QtTextFlags(format));
}

// One painter over a bitmap for the colours of one text, clipped to the text's rect.
class TextPainter {
public:
    TextPainter(Bitmap32& bitmap, const QFont& font, const TRect& clip) : image_(ImageView(bitmap)) {
        if (image_.isNull())
            return;
        font_ = SkinTextFont(font);
        painter_.begin(&image_);
        painter_.setFont(font_);
        painter_.setClipRect(QtRect(clip));
    }
    bool Ready() const { return painter_.isActive(); }
    void SetUnderline() {
        font_.setUnderline(true);
        painter_.setFont(font_);
    }
    const QFont& Font() const { return font_; }
    void Draw(const QString& text, const TRect& rect, TsTextFormat format, TColor colour, int dx = 0, int dy = 0) {
        painter_.setPen(QtColour(colour));
        painter_.drawText(QtRect(rect, dx, dy), QtTextFlags(format), text);
    }

private:
    QImage image_;
    QPainter painter_;
    QFont font_;
};

// Contours that are not -1 and then the main colour (unclipped by its rect), each through
// colourOf (the record's hue and saturation).
template <class ColourOf>
void DrawInLookColours(TextPainter& painter, const QString& text, const TRect& rect, TsTextFormat format,
                       const TsFontColors& colours, ColourOf&& colourOf) {
    for (const ContourOffset& contour : kContours) {
        const TColor colour = colours[contour.Entry];
        if (colour != kNoColor)
            painter.Draw(text, rect, format, colourOf(colour), contour.Dx, contour.Dy);
    }
    painter.Draw(text, rect, format | DT_NOCLIP, colourOf(colours[FontColorEntry::fcText]));
}

const TsGeneralData* SectionAt(const TsSkinModel& skin, int index) {
    return IsValidSkinIndex(skin, index) ? &skin.gd[std::size_t(index)] : nullptr;
}

bool PaintsCentre(const TsSkinModel& skin, const TsGeneralData& section) {
    return IsValidImgIndex(skin, section.BorderIndex) &&
           (skin.ma[std::size_t(section.BorderIndex)].FillFlags & kFillPaintCentre);
}

// The section index an ancestor shows, or -1 when it has none.
int SectionIndexOf(QObject* ancestor) {
    if (TsCommonData* record = SkinDataOf(ancestor))
        return record->SectionIndex;
    TvlSectionInfo info;
    framework::SendSkinCommand(ancestor, SKC_GET_SECTION_INDEX, 0, reinterpret_cast<std::intptr_t>(&info));
    return info.SectionIndex;
}

// Text drawn once, in black on white, into an 8-bit picture (255 where nothing was drawn).
struct GreyText {
    std::vector<std::uint8_t> Values;
    int Width = 0;
    int Height = 0;
};

template <class Offsets>
GreyText DrawGreyText(int width, int height, const QString& text, const QFont& font, TsTextFormat format,
                      const TRect& textRect, const Offsets& offsets) {
    GreyText grey;
    if (width <= 0 || height <= 0 || !Bitmap32::SizeIsAllowed(width, height))
        return grey;
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(Qt::white);
    {
        QPainter painter(&picture);
        // Grey coverage only: one value serves every channel.
        QFont grey = SkinTextFont(font);
        grey.setStyleStrategy(QFont::StyleStrategy(grey.styleStrategy() | QFont::NoSubpixelAntialias));
        painter.setFont(grey);
        painter.setPen(Qt::black);
        for (const auto& [dx, dy] : offsets)
            painter.drawText(QtRect(textRect, dx, dy), QtTextFlags(format), text);
    }
    grey.Width = width;
    grey.Height = height;
    grey.Values.resize(std::size_t(width) * std::size_t(height));
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const Pixel*>(picture.constScanLine(y));
        for (int x = 0; x < width; ++x)
            grey.Values[std::size_t(y) * std::size_t(width) + std::size_t(x)] = std::uint8_t(Byte1(row[x]));
    }
    return grey;
}

// The alpha-keeping merge of one colour: where the grey text is not white,
// d := ((d - c) * m + c * 256) >> 8 per channel, m the same channel of the grey picture.
void MergeGreyText(Bitmap32& bitmap, const GreyText& grey, const TRect& rect, TColor colour) {
    const Pixel c = PixelOfColor(ResolveSkinColor(colour));
    const int cb = Byte0(c), cg = Byte1(c), cr = Byte2(c);
    for (int y = 0; y < grey.Height; ++y) {
        const int ty = rect.Top + y;
        if (ty < 0 || ty >= bitmap.Height())
            continue;
        auto row = bitmap.Row(ty);
        const std::uint8_t* values = grey.Values.data() + std::size_t(y) * std::size_t(grey.Width);
        for (int x = 0; x < grey.Width; ++x) {
            const int tx = rect.Left + x;
            const int m = values[x];
            if (m == 255 || tx < 0 || tx >= bitmap.Width())
                continue;
            Pixel& d = row[std::size_t(tx)];
            const auto mix = [m](int dc, int cc) { return ((dc - cc) * m + cc * 256) >> 8; };
            d = MakeValue(mix(Byte0(d), cb), mix(Byte1(d), cg), mix(Byte2(d), cr), 255);
        }
    }
}

void WriteAlphaColour(TsCanvas& canvas, const QString& text, TsTextFormat format, const TRect& rect, TColor colour,
                      int dx, int dy) {
    const std::array<std::pair<int, int>, 1> once = {{{dx, dy}}};
    const GreyText grey =
        DrawGreyText(WidthOf(rect), HeightOf(rect), text, canvas.Font, format,
                     RectAt(0, 0, WidthOf(rect), HeightOf(rect)), once);
    MergeGreyText(canvas.Bitmap, grey, rect, colour);
}

} // namespace

QFont SkinTextFont(QFont font) {
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

int QtTextFlags(TsTextFormat format) {
    int flags = Qt::AlignAbsolute;
    if (format & DT_CENTER)
        flags |= Qt::AlignHCenter;
    else if (format & DT_RIGHT)
        flags |= Qt::AlignRight;
    else
        flags |= Qt::AlignLeft;
    if ((format & DT_SINGLELINE) && (format & DT_VCENTER))
        flags |= Qt::AlignVCenter;
    else if ((format & DT_SINGLELINE) && (format & DT_BOTTOM))
        flags |= Qt::AlignBottom;
    else
        flags |= Qt::AlignTop;
    if (format & DT_SINGLELINE)
        flags |= Qt::TextSingleLine;
    if (format & DT_WORDBREAK)
        flags |= Qt::TextWordWrap;
    if (format & DT_EXPANDTABS)
        flags |= Qt::TextExpandTabs;
    if (format & DT_NOCLIP)
        flags |= Qt::TextDontClip;
    if (!(format & DT_NOPREFIX))
        flags |= Qt::TextShowMnemonic;
    if (format & DT_RTLREADING)
        flags |= Qt::TextForceRightToLeft;
    return flags;
}

int FindTextSection(QObject* control, int defaultIndex, const TsSkinModel& skin, int state) {
    TsControlAccess& access = ControlAccess();
    QObject* current = control;
    while (current != nullptr) {
        QObject* parent = access.Parent(current);
        if (parent == nullptr)
            return defaultIndex;
        const bool hasRecord = SkinDataOf(parent) != nullptr;
        const int index = SectionIndexOf(parent);
        const TsGeneralData* section = SectionAt(skin, index);
        if (section == nullptr)
            return defaultIndex;
        const int look = std::min(state > 0 ? 1 : 0, section->States - 1);
        const int t = section->Props[std::size_t(std::max(look, 0))].Transparency;
        const bool opaqueEnough = t <= kHalfTransparency ||
                                  (hasRecord && (PaintsCentre(skin, *section) || access.Parent(parent) == nullptr));
        if (opaqueEnough)
            return section->GiveOwnFont ? index : defaultIndex;
        // The parent shows what lies behind it: its own parent is examined next.
        current = parent;
    }
    return defaultIndex;
}

void WriteSkinnedText(TsCanvas& canvas, const QString& text, bool enabled, int state, const TsCommonData& record,
                      TsTextFormat format, const TRect& rect) {
    if (text.isEmpty())
        return;
    TextPainter painter(canvas.Bitmap, canvas.Font, rect);
    if (!painter.Ready())
        return;
    const TsSkinModel* skin = record.Model();
    const TsCommonIndexes* indexes = record.CommonIndexes();
    if (state > 0 && indexes && record.SectionIndex >= 0 && record.SectionIndex == indexes->WebButton)
        painter.SetUnderline();
    if (!record.IsSkinned() || record.CustomFont() || skin == nullptr) {
        const QString shown = ShownText(text, painter.Font(), format, rect);
        if (enabled) {
            painter.Draw(shown, rect, format, canvas.FontColor);
        } else {
            painter.Draw(shown, rect, format, kButtonHighlight, 1, 1);
            painter.Draw(shown, rect, format, kButtonShadow);
        }
        return;
    }
    const int look = state > 0 ? 1 : 0;
    int colourSection = record.SectionIndex;
    QObject* host = record.HostControl();
    const TsGeneralData& own = *record.Section();
    const bool borrows = record.ControlKind == kKindCheckBox || record.ControlKind == kKindRadioButton ||
                         record.ControlKind == kKindGroupBox ||
                         (host && ControlAccess().IsWindowless(host) && ControlAccess().Parent(host));
    if (borrows && own.Props[std::size_t(look)].Transparency > 0)
        colourSection = FindTextSection(host, colourSection, *skin, 0);
    const TsGeneralData* section = SectionAt(*skin, colourSection);
    const QString shown = ShownText(text, painter.Font(), format, rect);
    if (section == nullptr) {
        painter.Draw(shown, rect, format, canvas.FontColor);
        return;
    }
    const int hue = record.HUEOffset();
    const int saturation = record.Saturation();
    const auto shift = [&](TColor colour) { return Shifted(colour, hue, saturation); };
    const TsGenState& values = section->Props[std::size_t(look)];
    if (record.CacheBitmap && values.GlowSize > 0)
        PaintTextGlow(*record.CacheBitmap, shown, painter.Font(), format, rect, shift(values.GlowColor),
                      values.GlowSize);
    if (!enabled) {
        const TColor muted = LerpColor(section->Props[TsLook::Normal].FontColor[FontColorEntry::fcText], skin->Palette[PaletteEntry::pcMainColor], kDisabledMix);
        painter.Draw(shown, rect, format, shift(muted));
        return;
    }
    DrawInLookColours(painter, shown, rect, format, values.FontColor, shift);
}

void WriteSectionText(TsCanvas& canvas, const QString& text, bool enabled, const TsSkinModel& skin, int look,
                      int sectionIndex, TsTextFormat format, const TRect& rect) {
    if (text.isEmpty())
        return;
    TextPainter painter(canvas.Bitmap, canvas.Font, rect);
    if (!painter.Ready())
        return;
    const QString shown = ShownText(text, canvas.Font, format, rect);
    const TsGeneralData* section = SectionAt(skin, sectionIndex);
    if (section == nullptr) {
        painter.Draw(shown, rect, format, canvas.FontColor);
        return;
    }
    if (!enabled) {
        painter.Draw(shown, rect, format, LerpColor(section->Props[0].FontColor[FontColorEntry::fcText], section->Props[TsLook::Normal].Color, kDisabledMix));
        return;
    }
    const int chosen = std::clamp(look, 0, 1);
    DrawInLookColours(painter, shown, rect, format, section->Props[std::size_t(chosen)].FontColor,
                      [](TColor colour) { return colour; });
}

void WriteAlphaText(TsCanvas& canvas, const QString& text, bool enabled, const TsSkinModel& skin, bool hotLook,
                    int sectionIndex, TsTextFormat format, const TRect& rect) {
    if (text.isEmpty() || RectIsEmpty(rect))
        return;
    const QString shown = ShownText(text, canvas.Font, format, rect);
    const TsGeneralData* section = SectionAt(skin, sectionIndex);
    if (section == nullptr) {
        WriteAlphaColour(canvas, shown, format, rect, canvas.FontColor, 0, 0);
        return;
    }
    const int look = hotLook && section->States > 0 ? 1 : 0;
    const TsFontColors& colours = section->Props[std::size_t(look)].FontColor;
    if (!enabled) {
        WriteAlphaColour(canvas, shown, format, rect,
                         LerpColor(section->Props[0].FontColor[FontColorEntry::fcText], section->Props[TsLook::Normal].Color, kDisabledMix), 0, 0);
        return;
    }
    for (const ContourOffset& contour : kContours)
        if (colours[contour.Entry] != kNoColor)
            WriteAlphaColour(canvas, shown, format, rect, colours[contour.Entry], contour.Dx, contour.Dy);
    WriteAlphaColour(canvas, shown, format, rect, colours[FontColorEntry::fcText], 0, 0);
}

// ---------------------------------------------------------------- the text glow

std::vector<float> GlowKernel(int radius) {
    if (radius <= 0)
        return {1.0f};
    std::array<float, 2 * kKernelCentre + 1> weights{};
    float sum = 0;
    for (int i = 0; i < int(weights.size()); ++i) {
        const float x = float(i - kKernelCentre) / float(radius);
        weights[std::size_t(i)] = std::exp(-x * x / 2.0f);
        sum += weights[std::size_t(i)];
    }
    for (float& weight : weights)
        weight /= sum;
    // The outer pairs go until their weight reaches 1/510 (that pair goes too) or only -1..1 is left.
    int keep = kKernelCentre;
    float dropped = 0;
    while (keep > 1) {
        dropped += weights[std::size_t(kKernelCentre - keep)] + weights[std::size_t(kKernelCentre + keep)];
        --keep;
        if (dropped >= float(kDroppedWeight))
            break;
    }
    std::vector<float> kernel(weights.begin() + (kKernelCentre - keep), weights.begin() + (kKernelCentre + keep + 1));
    float kept = 0;
    for (float weight : kernel)
        kept += weight;
    for (float& weight : kernel)
        weight /= kept;
    return kernel;
}

void BlurGlowPicture(std::vector<std::uint8_t>& picture, int width, int height, const std::vector<float>& kernel) {
    if (width <= 0 || height <= 0 || kernel.empty())
        return;
    const int reach = int(kernel.size() / 2);
    const std::vector<double> weights(kernel.begin(), kernel.end());
    // The weights are single-precision and sum to 1 only up to their rounding; the small
    // allowance keeps an even area at its value instead of truncating it one step lower.
    constexpr double kRoundingAllowance = 1e-4;
    const int longest = std::max(width, height);
    std::vector<double> padded(std::size_t(longest) + 2 * std::size_t(reach));
    std::vector<double> sums(static_cast<std::size_t>(longest));
    constexpr int kBlock = 8;
    // One line (a row or a column) with its edge pixels repeated beyond its ends. Each sum adds
    // the taps in kernel order.
    const auto pass = [&](int count, int length, std::size_t along, std::size_t across) {
        for (int i = 0; i < count; ++i) {
            std::uint8_t* start = picture.data() + std::size_t(i) * across;
            for (int p = -reach; p < length + reach; ++p)
                padded[std::size_t(p + reach)] = start[std::size_t(std::clamp(p, 0, length - 1)) * along];
            // Blocks of outputs stay in registers across all taps; the rest one by one.
            int p = 0;
            for (; p + kBlock <= length; p += kBlock) {
                double block[kBlock] = {};
                for (std::size_t k = 0; k < weights.size(); ++k) {
                    const double weight = weights[k];
                    const double* source = padded.data() + std::size_t(p) + k;
                    for (int j = 0; j < kBlock; ++j)
                        block[j] += weight * source[j];
                }
                std::copy(block, block + kBlock, sums.begin() + p);
            }
            for (; p < length; ++p) {
                double sum = 0;
                for (std::size_t k = 0; k < weights.size(); ++k)
                    sum += weights[k] * padded[std::size_t(p) + k];
                sums[std::size_t(p)] = sum;
            }
            for (int p = 0; p < length; ++p)
                start[std::size_t(p) * along] =
                    std::uint8_t(std::clamp(int(sums[std::size_t(p)] + kRoundingAllowance), 0, 255));
        }
    };
    pass(height, width, 1, std::size_t(width)); // rows
    pass(width, height, std::size_t(width), 1); // columns
}

void PaintTextGlow(Bitmap32& target, const QString& text, const QFont& font, TsTextFormat format, const TRect& rect,
                   TColor colour, int radius) {
    if (radius <= 0 || text.isEmpty() || RectIsEmpty(rect))
        return;
    const int margin = radius + kGlowMargin;
    const int width = WidthOf(rect) + 2 * margin;
    const int height = HeightOf(rect) + 2 * margin;
    // Moved by (1, 1), in place and at the four one-pixel offsets: a little bolder than the text.
    constexpr std::array<std::pair<int, int>, 5> offsets = {{{0, 0}, {-1, 0}, {0, -1}, {1, 0}, {0, 1}}};
    GreyText grey = DrawGreyText(width, height, text, font, format,
                                 RectAt(margin + 1, margin + 1, WidthOf(rect), HeightOf(rect)), offsets);
    if (grey.Values.empty())
        return;
    BlurGlowPicture(grey.Values, width, height, GlowKernel(radius));
    const Pixel c = PixelOfColor(ResolveSkinColor(colour));
    const int cb = Byte0(c), cg = Byte1(c), cr = Byte2(c);
    for (int y = 0; y < height; ++y) {
        const int ty = rect.Top - margin + y;
        if (ty < 0 || ty >= target.Height())
            continue;
        auto row = target.Row(ty);
        const std::uint8_t* values = grey.Values.data() + std::size_t(y) * std::size_t(width);
        for (int x = 0; x < width; ++x) {
            const int tx = rect.Left - margin + x;
            const int v = values[x];
            if (v == 255 || tx < 0 || tx >= target.Width())
                continue;
            Pixel& d = row[std::size_t(tx)];
            const auto toward = [v](int ch, int cc) { return cc + (ch - cc) * v / 255; };
            const int a = Byte3(d);
            d = MakeValue(toward(Byte0(d), cb), toward(Byte1(d), cg), toward(Byte2(d), cr),
                          a + (255 - v) * (255 - a) / 255);
        }
    }
}

// ---------------------------------------------------------------- disabled look, small routines

void PaintDisabledLook(Bitmap32& bitmap, int flags, QObject* control, TPoint point, const TsBackdrop& backdrop) {
    if (flags & dlDesaturate)
        ShiftSaturationOfBitmap(bitmap, kDesaturation, kKeyPixel);
    if (!(flags & dlBlendWithParent))
        return;
    if (backdrop.UsableBitmap()) {
        const TRect parentArea =
            RectAt(backdrop.OffsetX + point.X, backdrop.OffsetY + point.Y, bitmap.Width(), bitmap.Height());
        BlendKeyed(bitmap, 0, 0, kNoKey, kParentShare, parentArea, *backdrop.Bitmap);
        return;
    }
    TColor colour = backdrop.FillColor;
    if (colour == kTransparentKey) {
        QObject* parent = control ? ControlAccess().Parent(control) : nullptr;
        colour = parent ? AnsweredColor(parent) : clBtnFace;
    }
    FadeBitmapToColor(bitmap, kHalfFade, ResolveSkinColor(colour), kNoKey);
}

QString CutText(const QFont& font, const QString& text, int maxWidth) {
    if (maxWidth <= 0)
        return QString();
    const QFontMetrics metrics(SkinTextFont(font));
    if (metrics.horizontalAdvance(text) <= maxWidth)
        return text;
    for (qsizetype length = text.size() - 1; length > 0; --length) {
        const QString shortened = text.left(length) + kEllipsis;
        if (metrics.horizontalAdvance(shortened) <= maxWidth)
            return shortened;
    }
    return QString();
}

TsTextFormat AlignmentFlags(QObject* control, TsAlignment alignment) {
    TsTextFormat format = DT_VCENTER | DT_EXPANDTABS;
    switch (alignment) {
    case TsAlignment::LeftJustify: format |= DT_LEFT; break;
    case TsAlignment::RightJustify: format |= DT_RIGHT; break;
    case TsAlignment::Center: format |= DT_CENTER; break;
    }
    if (control && ControlAccess().IsRightToLeft(control))
        format |= DT_RTLREADING;
    return format;
}

TsRotatedFont SelectRotatedFont(TsCanvas& canvas, const QFont& font, TColor colour, int angle) {
    TsRotatedFont turned{font, angle};
    turned.Font.setWeight(font.bold() ? QFont::Bold : QFont::Normal);
    // A raster face cannot turn; its outline relative stands in.
    if (font.family() == QLatin1String("MS Sans Serif"))
        turned.Font.setFamily(QStringLiteral("Arial"));
    canvas.Font = turned.Font;
    canvas.FontColor = colour;
    return turned;
}

void WriteRotatedText(TsCanvas& canvas, const TsRotatedFont& font, int x, int y, const QString& text) {
    QImage image = ImageView(canvas.Bitmap);
    if (image.isNull() || text.isEmpty())
        return;
    QPainter painter(&image);
    painter.setFont(SkinTextFont(font.Font));
    painter.setPen(QtColour(canvas.FontColor));
    painter.translate(x, y);
    constexpr double kTenthsPerDegree = 10.0;
    painter.rotate(-font.Angle / kTenthsPerDegree);
    painter.drawText(QPoint(0, 0), text);
}

int TextWidth(const QFont& font, const QString& text) {
    return QFontMetrics(SkinTextFont(font)).horizontalAdvance(text);
}

QSize TextExtent(const QFont& font, const QString& text) {
    const QFontMetrics metrics(SkinTextFont(font));
    return QSize(metrics.horizontalAdvance(text), metrics.height());
}

void DrawPlainText(TsCanvas& canvas, const QString& text, TsTextFormat format, const TRect& rect) {
    if (text.isEmpty())
        return;
    TextPainter painter(canvas.Bitmap, canvas.Font, rect);
    if (painter.Ready())
        painter.Draw(ShownText(text, canvas.Font, format, rect), rect, format, canvas.FontColor);
}

} // namespace skin
