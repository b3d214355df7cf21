#pragma once
// A timer with the behaviour the games rely on: setting the interval it already has, or
// enabling a timer that is already enabled, keeps the running countdown (QTimer would
// restart it); a new interval, or enabling a stopped timer, starts the countdown afresh.

#include <QObject>
#include <QTimer>

namespace vum {

class GameTimer : public QObject {
    Q_OBJECT

public:
    explicit GameTimer(QObject* parent = nullptr, int interval = 1000, bool enabled = false);

    int Interval() const { return timer_.interval(); }
    bool Enabled() const { return timer_.isActive(); }
    // Milliseconds left of the running countdown; -1 when stopped.
    int RemainingTime() const { return timer_.remainingTime(); }
    void SetInterval(int milliseconds);
    void SetEnabled(bool enabled);

signals:
    void OnTimer();

private:
    QTimer timer_;
};

}  // namespace vum
