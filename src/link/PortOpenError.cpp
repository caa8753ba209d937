#include "PortOpenError.h"

#include <QCoreApplication>
#include <QStringList>

QString PortOpenFailureDetails(const PortStatus& status, const QString& path) {
    if (status.Ok()) return {};
    const QString port =
        path.isEmpty() ? QCoreApplication::translate("PortOpenError", "(порт не указан)") : path;
    QStringList lines;
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
        lines << (holder.isEmpty() ? QCoreApplication::translate("PortOpenError",
                                                                 "Порт %1 занят другой программой.")
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
        lines << QCoreApplication::translate("PortOpenError", "Система не дала открыть порт %1.")
                     .arg(port);
        break;
    }
    if (!status.Text.isEmpty())
        lines << QCoreApplication::translate("PortOpenError", "Сообщение системы: %1")
                     .arg(status.Text);
    return lines.join(QLatin1Char('\n'));
}
