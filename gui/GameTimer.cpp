#include "gui/GameTimer.h"

namespace vum {

GameTimer::GameTimer(QObject* parent, int interval, bool enabled) : QObject(parent) {
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(interval);
    connect(&timer_, &QTimer::timeout, this, &GameTimer::OnTimer);
    if (enabled) timer_.start();
}

void GameTimer::SetInterval(int milliseconds) {
    if (milliseconds == timer_.interval()) return;
    timer_.setInterval(milliseconds);  // restarts an active timer with the new interval
}

void GameTimer::SetEnabled(bool enabled) {
    if (enabled == timer_.isActive()) return;
    if (enabled)
        timer_.start();
    else
        timer_.stop();
}

}  // namespace vum
