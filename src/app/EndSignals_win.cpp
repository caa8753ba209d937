// A window program on Windows has no console, so no console control event (Ctrl+C, the
// console's closing) reaches it, and Windows sends no POSIX signals.  The end of the desktop
// session arrives as Qt's commitDataRequest, which the program entry handles on every
// system.  The watcher is there so that the entry reads the same everywhere; it never fires.

#include "EndSignals.h"

struct TEndSignals::Private {};

TEndSignals::TEndSignals(QObject* parent) : QObject(parent), d(std::make_unique<Private>()) {}

TEndSignals::~TEndSignals() = default;
