// TsLabel, the skinned label, and TsWebLabel, a label that opens its web address when clicked
// (http and https only) and changes its font while the pointer is over it. Drawn as the
// framework's label until the skin engine paints them.
#pragma once

#include "framework/widgets/StdCtrls.h"

#include <QFont>
#include <QString>

namespace skin {

class TsLabel : public framework::TLabel {
    Q_OBJECT
public:
    explicit TsLabel(QWidget* parent = nullptr);
};

class TsWebLabel : public TsLabel {
    Q_OBJECT
public:
    explicit TsWebLabel(QWidget* parent = nullptr);

    QString URL() const { return url_; }
    void SetURL(const QString& url) { url_ = url; }
    // The font and its colour, normally and while the pointer is over the label.
    void SetNormalFont(const QFont& font, framework::TColor color);
    void SetHoverFont(const QFont& font, framework::TColor color);
    QFont HoverFont() const { return hoverFont_; }
    framework::TColor HoverColor() const { return hoverColor_; }
    bool UseSkinColor() const { return useSkinColor_; }
    void SetUseSkinColor(bool on) { useSkinColor_ = on; }

    // Only absolute http and https addresses are handed to the desktop.
    static bool IsOpenableAddress(const QString& address);
    // Opens URL when it is openable; false otherwise.
    bool Open() const;

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QString url_;
    void ShowFont(const QFont& font, framework::TColor color);

    QFont normalFont_;
    QFont hoverFont_;
    framework::TColor normalColor_ = framework::clWindowText;
    framework::TColor hoverColor_ = framework::clWindowText;
    bool useSkinColor_ = true;
};

} // namespace skin
