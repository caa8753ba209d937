#include "ShortPath.h"

#include <QDir>
#include <QFileInfo>

#include <windows.h>

#include <vector>

QString ShortPathName(const QString& fileName) {
    const QString full = QDir::toNativeSeparators(QFileInfo(fileName).absoluteFilePath());
    const auto* path = reinterpret_cast<LPCWSTR>(full.utf16());
    // The first call gives the size the second needs; a file that went away between them
    // gives 0 there as well.
    const DWORD size = GetShortPathNameW(path, nullptr, 0);
    if (size == 0) return {};
    std::vector<wchar_t> buffer(size);
    const DWORD length = GetShortPathNameW(path, buffer.data(), size);
    if (length == 0 || length >= size) return {};
    return QString::fromWCharArray(buffer.data(), qsizetype(length));
}
