#include "link/LinkCheck.h"

#include "link/LinkDoctor.h"
#include "link/PortKind.h"
#include "link/PortList.h"
#include "link/PortOpenError.h"
#include "link/SerialDrv.h"
#include "link/Tick.h"
#include "model/MyConst.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QSysInfo>
#include <QTimer>

#include <algorithm>

namespace {

// The port's line of the system's list, by its name or the path it opens.
std::optional<SerialPortDetails> DetailsOf(const QString& path) {
    for (const SerialPortDetails& p : ListSerialPortDetails())
        if (p.SystemLocation == path || DevicePathFor(p.Name) == path) return p;
    return std::nullopt;
}

QString Hex(const QByteArray& bytes) {
    QString out = QString::fromLatin1(bytes.left(48).toHex(' ').toUpper());
    return bytes.size() > 48 ? out + QStringLiteral(" …") : out;
}

} // namespace

TLinkCheck::TLinkCheck(TSerialDriver& driver, QObject* parent)
    : QObject(parent), m_driver(driver) {}

TLinkCheck::~TLinkCheck() = default;

void TLinkCheck::ShowMessage(const QString& caption, const QString& text, MessageIcon) {
    m_report.Lines << caption + QStringLiteral(": ") +
                          QString(text).replace(QStringLiteral("\r\n"), QStringLiteral(" "));
}

void TLinkCheck::ShowDetailedMessage(const QString& caption, const QString& text, MessageIcon icon,
                                     const QString& details) {
    ShowMessage(caption, text, icon);
    m_boxDetails = details;
}

void TLinkCheck::Stop() {
    if (m_detect) m_detect->Stop();
}

void TLinkCheck::Start(const QString& model, std::function<void(const LinkReport&)> done) {
    if (Busy()) return;
    m_done = std::move(done);
    m_model = model;
    m_report = {};
    m_boxDetails.clear();
    const QString port = m_driver.PortName();
    QStringList& l = m_report.Lines;
    QJsonObject& j = m_report.Json;
    l << QCoreApplication::translate("LinkCheck", "Проверка связи progmz515 %1")
             .arg(QCoreApplication::applicationVersion())
      << QCoreApplication::translate("LinkCheck", "Система: %1 (%2 %3)")
             .arg(QSysInfo::prettyProductName(), QSysInfo::kernelType(), QSysInfo::kernelVersion())
      << QCoreApplication::translate("LinkCheck", "Порт: %1").arg(port);
    j.insert("version", QCoreApplication::applicationVersion());
    j.insert("system", QSysInfo::prettyProductName());
    j.insert("port", port);
    if (!IsNetworkPortName(port)) {
        const std::optional<SerialPortDetails> details = DetailsOf(port);
        const QString adapter = details ? AdapterSummary(*details) : QString();
        l << QCoreApplication::translate("LinkCheck", "Адаптер: %1")
                 .arg(adapter.isEmpty() ? QCoreApplication::translate(
                                              "LinkCheck", "система о нём ничего не сообщает")
                                        : adapter);
        j.insert("adapter", adapter);
        const QString holder = PortHolder(port);
        if (!holder.isEmpty())
            l << QCoreApplication::translate("LinkCheck", "Порт открыт также у процесса: %1").arg(holder);
        j.insert("holder", holder);
    }
    // Opening and closing on their own: a port that does not open says why here.
    const qint64 start = TickMs();
    m_driver.OpenPortThen([this, start](bool opened) {
        m_openMs = TickMs() - start;
        QStringList& lines = m_report.Lines;
        if (!opened) {
            lines << QCoreApplication::translate("LinkCheck", "Открытие порта: не открылся");
            lines << PortOpenFailureDetails(m_driver.LastError(), m_driver.PortName()).split(u'\n');
            m_report.Json.insert("opened", false);
            m_report.Json.insert("error", m_driver.LastError().Text);
            QTimer::singleShot(0, this, [this] {
                if (auto done = std::exchange(m_done, nullptr)) done(m_report);
            });
            return;
        }
        m_driver.ClosePort();
        lines << (IsNetworkPortName(m_driver.PortName())
                      ? QCoreApplication::translate("LinkCheck",
                                                    "Соединение с сервером: %1 мс, закрыто")
                            .arg(m_openMs)
                      : QCoreApplication::translate("LinkCheck",
                                                    "Открытие и закрытие порта: ошибок нет (%1 мс)")
                            .arg(m_openMs));
        m_report.Json.insert("opened", true);
        m_report.Json.insert("openMs", m_openMs);
        m_detect = std::make_unique<TModelDetect>(m_driver, static_cast<IExchangeView&>(*this));
        m_detect->Start([this](const DetectResult& r) { Detected(r); }, m_model);
    });
}

