// The serial ports Windows has registered: the string values of
// HKEY_LOCAL_MACHINE\HARDWARE\DEVICEMAP\SERIALCOMM, in the order the registry gives them,
// neither sorted nor made unique.  The port box shows their data ("COM3"); the value names
// (the drivers' device names) are what the details give as the system's location; the
// adapter's ids, serial number and description come from the module "ports" (Qt's serial
// port module) where it can be loaded.

#include "link/Modules.h"
#include "link/PortList.h"

#include <windows.h>

#include <utility>
#include <vector>

namespace {

// The key's string values in the registry's order: {value name, data}.  The value name is
// the driver's device ("\Device\Serial0"), the data the port's name ("COM1").
QList<std::pair<QString, QString>> SerialCommValues() {
    QList<std::pair<QString, QString>> values;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return values;
    DWORD count = 0, longestName = 0, longestData = 0;
    if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count,
                         &longestName, &longestData, nullptr, nullptr) != ERROR_SUCCESS) {
        RegCloseKey(key);
        return values;
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
        values.append({QString::fromWCharArray(name.data(), qsizetype(nameLength)),
                       QString::fromWCharArray(data.data(), length)});
    }
    RegCloseKey(key);
    return values;
}

} // namespace

QStringList ListSerialPorts() {
    QStringList names;
    for (const SerialPortDetails& port : ListSerialPortDetails())
        names.append(port.Name);
    return names;
}

// The registry knows no more of a port than its driver's device name; the module adds
// what Windows knows of the adapter, matched by the port's name.
QList<SerialPortDetails> ListSerialPortDetails() {
    if (auto table = TestPortTable()) return *table;
    QList<SerialPortDetails> known;
    if (const auto* module = Modules::Get<PortListModule>()) known = module->List();
    QList<SerialPortDetails> result;
    for (const auto& [device, port] : SerialCommValues()) {
        SerialPortDetails d;
        for (const SerialPortDetails& k : known)
            if (k.Name.compare(port, Qt::CaseInsensitive) == 0) d = k;
        d.Name = port;
        d.SystemLocation = device;
        result.append(d);
    }
    return result;
}
