// Layout of the message form in dialog units of its font and the dialog's own icon.
#include "framework/widgets/MessageForm.h"

#include "framework/widgets/Application.h"
#include "framework/widgets/Fonts.h"
#include "framework/widgets/StdCtrls.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <span>

namespace framework {
namespace {

// Dialog metrics in dialog units (x: quarters of the average character width, y: eighths
// of the character height).
constexpr int kHorzMarginDlu = 8;
constexpr int kVertMarginDlu = 8;
constexpr int kHorzSpacingDlu = 10;
constexpr int kVertSpacingDlu = 10;
constexpr int kButtonWidthDlu = 50;
constexpr int kButtonHeightDlu = 14;
constexpr int kButtonSpacingDlu = 4;
constexpr int kIconSize = 32;
constexpr int kDialogFontPixels = 11;
constexpr int kLettersInAlphabet = 26;
// Without a screen the text may take half of this width.
constexpr int kFallbackScreenWidth = 800;

struct DialogUnits {
    int x;
    int y;
    int ToX(int dlu) const { return (dlu * x + 2) / 4; }
    int ToY(int dlu) const { return (dlu * y + 4) / 8; }
};

DialogUnits AverageCharSize(const QFont& font) {
    const QFontMetrics metrics(font);
    const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const int width = metrics.horizontalAdvance(alphabet);
    // The average of 52 letters, rounded: (width / 26 + 1) / 2.
    return DialogUnits{(width / kLettersInAlphabet + 1) / 2, metrics.height()};
}

QFont DialogFont() {
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(kDialogFontPixels);
    return FullyHinted(font);
}

} // namespace

QPixmap ErrorIconPixmap(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x8B, 0x10, 0x10), 1));
    painter.setBrush(QColor(0xD8, 0x2A, 0x20));
    painter.drawEllipse(QRectF(0.5, 0.5, size - 1.0, size - 1.0));
    constexpr qreal kArmShare = 0.22; // half the cross's span, as a share of the icon
    const qreal arm = size * kArmShare;
    const QPointF centre(size / 2.0, size / 2.0);
    constexpr qreal kStrokeShare = 1.0 / 9.0; // the cross's stroke width, as a share of the icon
    painter.setPen(QPen(Qt::white, size * kStrokeShare, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centre + QPointF(-arm, -arm), centre + QPointF(arm, arm));
    painter.drawLine(centre + QPointF(-arm, arm), centre + QPointF(arm, -arm));
    return pixmap;
}

QPixmap WarningIconPixmap(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPointF corners[] = {{size / 2.0, 1.0}, {size - 1.0, size - 2.0}, {1.0, size - 2.0}};
    painter.setPen(QPen(QColor(0x8A, 0x6A, 0x00), 1));
    painter.setBrush(QColor(0xF5, 0xC2, 0x1B));
    painter.drawPolygon(corners, 3);
    constexpr qreal kMarkShare = 1.0 / 10.0; // the mark's stroke width, as a share of the icon
    painter.setPen(QPen(Qt::black, size * kMarkShare, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(size / 2.0, size * 0.35), QPointF(size / 2.0, size * 0.62));
    painter.drawPoint(QPointF(size / 2.0, size * 0.78));
    return pixmap;
}

TMessageForm::TMessageForm(const QString& text, TMsgDlgType type, bool showIcon) {
    setObjectName(QStringLiteral("MessageForm"));
    SetBorderStyle(bsDialog);
    SetBorderIcons(biSystemMenu);
    SetPosition(poScreenCenter);
    const QFont font = DialogFont();
    SetFormFont(font);
    if (TApplication* app = Application())
        SetCaption(app->Title());

    const DialogUnits units = AverageCharSize(font);
    const int horzMargin = units.ToX(kHorzMarginDlu);
    const int vertMargin = units.ToY(kVertMarginDlu);
    const int horzSpacing = units.ToX(kHorzSpacingDlu);
    const int vertSpacing = units.ToY(kVertSpacingDlu);
    const int buttonWidth = units.ToX(kButtonWidthDlu);
    const int buttonHeight = units.ToY(kButtonHeightDlu);

    const QScreen* screen = QGuiApplication::primaryScreen();
    const int maxTextWidth = (screen != nullptr ? screen->geometry().width() : kFallbackScreenWidth) / 2;
    const QRect textRect =
        QFontMetrics(font).boundingRect(QRect(0, 0, maxTextWidth, 0), Qt::TextWordWrap | Qt::AlignLeft, text);

    int textLeft = horzMargin;
    int iconHeight = 0;
    if (showIcon && (type == mtError || type == mtWarning)) {
        auto* image = new QLabel(client());
        image->setObjectName(QStringLiteral("Image"));
        image->setPixmap(type == mtError ? ErrorIconPixmap(kIconSize) : WarningIconPixmap(kIconSize));
        image->setGeometry(horzMargin, vertMargin, kIconSize, kIconSize);
        image_ = image;
        textLeft += kIconSize + horzSpacing;
        iconHeight = kIconSize;
    }

    message_ = new TLabel(client());
    message_->setObjectName(QStringLiteral("Message"));
    message_->setWordWrap(true);
    message_->setTextFormat(Qt::PlainText);
    message_->SetShowAccelChar(false); // a message (a file name with "&", say) stands as written
    message_->setText(text);
    message_->setGeometry(textLeft, vertMargin, textRect.width() + 1, textRect.height());

    struct ButtonSpec {
        const char* caption;
        int modalResult;
    };
    static constexpr ButtonSpec kOk[] = {{"OK", mrOk}};
    static constexpr ButtonSpec kYesNo[] = {{"Yes", mrYes}, {"No", mrNo}};
    const std::span<const ButtonSpec> specs = type == mtConfirmation ? std::span<const ButtonSpec>(kYesNo)
                                                                     : std::span<const ButtonSpec>(kOk);
    const int buttonCount = static_cast<int>(specs.size());
    const int buttonSpacing = units.ToX(kButtonSpacingDlu);
    const int buttonsWidth = buttonCount * buttonWidth + (buttonCount - 1) * buttonSpacing;
    const int contentWidth = std::max(textLeft + textRect.width() + horzMargin, buttonsWidth + 2 * horzMargin);
    const int buttonTop = vertMargin + std::max(iconHeight, textRect.height()) + vertSpacing;
    int buttonLeft = (contentWidth - buttonsWidth) / 2;
    for (const ButtonSpec& spec : specs) {
        auto* button = new TButton(client());
        button->setObjectName(QString::fromLatin1(spec.caption));
        button->setText(QString::fromLatin1(spec.caption));
        button->SetModalResult(spec.modalResult);
        // Escape answers with the last button: "OK" alone, "No" of "Yes" and "No".
        button->SetCancel(&spec == &specs.back());
        button->setGeometry(buttonLeft, buttonTop, buttonWidth, buttonHeight);
        buttonLeft += buttonWidth + buttonSpacing;
        buttons_.push_back(button);
    }
    ok_ = buttons_.front();
    ok_->setDefault(true);
    ok_->setFocus();

    SetClientSize(contentWidth, buttonTop + buttonHeight + vertMargin);
}

int MessageDlg(const QString& text, TMsgDlgType type) {
    TMessageForm form(text, type, type == mtError || type == mtWarning);
    return form.ShowModal();
}

void ShowMessage(const QString& text) { MessageDlg(text, mtCustom); }

} // namespace framework