void TLinkCheck::Detected(const DetectResult& r) {
    QStringList& l = m_report.Lines;
    QJsonObject& j = m_report.Json;
    QJsonArray probes;
    for (const ExchangeOutcome& p : r.Probes) {
        const bool answered = p.Accepted();
        qint64 heard = 0;
        for (const HeardAttempt& a : p.Evidence.Attempts)
            heard += a.Count;
        QString line = QCoreApplication::translate("LinkCheck", "Чтение как %1: запросов %2, ")
                           .arg(p.SentModel)
                           .arg(p.Evidence.Attempts.size());
        QJsonObject probe{{"model", p.SentModel},
                          {"requests", int(p.Evidence.Attempts.size())},
                          {"heardBytes", heard},
                          {"answered", answered}};
        if (answered && !p.Evidence.Attempts.isEmpty()) {
            const HeardAttempt& a = p.Evidence.Attempts.last();
            line += QCoreApplication::translate(
                        "LinkCheck", "ответ %1 (первый байт через %2 мс, последний через %3 мс)")
                        .arg(p.Model)
                        .arg(a.FirstAtMs - a.SentAtMs)
                        .arg(a.LastAtMs - a.SentAtMs);
            probe.insert("roundTripMs", a.LastAtMs - a.SentAtMs);
        } else if (heard > 0) {
            const auto first = std::find_if(p.Evidence.Attempts.begin(), p.Evidence.Attempts.end(),
                                            [](const HeardAttempt& a) { return a.Count > 0; });
            line += QCoreApplication::translate("LinkCheck",
                                                "правильного ответа нет, пришло байт: %1 (%2)")
                        .arg(heard)
                        .arg(Hex(first->Bytes));
        } else if (p.Result == ExchangeResult::PortNotOpened) {
            line += QCoreApplication::translate("LinkCheck", "порт не открылся");
        } else {
            line += QCoreApplication::translate("LinkCheck", "ответа нет");
        }
        l << line;
        probes.append(probe);
    }
    j.insert("probes", probes);
    if (!m_boxDetails.isEmpty()) l << m_boxDetails.split(u'\n');
    QJsonArray models;
    for (const QString& m : r.Candidates)
        models.append(m);
    j.insert("models", models);
    m_report.Answered = r.Found();
    j.insert("answered", r.Found());
    if (r.Found()) {
        l << QCoreApplication::translate("LinkCheck", "Отвечает: %1")
                 .arg(r.Candidates.join(QStringLiteral(" / ")));
        if (!m_model.isEmpty() && !r.Candidates.contains(m_model))
            l << QCoreApplication::translate(
                     "LinkCheck", "Выбрана модель %1, а отвечает другая: выберите модель, "
                                  "которая подключена.")
                     .arg(m_model);
        j.insert("cause", QJsonValue());
    } else if (!r.PortFailed && !r.Stopped) {
        const LinkDiagnosis d = Diagnose(r.Telling().Evidence, ListSerialPorts());
        l << QCoreApplication::translate("LinkCheck", "Диагноз: %1").arg(d.Headline) << d.Advice;
        j.insert("cause", CauseCode(d.Cause));
    }
    l << QCoreApplication::translate("LinkCheck", "В прибор ничего не записывалось.");
    if (auto done = std::exchange(m_done, nullptr)) done(m_report);
}
