// The threaded timer component: every change of its settings restarts the interval.
#include "skin/controls/vlThdTimer.h"

#include "framework/widgets/Application.h"

namespace skin {

TvlThreadedTimer::TvlThreadedTimer(QObject* owner) : QObject(owner) {
    tickTimer_.setInterval(int(interval_));
    connect(&tickTimer_, &QTimer::timeout, this, &TvlThreadedTimer::TickTimerFired);
}

TvlThreadedTimer::TvlThreadedTimer(QObject* owner, QObject* ownerControl, bool routeToTick) : TvlThreadedTimer(owner) {
    enabled_ = false;
    ownerControl_ = ownerControl;
    if (routeToTick)
        onTimer_ = [this](QObject*) { DoTick(); };
}

TvlThreadedTimer::~TvlThreadedTimer() { tickTimer_.stop(); }

void TvlThreadedTimer::SetEnabled(bool enabled) {
    enabled_ = enabled;
    Restart();
}

void TvlThreadedTimer::SetInterval(unsigned milliseconds) {
    interval_ = milliseconds;
    Restart();
}

void TvlThreadedTimer::SetOnTimer(TNotifyEvent handler) {
    onTimer_ = std::move(handler);
    Restart();
}

void TvlThreadedTimer::SetThreadPriority(TThreadPriority priority) {
    priority_ = priority;
    Restart();
}

void TvlThreadedTimer::Restart() {
    tickTimer_.stop();
    if (interval_ != 0 && enabled_ && onTimer_) {
        tickTimer_.setInterval(int(interval_));
        tickTimer_.start();
    }
}

void TvlThreadedTimer::TickTimerFired() {
    if (!tickTimer_.isActive() || inTick_ || !onTimer_)
        return;
    inTick_ = true;
    framework::CallSafely([this] { onTimer_(this); });
    inTick_ = false;
}

} // namespace skin
