// The labels; the link label's address check and hover font.
#include "skin/controls/sLabel.h"

#include <QDesktopServices>
#include <QMouseEvent>
#include <QUrl>

namespace skin {

TsLabel::TsLabel(QWidget* parent) : framework::TLabel(parent) {}

TsWebLabel::TsWebLabel(QWidget* parent) : TsLabel(parent) {
    setCursor(Qt::PointingHandCursor);
    normalFont_ = font();
    hoverFont_ = font();
}

void TsWebLabel::SetNormalFont(const QFont& font, framework::TColor color) {
    normalFont_ = font;
    normalColor_ = color;
    ShowFont(font, color);
}

void TsWebLabel::SetHoverFont(const QFont& font, framework::TColor color) {
    hoverFont_ = font;
    hoverColor_ = color;
}

void TsWebLabel::ShowFont(const QFont& font, framework::TColor color) {
    setFont(font);
    SetFontColor(color);
}

bool TsWebLabel::IsOpenableAddress(const QString& address) {
    const QUrl url(address, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    return url.isValid() && !url.host().isEmpty() && (scheme == QLatin1String("http") || scheme == QLatin1String("https"));
}

bool TsWebLabel::Open() const {
    if (!IsOpenableAddress(url_))
        return false;
    return QDesktopServices::openUrl(QUrl(url_, QUrl::StrictMode));
}

void TsWebLabel::enterEvent(QEnterEvent* event) {
    TsLabel::enterEvent(event);
    ShowFont(hoverFont_, hoverColor_);
}

void TsWebLabel::leaveEvent(QEvent* event) {
    TsLabel::leaveEvent(event);
    ShowFont(normalFont_, normalColor_);
}

void TsWebLabel::mouseReleaseEvent(QMouseEvent* event) {
    TsLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Open();
}

} // namespace skin
