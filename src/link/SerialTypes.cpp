#include "link/SerialTypes.h"

#include <algorithm>

quint32 BaudRateValueOf(TBaudRate rate) {
    switch (rate) {
    case brCustom:
        return 0;
    case br110:
        return 110;
    case br300:
        return 300;
    case br600:
        return 600;
    case br1200:
        return 1200;
    case br2400:
        return 2400;
    case br4800:
        return 4800;
    case br9600:
        return 9600;
    case br14400:
        return 14400;
    case br19200:
        return 19200;
    case br38400:
        return 38400;
    case br56000:
        return 56000;
    case br57600:
        return 57600;
    case br115200:
        return 115200;
    case br128000:
        return 128000;
    case br256000:
        return 256000;
    }
    return 0;
}

ModemLineLevels ModemLinesFor(bool enableDtrOnOpen, THwFlowControl hwFlow) {
    return {enableDtrOnOpen, hwFlow != hfNONE};
}

quint16 OutputRoomFor(quint32 queueSize, quint32 queued) {
    if (queued >= queueSize) return 0;
    return quint16(std::min<quint32>(queueSize - queued, 65535));
}
