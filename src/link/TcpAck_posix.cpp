// Prompt acknowledgements on a POSIX system: Linux has TCP_QUICKACK, which it drops again
// by itself, so it is asked for after every receive.

#include "link/NetworkPort.h"

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

void AckPromptly(qintptr socket) {
#ifdef TCP_QUICKACK
    int on = 1;
    ::setsockopt(int(socket), IPPROTO_TCP, TCP_QUICKACK, &on, sizeof on);
#else
    (void)socket;
#endif
}
