#pragma once
// Which model answers on a port, for an installer who does not know it: a read request of
// each image length (167, 23 and 10 bytes), one after the other, each sent once with one
// read deadline; reads only, never a write.  The first device that answers is taken as a
// read takes it: a 23-byte model by the code it names.  The two transmitters answer alike
// and are both named.  At most three read deadlines in all.
//
// The probes run on the host's serial driver through an exchange of their own, on a state
// of their own: the host's model, image and exchange stay as they were until it adopts what
// was found.  The host's view is told the probes' progress and shown the box of a port that
// did not open.

#include "link/ExchangeOutcome.h"
#include "link/ExchangeView.h"
#include "link/SerialDrv.h"
#include "model/ProgramState.h"

#include <QList>
#include <QObject>
#include <QStringList>

#include <array>
#include <functional>
#include <memory>

class TExchange;

struct DetectResult {
    QStringList Candidates;        // the model found, or the two transmitters; empty: none
    ExchangeOutcome Read;          // the probe that was answered (image, version)
    QList<ExchangeOutcome> Probes; // every probe, in order
    bool PortFailed = false;       // the port did not open (its box has been shown)
    bool Stopped = false;
    bool Found() const { return !Candidates.isEmpty(); }
    // The outcome to tell: the read that was answered, or else the probe that says the most
    // of why none was (the first that heard anything, or the last).
    ExchangeOutcome Telling() const;
};

class TModelDetect : public QObject {
    Q_OBJECT
public:
    // The models asked for, in order: one of each image length.
    static const std::array<int, 3> ProbeRows;

    TModelDetect(TSerialDriver& driver, IExchangeView& host, QObject* parent = nullptr);
    ~TModelDetect() override;

    // Starts the probes; `done` follows from the event loop.  Nothing while busy.  With
    // `asked`, that model is read first as a read reads it (with its re-sends), and only
    // the other image lengths are probed after it.
    void Start(std::function<void(const DetectResult&)> done, const QString& asked = {});
    void Stop();
    bool Busy() const { return m_busy; }

private:
    class Quiet;
    void Probe();
    void Probed(const ExchangeOutcome& outcome);
    void Finish();

    TSerialDriver& m_driver;
    IExchangeView& m_host;
    std::unique_ptr<Quiet> m_quiet;
    std::unique_ptr<ProgramState> m_state;
    std::unique_ptr<TExchange> m_exchange;
    std::function<void(const DetectResult&)> m_done;
    DetectResult m_result;
    QList<int> m_rows; // still to probe
    bool m_firstResends = false;
    bool m_busy = false;
    // The host's own hooks on the driver, back in place once the probes are over.
    TReceiveDataEvent m_hostReceive;
    TPortLostEvent m_hostLost;
};
