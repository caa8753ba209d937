#include "PortOpenError.h"
#include "link/PortKind.h"

#include <QCoreApplication>
#include <QStringList>

namespace {

// The reason for a port of a network serial server; empty for a failure that reads as
// it does for a serial port.
QStringList NetworkReason(const PortStatus& status, const NetworkAddress& a) {
    const QString server = a.Host;
    const QString port = QString::number(a.Port);
    switch (status.Error) {
    case PortError::HostNotFound:
        return {QCoreApplication::translate("PortOpenError", "Сервер %1 не найден: система не знает такого имени.").arg(server),
                QCoreApplication::translate("PortOpenError", "Проверьте имя сервера или укажите его IP-адрес.")};
    case PortError::ConnectionRefused:
        return {QCoreApplication::translate("PortOpenError", "Сервер %1 отказал в соединении: на TCP-порту %2 никто не ждёт "
                     "подключений.")
                    .arg(server, port),
                QCoreApplication::translate("PortOpenError", "Проверьте номер порта и что на сервере запущена служба порта (ser2net, "
                     "преобразователь).")};
    case PortError::TimedOut:
        return {QCoreApplication::translate("PortOpenError", "Сервер %1 (TCP-порт %2) не ответил вовремя.").arg(server, port),
                QCoreApplication::translate("PortOpenError", "Проверьте адрес, что сервер включён и доступен по сети и что брандмауэр "
                     "пропускает соединение.")};
    case PortError::Busy:
        return {QCoreApplication::translate("PortOpenError", "Порт на сервере %1 (TCP-порт %2) занят: к нему уже подключён другой "
                     "клиент.")
                    .arg(server, port),
                QCoreApplication::translate("PortOpenError", "Дождитесь, пока другой клиент отключится, и попробуйте снова.")};
    case PortError::NotASerialServer:
        return {QCoreApplication::translate("PortOpenError", "Сервер %1 (TCP-порт %2) не управляет портом по RFC 2217.").arg(server, port),
                QCoreApplication::translate("PortOpenError", "Если сервер работает как простой TCP-сервер, укажите порт в виде "
                     "socket://%1:%2.")
                    .arg(a.Host.contains(u':') ? u'[' + a.Host + u']' : a.Host, port)};
    case PortError::DeviceGone:
        return {QCoreApplication::translate("PortOpenError", "Сервер %1 (TCP-порт %2) закрыл соединение.").arg(server, port),
                QCoreApplication::translate("PortOpenError", "Проверьте настройки порта на сервере и попробуйте снова.")};
    case PortError::Unsupported:
        return {QCoreApplication::translate("PortOpenError", "Порт на сервере %1 не принимает настройки линии, нужные для связи с "
                     "прибором.")
                    .arg(server),
                QCoreApplication::translate("PortOpenError", "Проверьте настройки порта на сервере.")};
    default:
        return {};
    }
}

} // namespace

QString PortOpenFailureDetails(const PortStatus& status, const QString& path) {
    if (status.Ok()) return {};
    const QString port =
        path.isEmpty() ? QCoreApplication::translate("PortOpenError", "(порт не указан)") : path;
    QStringList lines;
    if (const auto address = ParseNetworkPortName(path)) lines = NetworkReason(status, *address);
    if (!lines.isEmpty()) {
        if (!status.Text.isEmpty()) lines << QCoreApplication::translate("PortOpenError", "Сообщение системы: %1").arg(status.Text);
        return lines.join(QLatin1Char('\n'));
    }
    switch (status.Error) {
    case PortError::AccessDenied:
        lines << QCoreApplication::translate("PortOpenError", "Нет прав на доступ к порту %1.")
                     .arg(port)
              << QCoreApplication::translate(
                     "PortOpenError",
                     "Последовательные порты доступны участникам группы dialout. Добавьте "
                     "пользователя в эту группу (например, командой "
                     "sudo usermod -aG dialout $USER) и войдите в систему заново: новая "
                     "группа действует только после повторного входа.");
        break;
    case PortError::Busy: {
        const QString holder = PortHolder(path);
        // Nothing names the holder: no lock file, no lock we can trace, only the
        // terminal's exclusive mode, which some process set and may have died with.
        lines << (holder.isEmpty() ? QCoreApplication::translate(
                                         "PortOpenError",
                                         "Порт %1 занят: его открыл в монопольном режиме "
                                         "процесс, который не удалось определить.")
                                         .arg(port)
                                   : QCoreApplication::translate(
                                         "PortOpenError", "Порт %1 занят другой программой: %2.")
                                         .arg(port, holder))
              << QCoreApplication::translate(
                     "PortOpenError",
                     "Закройте программу, которая работает с портом (терминал, другую копию "
                     "программатора), или дождитесь конца её обмена и попробуйте снова.");
        break;
    }
    case PortError::NotFound:
    case PortError::DeviceGone:
        lines << QCoreApplication::translate("PortOpenError", "Устройство %1 не найдено.").arg(port)
              << QCoreApplication::translate(
                     "PortOpenError",
                     "Адаптер не подключён или имя порта указано неверно. Подключите адаптер "
                     "и выберите его порт из списка.");
        break;
    case PortError::NotATerminal:
        lines << QCoreApplication::translate("PortOpenError",
                                             "%1 не является последовательным портом.")
                     .arg(port)
              << QCoreApplication::translate("PortOpenError", "Выберите порт адаптера из списка.");
        break;
    case PortError::Unsupported:
        lines << QCoreApplication::translate(
                     "PortOpenError",
                     "Порт %1 не принимает настройки линии, нужные для связи с прибором.")
                     .arg(port)
              << QCoreApplication::translate("PortOpenError", "Выберите другой порт или адаптер.");
        break;
    case PortError::None:
    case PortError::WouldBlock:
    case PortError::NotOpen:
    case PortError::Other:
    case PortError::HostNotFound:
    case PortError::ConnectionRefused:
    case PortError::TimedOut:
    case PortError::NotASerialServer:
        lines << QCoreApplication::translate("PortOpenError", "Система не дала открыть порт %1.")
                     .arg(port);
        break;
    }
    if (!status.Text.isEmpty())
        lines << QCoreApplication::translate("PortOpenError", "Сообщение системы: %1")
                     .arg(status.Text);
    return lines.join(QLatin1Char('\n'));
}
