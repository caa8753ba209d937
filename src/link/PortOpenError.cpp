#include "PortOpenError.h"

#include <QStringList>

namespace {

QString Line(const char* text) {
    return QString::fromUtf8(text);
}

} // namespace

QString PortOpenFailureDetails(const PortStatus& status, const QString& path) {
    if (status.Ok()) return {};
    const QString port = path.isEmpty() ? Line("(порт не указан)") : path;
    QStringList lines;
    switch (status.Error) {
    case PortError::AccessDenied:
        lines << Line("Нет прав на доступ к порту %1.").arg(port)
              << Line("Последовательные порты доступны участникам группы dialout. Добавьте "
                      "пользователя в эту группу (например, командой "
                      "sudo usermod -aG dialout $USER) и войдите в систему заново: новая "
                      "группа действует только после повторного входа.");
        break;
    case PortError::Busy: {
        const QString holder = PortHolder(path);
        lines << (holder.isEmpty() ? Line("Порт %1 занят другой программой.").arg(port)
                                   : Line("Порт %1 занят другой программой: %2.").arg(port, holder))
              << Line("Закройте программу, которая работает с портом (терминал, другую копию "
                      "программатора), или дождитесь конца её обмена и попробуйте снова.");
        break;
    }
    case PortError::NotFound:
    case PortError::DeviceGone:
        lines << Line("Устройство %1 не найдено.").arg(port)
              << Line("Адаптер не подключён или имя порта указано неверно. Подключите адаптер "
                      "и выберите его порт из списка.");
        break;
    case PortError::NotATerminal:
        lines << Line("%1 не является последовательным портом.").arg(port)
              << Line("Выберите порт адаптера из списка.");
        break;
    case PortError::Unsupported:
        lines
            << Line("Порт %1 не принимает настройки линии, нужные для связи с прибором.").arg(port)
            << Line("Выберите другой порт или адаптер.");
        break;
    case PortError::None:
    case PortError::WouldBlock:
    case PortError::NotOpen:
    case PortError::Other:
        lines << Line("Система не дала открыть порт %1.").arg(port);
        break;
    }
    if (!status.Text.isEmpty()) lines << Line("Сообщение системы: %1").arg(status.Text);
    return lines.join(QLatin1Char('\n'));
}
