#pragma once
// A debugging aid for timing the start-up.  With PROGMZ515_STARTUP_PROBE set (to anything
// but empty) in the environment, the program prints one line on stdout as soon as its main
// window has been painted for the first time, and then quits:
//
//   first-paint-ns <steady clock in nanoseconds> widgets <widgets in the window>
//
// The clock is the system-wide monotonic one (CLOCK_MONOTONIC on Linux), so whoever started
// the program can take the difference to the moment it launched it; bench_startup does,
// for the programmer and for its bare comparison window alike.  An environment variable
// rather than a command-line option: nobody starting the program by hand runs into it.

class QObject;

inline constexpr char StartupProbeVariable[] = "PROGMZ515_STARTUP_PROBE";

// Watches `window` when the variable is set; does nothing otherwise.  The watcher belongs to
// the window.
void InstallStartupProbe(QObject* window);
