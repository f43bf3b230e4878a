// The skinned labels: windowless text whose colour follows the skin. TsCustomLabel can draw a
// skin section behind its text; TsLabel takes its colour from the nearest section that lends its
// text colours (UseSkinColor); TsEditLabel is the caption a TsBoundLabel puts beside an edit;
// TsWebLabel is a link that changes its font and colour under the pointer and opens its address
// (http and https only) when clicked. Without an active skin they are the framework's labels.
#pragma once

#include <QFont>
#include <QPointer>
#include <QString>

#include <string>

#include "framework/widgets/Controls.h"
#include "framework/widgets/StdCtrls.h"

namespace skin {

class TsCustomLabel : public framework::TLabel {
    Q_OBJECT
public:
    explicit TsCustomLabel(QWidget* parent = nullptr);

    // A section drawn behind the text (empty: none).
    const std::string& SkinSection() const { return skinSection_; }
    void SetSkinSection(const std::string& section);
    framework::TNotifyEvent OnMouseEnter;
    framework::TNotifyEvent OnMouseLeave;

    // The colour and font the text is drawn in now (0x00BBGGRR, resolved).
    virtual framework::TColor TextColor() const;
    virtual QFont TextFont() const { return font(); }

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    // The font's own colour, resolved.
    framework::TColor OwnFontColor() const;
    // 40 % of colour and 60 % of the parent's colour.
    framework::TColor DisabledFrom(framework::TColor colour) const;
    // The colour of the nearest section that lends its text colours (fallback: the section
    // fallbackIndex), or kNoColor when none does.
    framework::TColor LentTextColor(int fallbackIndex) const;

private:
    void PaintSectionBehind(class QPainter& painter, int sectionIndex);
    std::string skinSection_;
    bool inPaint_ = false;
};

class TsLabel : public TsCustomLabel {
    Q_OBJECT
public:
    explicit TsLabel(QWidget* parent = nullptr);
    bool UseSkinColor() const { return useSkinColor_; }
    void SetUseSkinColor(bool on);
    framework::TColor TextColor() const override;

private:
    bool useSkinColor_ = true;
};

// Made by a TsBoundLabel; the bound label holds it weakly and learns of its destruction.
class TsEditLabel : public TsLabel {
    Q_OBJECT
public:
    explicit TsEditLabel(QWidget* parent = nullptr);
    QWidget* FocusControl() const { return focusControl_; }
    void SetFocusControl(QWidget* control) { focusControl_ = control; }

private:
    QPointer<QWidget> focusControl_;
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
    QFont NormalFont() const { return normalFont_; }
    framework::TColor NormalColor() const { return normalColor_; }
    QFont HoverFont() const { return hoverFont_; }
    framework::TColor HoverColor() const { return hoverColor_; }
    bool PointerOver() const { return pointerOver_; }

    framework::TColor TextColor() const override;
    QFont TextFont() const override { return pointerOver_ ? hoverFont_ : normalFont_; }

    // Only absolute http and https addresses are handed to the desktop.
    static bool IsOpenableAddress(const QString& address);
    // Opens URL when it is openable; false otherwise.
    bool Open() const;

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void ShowFont(const QFont& font, framework::TColor color);

    QString url_;
    QFont normalFont_;
    QFont hoverFont_;
    framework::TColor normalColor_ = framework::clWindowText;
    framework::TColor hoverColor_ = framework::clWindowText;
    bool pointerOver_ = false;
};

} // namespace skin
