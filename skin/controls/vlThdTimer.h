// TvlThreadedTimer: the timer component of the window animations (hint hiding, form moving,
// minimising). Despite its name and its ThreadPriority it ticks on the GUI thread; a tick that
// arrives while the handler still runs is dropped.
#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>

namespace skin {

enum class TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

class TvlThreadedTimer : public QObject {
    Q_OBJECT
public:
    using TNotifyEvent = std::function<void(QObject* sender)>;

    // Enabled, 1000 ms, normal priority; ticks once OnTimer is set.
    explicit TvlThreadedTimer(QObject* owner = nullptr);
    // Disabled, remembering the control it animates; with routeToTick, OnTimer is the
    // component's own DoTick.
    TvlThreadedTimer(QObject* owner, QObject* ownerControl, bool routeToTick);
    ~TvlThreadedTimer() override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned milliseconds);
    const TNotifyEvent& OnTimer() const { return onTimer_; }
    void SetOnTimer(TNotifyEvent handler);
    TThreadPriority ThreadPriority() const { return priority_; }
    void SetThreadPriority(TThreadPriority priority);
    QObject* OwnerControl() const { return ownerControl_; }
    bool Ticking() const { return tickTimer_.isActive(); }

protected:
    // The tick of subclasses created with routeToTick; nothing here.
    virtual void DoTick() {}

private:
    void Restart();
    void TickTimerFired();

    QTimer tickTimer_;
    bool enabled_ = true;
    unsigned interval_ = 1000;
    TNotifyEvent onTimer_;
    TThreadPriority priority_ = TThreadPriority::tpNormal;
    bool inTick_ = false;
    QPointer<QObject> ownerControl_;
};

} // namespace skin
