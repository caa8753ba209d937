#pragma once
// A host for the exchange controller without a window: it records what the controller
// tells the user, in order and with the time, and does what the window would do for a
// model switch (select the row, load its defaults) and for a message box (closes it at
// once, or runs a hook first).

#include "link/ExchangeView.h"
#include "model/ProgramState.h"

#include <QElapsedTimer>
#include <QList>
#include <QString>

#include <functional>

struct ViewEvent {
    enum Kind { Status, Busy, Colour, Message, Refresh, Switch } What;
    qint64 AtMs;
    QString Text;         // status text; message caption + "|" + text
    BarColour Bar;        // Colour
    int Value = 0;        // Busy: 1/0; Message: icon; Switch: row
    QString Details = {}; // Message: the details beneath the text, if any
};

class RecordingView : public IExchangeView {
public:
    explicit RecordingView(ProgramState& state);

    void SetStatusText(const QString& text) override;
    void SetExchangeBusy(bool busy) override;
    BarColour StatusColour() const override { return m_colour; }
    void SetStatusColour(const BarColour& colour) override;
    void ShowMessage(const QString& caption, const QString& text, MessageIcon icon) override;
    void ShowDetailedMessage(const QString& caption, const QString& text, MessageIcon icon,
                             const QString& details) override;
    void RefreshControls() override;
    void SwitchToModelRow(int row) override;

    // Runs inside ShowMessage, as if the user did something while the box is open.
    std::function<void()> WhileMessageOpen;

    QList<ViewEvent> Events;
    QString StatusText;
    bool ExchangeBusy = false;
    int Refreshes = 0;
    QList<QByteArray> ImagesAtRefresh; // the image each refresh showed

    QStringList statusTexts() const;
    QList<ViewEvent> ofKind(ViewEvent::Kind kind) const;
    // Time of the first status text equal to `text` after `afterMs`; -1 when none.
    qint64 statusAt(const QString& text, qint64 afterMs = -1) const;
    qint64 elapsed() const { return m_clock.elapsed(); }
    void resetClock() { m_clock.restart(); }

private:
    ProgramState& m_state;
    BarColour m_colour;
    QElapsedTimer m_clock;
};
