#include "SignalWatch.h"

#include <QMetaObject>

#include <csignal>

#include <windows.h>

namespace {
// The watch the console's handler tells.  Windows calls the handler on a thread of its
// own; the signal is handed to the watch's thread through its event queue.
SignalWatch* Current = nullptr;

BOOL WINAPI OnConsoleEvent(DWORD event) {
    // Closing the console or logging off ends the process as soon as the handler returns,
    // whatever it does: those keep the system's handling.
    if ((event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) || !Current) return FALSE;
    SignalWatch* watch = Current;
    QMetaObject::invokeMethod(
        watch, [watch] { emit watch->Caught(SIGINT); }, Qt::QueuedConnection);
    return TRUE;
}
} // namespace

struct SignalWatch::Impl {};

SignalWatch::SignalWatch(QObject* parent) : QObject(parent) {
    Current = this;
    SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

SignalWatch::~SignalWatch() {
    SetConsoleCtrlHandler(OnConsoleEvent, FALSE);
    Current = nullptr;
}
