#include "DeviceSession.h"

#include <QRandomGenerator>

QByteArray RandomImage(int size, quint32 seed) {
    QRandomGenerator g(seed);
    QByteArray a(size, '\0');
    for (char& c : a)
        c = char(g.bounded(256));
    return a;
}
