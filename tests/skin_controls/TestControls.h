// A small set of controls of the tests' own, each owning a skin record the way the engine's
// controls do: a container or control that paints its cache from its section over its parent's
// image and writes its caption, a push button that cross-fades, and a windowless control painted
// by its container.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

#include "skin/controls/sFade.h"
#include "skin/render/sCommonData.h"

namespace skin::testing {

// Shows a top-level window (and any child created since it was shown) and waits until the window
// system has exposed it, so that repaints reach its backing store.
void ShowExposed(QWidget* window);
// The widget as it shows (grab()), as a bitmap of straight ARGB pixels.
Bitmap32 GrabbedBitmap(QWidget* widget);

class TTestControl : public QWidget {
    Q_OBJECT
public:
    TTestControl(QWidget* parent, int kind, const std::string& section);
    ~TTestControl() override;

    TsCtrlSkinData SkinData;
    QString Caption;
    // Every skin command received, in order.
    std::vector<int> Commands;
    int Rebuilds = 0;
    // Runs inside the destructor, after the control has marked itself as being destroyed.
    std::function<void(TTestControl&)> OnDestroy;
    // Runs when the control paints (on screen or into its container's image).
    std::function<void(TTestControl&)> OnPaint;

    // Rebuilds the cache: the section over the parent's image, then the caption.
    void PrepareCache();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    // A skin command the control handles before its record; true when done with it.
    virtual bool OwnCommand(int command, std::intptr_t lParam, std::intptr_t& result);
};

// A windowless control: it paints only when its container paints it into its own image.
class TTestWindowless : public TTestControl {
    Q_OBJECT
public:
    TTestWindowless(QWidget* parent, int kind, const std::string& section);
    int CopyPaints = 0;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A push button: fades between its looks when the pointer enters and leaves.
class TTestButton : public TTestControl {
    Q_OBJECT
public:
    enum class Frames { DrawnByButton, DrawnByTimer };
    TTestButton(QWidget* parent, const std::string& section, Frames frames);

    QPointer<TsFadeTimer> Fade;
    std::vector<Bitmap32> FramesDrawn;
    int StopFadingReceived = 0;

protected:
    bool event(QEvent* event) override;
    bool OwnCommand(int command, std::intptr_t lParam, std::intptr_t& result) override;

private:
    Frames frames_;
};

} // namespace skin::testing
