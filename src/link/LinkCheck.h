#pragma once
// One report of a port and the device behind it, for a person to read and send on: the
// program and the system, the port with its adapter and who holds it, opening and closing
// it, one read of the device (the model given) with its round trip and what was heard, the
// probes of ModelDetect when that model does not answer, and the diagnosis.  Nothing is
// written to the device.

#include "link/ExchangeView.h"
#include "link/ModelDetect.h"

#include <QJsonObject>
#include <QObject>
#include <QStringList>

#include <functional>
#include <memory>

class TSerialDriver;

struct LinkReport {
    QStringList Lines;     // the report as text, one line each
    QJsonObject Json;      // the same for scripts: "answered", "models", "cause", ...
    bool Answered = false; // a device answered (the model given, or another)
    QString Text() const { return Lines.join(u'\n'); }
};

class TLinkCheck : public QObject, private IExchangeView {
    Q_OBJECT
public:
    // `driver` is the host's: its port name is the port checked; its hooks are back as
    // they were once the check is over.
    explicit TLinkCheck(TSerialDriver& driver, QObject* parent = nullptr);
    ~TLinkCheck() override;

    // `model` may be empty: the model is then found by the probes alone.
    void Start(const QString& model, std::function<void(const LinkReport&)> done);
    bool Busy() const { return m_detect && m_detect->Busy(); }
    void Stop();

private:
    // IExchangeView: the probes' texts and boxes go into the report.
    void SetStatusText(const QString&) override {}
    void SetExchangeBusy(bool) override {}
    BarColour StatusColour() const override { return {}; }
    void SetStatusColour(const BarColour&) override {}
    void ShowMessage(const QString& caption, const QString& text, MessageIcon) override;
    void ShowDetailedMessage(const QString& caption, const QString& text, MessageIcon,
                             const QString& details) override;
    void RefreshControls() override {}
    void SwitchToModelRow(int) override {}

    void Detected(const DetectResult& r);

    TSerialDriver& m_driver;
    std::unique_ptr<TModelDetect> m_detect;
    std::function<void(const LinkReport&)> m_done;
    LinkReport m_report;
    QString m_model;
    QString m_boxDetails;
    qint64 m_openMs = -1;
};
