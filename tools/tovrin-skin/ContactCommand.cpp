// contact OUT.png [--columns N] [--width PIXELS] PICTURE[=LABEL]...: pictures side by side in rows
// of N (3), each above its label (the file's name without its extension unless one is given), on
// the light face of the skin sheet; with --width the whole picture is that wide and pictures wider
// than their cell are scaled down smoothly. scripts/gallery makes its contact picture with it.
#include "tools/tovrin-skin/Commands.h"

#include "framework/base/SysUtils.h"

#include <QFileInfo>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <vector>

namespace tools {
namespace {

constexpr int kGap = 12;
constexpr int kLabelPixels = 12;
constexpr QRgb kFace = 0xFFF3F5F7;  // the skin sheet's face
constexpr QRgb kInk = 0xFF2A2E33;
constexpr int kMaxColumns = 16;
constexpr int kMaxWidth = 16384;

struct Entry {
    QImage Picture;
    QString Label;
};

Entry ReadEntry(const std::string& argument) {
    const std::size_t equals = argument.find('=');
    const QString path = QString::fromStdString(argument.substr(0, equals));
    QImage picture(path);
    if (picture.isNull())
        throw framework::Exception("Cannot read picture \"" + path.toStdString() + "\"");
    const QString label = equals == std::string::npos ? QFileInfo(path).completeBaseName()
                                                      : QString::fromStdString(argument.substr(equals + 1));
    return {picture.convertToFormat(QImage::Format_ARGB32_Premultiplied), label};
}

int Bounded(const std::string& option, const std::string& value, int low, int high) {
    const int number = ParseIntegerOption(option, value);
    if (number < low || number > high)
        throw framework::Exception(option + " takes a number from " + std::to_string(low) + " to " +
                                   std::to_string(high));
    return number;
}

} // namespace

int ContactCommand(const Arguments& arguments) {
    constexpr const char* usage = "contact OUT.png [--columns N] [--width PIXELS] PICTURE[=LABEL]...";
    int columns = 3;
    int width = 0;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (argument == "--columns" && hasValue)
            columns = Bounded(argument, arguments[++i], 1, kMaxColumns);
        else if (argument == "--width" && hasValue)
            width = Bounded(argument, arguments[++i], 1, kMaxWidth);
        else if (argument.rfind("--", 0) == 0)
            throw framework::Exception(std::string("usage: tovrin-skin ") + usage);
        else
            positional.push_back(argument);
    }
    if (positional.size() < 2)
        throw framework::Exception(std::string("usage: tovrin-skin ") + usage);

    std::vector<Entry> entries;
    for (std::size_t i = 1; i < positional.size(); ++i)
        entries.push_back(ReadEntry(positional[i]));
    columns = std::min<int>(columns, int(entries.size()));
    int widest = 0;
    for (const Entry& entry : entries)
        widest = std::max(widest, entry.Picture.width());
    const int cell = width > 0 ? std::max(1, (width - (columns + 1) * kGap) / columns) : widest;
    for (Entry& entry : entries)
        if (entry.Picture.width() > cell)
            entry.Picture = entry.Picture.scaledToWidth(cell, Qt::SmoothTransformation);

    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(kLabelPixels);
    const int labelHeight = QFontMetrics(font).height();
    const int rows = (int(entries.size()) + columns - 1) / columns;
    std::vector<int> rowHeights(std::size_t(rows), 0);
    for (std::size_t i = 0; i < entries.size(); ++i)
        rowHeights[i / std::size_t(columns)] = std::max(rowHeights[i / std::size_t(columns)], entries[i].Picture.height());
    int height = kGap;
    for (int rowHeight : rowHeights)
        height += rowHeight + labelHeight + 2 * kGap;
    QImage sheet(width > 0 ? width : columns * (cell + kGap) + kGap, height, QImage::Format_RGB32);
    sheet.fill(kFace);

    QPainter painter(&sheet);
    painter.setFont(font);
    painter.setPen(QColor::fromRgb(kInk));
    int top = kGap;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            const std::size_t index = std::size_t(row * columns + column);
            if (index >= entries.size())
                break;
            const Entry& entry = entries[index];
            const int left = kGap + column * (cell + kGap);
            painter.drawImage(left + (cell - entry.Picture.width()) / 2, top, entry.Picture);
            painter.drawText(QRect(left, top + rowHeights[std::size_t(row)] + kGap / 2, cell, labelHeight),
                             Qt::AlignHCenter | Qt::AlignVCenter, entry.Label);
        }
        top += rowHeights[std::size_t(row)] + labelHeight + 2 * kGap;
    }
    painter.end();
    if (!sheet.save(QString::fromStdString(positional[0]), "PNG"))
        throw framework::Exception("Cannot write \"" + positional[0] + "\"");
    return 0;
}

} // namespace tools
