#include "RecordingView.h"

#include "model/MyConst.h"

RecordingView::RecordingView(ProgramState& state) : m_state(state) {
    m_clock.start();
}

void RecordingView::SetStatusText(const QString& text) {
    StatusText = text;
    Events.append({ViewEvent::Status, m_clock.elapsed(), text, {}, 0});
}

void RecordingView::SetExchangeBusy(bool busy) {
    ExchangeBusy = busy;
    Events.append({ViewEvent::Busy, m_clock.elapsed(), {}, {}, busy ? 1 : 0});
}

void RecordingView::SetStatusColour(const BarColour& colour) {
    m_colour = colour;
    Events.append({ViewEvent::Colour, m_clock.elapsed(), {}, colour, 0});
}

void RecordingView::ShowMessage(const QString& caption, const QString& text, MessageIcon icon) {
    ShowDetailedMessage(caption, text, icon, {});
}

void RecordingView::ShowDetailedMessage(const QString& caption, const QString& text,
                                        MessageIcon icon, const QString& details) {
    Events.append({ViewEvent::Message,
                   m_clock.elapsed(),
                   caption + QLatin1Char('|') + text,
                   {},
                   int(icon),
                   details});
    if (WhileMessageOpen) WhileMessageOpen();
}

void RecordingView::RefreshControls() {
    ++Refreshes;
    ImagesAtRefresh.append(
        QByteArray(reinterpret_cast<const char*>(m_state.ConfigImage()), m_state.Capacity));
    Events.append({ViewEvent::Refresh, m_clock.elapsed(), {}, {}, 0});
}

void RecordingView::SwitchToModelRow(int row) {
    LoadDeviceDefaults(m_state, IdentifierOf(row));
    Events.append({ViewEvent::Switch, m_clock.elapsed(), {}, {}, row});
}

QStringList RecordingView::statusTexts() const {
    QStringList texts;
    for (const ViewEvent& e : Events)
        if (e.What == ViewEvent::Status) texts.append(e.Text);
    return texts;
}

QList<ViewEvent> RecordingView::ofKind(ViewEvent::Kind kind) const {
    QList<ViewEvent> events;
    for (const ViewEvent& e : Events)
        if (e.What == kind) events.append(e);
    return events;
}

qint64 RecordingView::statusAt(const QString& text, qint64 afterMs) const {
    for (const ViewEvent& e : Events)
        if (e.What == ViewEvent::Status && e.Text == text && e.AtMs > afterMs) return e.AtMs;
    return -1;
}
