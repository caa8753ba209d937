// Prompt acknowledgements on a POSIX system: Linux has TCP_QUICKACK, which it drops again
// by itself, so it is asked for after every receive.  Elsewhere nothing is done.

#include "link/network/NetworkPort.h"

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

#ifdef TCP_QUICKACK
void AckPromptly(qintptr socket) {
    int on = 1;
    ::setsockopt(int(socket), IPPROTO_TCP, TCP_QUICKACK, &on, sizeof on);
}
#else
void AckPromptly(qintptr) {}
#endif
