// The serial ports Windows has registered: the string values of
// HKEY_LOCAL_MACHINE\HARDWARE\DEVICEMAP\SERIALCOMM, in the order the registry gives them,
// neither sorted nor made unique.  The value names (the drivers' device names) are not
// shown; their data ("COM3") is.

#include "link/PortList.h"

#include <windows.h>

#include <vector>

QStringList ListSerialPorts() {
    QStringList names;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return names;
    DWORD count = 0, longestName = 0, longestData = 0;
    if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count,
                         &longestName, &longestData, nullptr, nullptr) != ERROR_SUCCESS) {
        RegCloseKey(key);
        return names;
    }
    std::vector<wchar_t> name(longestName + 1);
    // The data in bytes, plus room for a terminator the registry may not have stored.
    std::vector<wchar_t> data(longestData / sizeof(wchar_t) + 2);
    for (DWORD i = 0; i < count; ++i) {
        DWORD nameLength = DWORD(name.size());
        DWORD dataBytes = DWORD((data.size() - 1) * sizeof(wchar_t));
        DWORD type = 0;
        const LONG r = RegEnumValueW(key, i, name.data(), &nameLength, nullptr, &type,
                                     reinterpret_cast<BYTE*>(data.data()), &dataBytes);
        if (r != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) continue;
        qsizetype length = qsizetype(dataBytes / sizeof(wchar_t));
        // Stored with or without its terminator.
        while (length > 0 && data[std::size_t(length - 1)] == L'\0')
            --length;
        names.append(QString::fromWCharArray(data.data(), length));
    }
    RegCloseKey(key);
    return names;
}
