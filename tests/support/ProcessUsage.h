#pragma once
// What this process takes from the machine, for tests that look for a busy loop or for
// something that grows with every exchange: CPU time, open descriptors, resident memory
// and the bytes the heap holds.

#include <QtGlobal>

// User and system CPU time of this process so far, in ms.
qint64 CpuTimeMs();
// Entries of /proc/self/fd; -1 when they cannot be listed.
int OpenDescriptorCount();
// VmRSS of /proc/self/status in KiB; -1 when it cannot be read.
qint64 ResidentKb();
// Bytes handed out by the allocator and not yet given back.
qint64 LiveHeapBytes();
// Under AddressSanitizer freed memory waits in a quarantine before it is reused, so the
// resident size grows with every free for a long while; only LiveHeapBytes is exact there.
bool ResidentSizeIsMeaningful();
