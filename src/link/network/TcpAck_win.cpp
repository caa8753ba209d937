// Windows acknowledges as it sees fit; TCP_NODELAY on our side is what it offers.

#include "link/network/NetworkPort.h"

void AckPromptly(qintptr) {}
