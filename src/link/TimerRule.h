#pragma once
// The exchange's timers follow one rule: enabling a timer that is already running, or
// writing the interval it already has, changes nothing; enabling a stopped timer or
// giving it another interval starts the interval anew.  QTimer::start() and
// setInterval() restart a running timer even for an unchanged value, so every change
// goes through these two.

#include <QTimer>

inline void EnableTimer(QTimer& timer) {
    if (!timer.isActive()) timer.start();
}

inline void SetTimerInterval(QTimer& timer, int ms) {
    if (timer.interval() != ms) timer.setInterval(ms); // restarts it when running
}
