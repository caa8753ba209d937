// Windows sends no POSIX signals.  A console program's Ctrl+C and Ctrl+Break come to a
// handler that Windows calls on a thread of its own; they are handed to the watcher's thread
// through its event queue as SIGINT.  Closing the console or logging off ends the process as
// soon as the handler returns, whatever it does: those keep the system's handling.  A window
// program has no console: the end of its desktop session arrives as Qt's commitDataRequest.

#include "EndSignals.h"

#include <QMetaObject>

#include <csignal>

#include <windows.h>

namespace {
// The watcher the console's handler tells.
TEndSignals* Current = nullptr;

BOOL WINAPI OnConsoleEvent(DWORD event) {
    if ((event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) || !Current) return FALSE;
    TEndSignals* watcher = Current;
    QMetaObject::invokeMethod(
        watcher, [watcher] { emit watcher->Received(SIGINT); }, Qt::QueuedConnection);
    return TRUE;
}
} // namespace

struct TEndSignals::Private {};

TEndSignals::TEndSignals(QObject* parent) : QObject(parent), d(std::make_unique<Private>()) {
    Current = this;
    SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

TEndSignals::~TEndSignals() {
    SetConsoleCtrlHandler(OnConsoleEvent, FALSE);
    Current = nullptr;
}

void IgnoreFileSizeSignal() {}
