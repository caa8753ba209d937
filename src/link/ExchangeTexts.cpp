#include "link/ExchangeTexts.h"

#include "model/MyConst.h"

#include <QCoreApplication>

// The exchange's texts have always been the controller's (their translations say so).
namespace ExchangeTexts {

QString Progress(ExchangeProgress progress, int attempt) {
    switch (progress) {
    case ExchangeProgress::PortOpen:
        return QCoreApplication::translate("TExchange", "Порт открыт");
    case ExchangeProgress::DataReceived:
        return QCoreApplication::translate("TExchange", "Данные получены");
    case ExchangeProgress::Checking:
        return QCoreApplication::translate("TExchange", "Проверка данных");
    case ExchangeProgress::Resent:
        return QCoreApplication::translate("TExchange", "Попытка ") + QString::number(attempt);
    }
    return {};
}

QString Result(const ExchangeOutcome& o) {
    switch (o.Result) {
    case ExchangeResult::ReadAccepted:
        if (IsTransmitter(o.Model) || !o.Version)
            return QCoreApplication::translate("TExchange", "Настройки прочитаны.");
        return QCoreApplication::translate("TExchange", "Настройки прочитаны, версия прибора - ") +
               QString::number(*o.Version);
    case ExchangeResult::WriteVerified:
        return QCoreApplication::translate("TExchange", "Настройки записаны");
    case ExchangeResult::WriteDiffers:
        return QCoreApplication::translate("TExchange", "Принято с ошибками");
    case ExchangeResult::NoAnswer:
        return QCoreApplication::translate("TExchange",
                                           "Нет связи, проверьте соединение или тип прибора");
    case ExchangeResult::PortNotOpened:
        return OpenErrorCaption();
    case ExchangeResult::Stopped:
        return {};
    }
    return {};
}

std::optional<Indication> ResultIndication(ExchangeResult result) {
    switch (result) {
    case ExchangeResult::ReadAccepted:
    case ExchangeResult::WriteVerified:
        return Indication{IndGreen, 1};
    case ExchangeResult::NoAnswer:
        return Indication{IndRed, 3};
    default:
        return std::nullopt;
    }
}

QString OpenErrorCaption() {
    return QCoreApplication::translate("TExchange", "Ошибка открытия порта");
}

QString OpenErrorText() {
    return QCoreApplication::translate(
        "TExchange",
        "Невозможно открыть последовательный порт.\r\nВыберите другой порт и попробуйте снова");
}

QString WriteErrorCaption() {
    return QCoreApplication::translate("TExchange", "Ошибка");
}

QString WriteDiffersText(int differing) {
    return QCoreApplication::translate("TExchange", "Есть ошибки записи в прибор. ( ") +
           QString::number(differing) +
           QCoreApplication::translate("TExchange", " )\r\nпроверьте конфигурацию");
}

} // namespace ExchangeTexts
