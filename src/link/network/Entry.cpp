// The module of network ports: Qt Network is loaded with it, when a network port is first
// opened.

#include "link/Modules.h"
#include "link/PortKind.h"
#include "link/network/NetworkPort.h"

namespace {

std::unique_ptr<PortDevice> Create() {
    return std::make_unique<NetworkPort>();
}

const NetworkPortModule Table{&Create};

} // namespace

PROGMZ515_MODULE(Table)
