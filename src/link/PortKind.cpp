#include "link/PortKind.h"
#include "link/Modules.h"
#include "link/SerialPort.h"

#include <QUrl>

namespace {

// A host name as resolvers take it: letters, digits, '-', '_' and dots.
bool IsHostName(QStringView host) {
    if (host.isEmpty() || host.size() > 253) return false;
    for (QChar c : host)
        if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != u'-' && c != u'.' && c != u'_')
            return false;
    return true;
}

// An IPv6 address as text (without brackets), with a zone ("%eth0") or not, by Qt's own
// reading of URL hosts; not the "future" forms ("v1.x") a URL's brackets may also hold.
bool IsIpv6Address(QStringView text) {
    const qsizetype percent = text.indexOf(u'%');
    if (percent >= 0) {
        const QStringView zone = text.mid(percent + 1);
        if (zone.isEmpty() || !IsHostName(zone)) return false;
        text = text.first(percent);
    }
    if (!text.contains(u':') || text.startsWith(u'v', Qt::CaseInsensitive)) return false;
    QUrl url;
    url.setHost(u'[' + text.toString() + u']', QUrl::StrictMode);
    return url.isValid() && !url.host().isEmpty();
}

} // namespace

std::optional<NetworkAddress> ParseNetworkPortName(const QString& name) {
    NetworkAddress a;
    QStringView rest(name);
    if (rest.startsWith(u"rfc2217://", Qt::CaseInsensitive)) {
        a.Kind = PortKind::Rfc2217;
        rest = rest.mid(10);
    } else if (rest.startsWith(u"socket://", Qt::CaseInsensitive)) {
        a.Kind = PortKind::RawTcp;
        rest = rest.mid(9);
    } else {
        return std::nullopt;
    }
    const qsizetype colon = rest.lastIndexOf(u':');
    if (colon < 0) return std::nullopt;
    QStringView host = rest.first(colon);
    const QStringView port = rest.mid(colon + 1);
    if (host.startsWith(u'[')) {
        if (!host.endsWith(u']')) return std::nullopt;
        host = host.mid(1, host.size() - 2);
        if (!IsIpv6Address(host)) return std::nullopt;
    } else if (!IsHostName(host)) {
        return std::nullopt;
    }
    if (port.isEmpty() || port.size() > 5) return std::nullopt;
    for (QChar c : port)
        if (c < u'0' || c > u'9') return std::nullopt;
    const int number = port.toInt();
    if (number < 1 || number > 65535) return std::nullopt;
    a.Host = host.toString();
    a.Port = quint16(number);
    return a;
}

std::unique_ptr<PortDevice> MakePortDevice(const QString& name, QString* why) {
    if (!IsNetworkPortName(name)) return std::make_unique<SerialPort>();
    QString reason;
    if (const auto* module = Modules::Get<NetworkPortModule>(&reason)) return module->Create();
    if (why) *why = reason;
    return nullptr;
}
