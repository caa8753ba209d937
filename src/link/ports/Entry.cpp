// The module of the port list: Qt's serial port module (and udev) are loaded with it.

#include "link/Modules.h"
#include "link/PortList.h"

namespace {

const PortListModule Table{&SystemPorts::List};

} // namespace

PROGMZ515_MODULE(Table)
