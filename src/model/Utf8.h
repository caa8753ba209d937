#pragma once
// The program's texts are UTF-8 literals in the source; this makes one a QString.  For any
// layer and the tests.

#include <QString>

inline QString U(const char* text) {
    return QString::fromUtf8(text);
}
