#pragma once
// The port drop-down: an editable box whose list is asked anew from the system each time
// it is opened, so that an adapter plugged in after the start is there and one pulled out
// is gone.  The system is asked on a thread of its own (it takes a while: udev is asked
// about every tty); the list shown meanwhile is the last one, and it is replaced when the
// answer comes, with the text in the box left as it is.  Each item shows its adapter in one
// short line beside the name (the item's text, which goes into the box, stays the bare
// name), and its tooltip says all the system knows of it.  After the system's ports come
// the network addresses used last, newest first.

#include "link/PortList.h"

#include <QComboBox>
#include <QList>

#include <functional>

class QThread;

class TPortBox : public QComboBox {
    Q_OBJECT
public:
    using Source = std::function<QList<SerialPortDetails>()>;

    explicit TPortBox(QWidget* parent = nullptr);
    ~TPortBox() override;

    // Where the list comes from (ListSerialPortDetails unless set).  Called on another
    // thread, so it must not touch widgets.
    void SetSource(Source source);

    // Asks the system now, without waiting for the answer; a query under way is not
    // started twice.
    void Refresh();
    // Puts a list into the box: the items, in order, with their tooltips; the text in the
    // box is kept.
    void SetPorts(const QList<SerialPortDetails>& ports);
    // The system's ports as last put into the box.
    const QList<SerialPortDetails>& Ports() const { return m_ports; }
    // The network addresses to offer after the system's ports; the list is rebuilt with them.
    void SetRecent(const QStringList& addresses);

    void showPopup() override;

    static QString ToolTipOf(const SerialPortDetails& port);
    // The item data role that holds the adapter's line (AdapterSummary).
    static constexpr int AdapterRole = Qt::UserRole + 1;

signals:
    // A list asked for by Refresh has been put into the box.
    void Refreshed();

private:
    Source m_source;
    QList<SerialPortDetails> m_ports; // as last given
    bool m_portsGiven = false;
    QStringList m_recent;
    QThread* m_query = nullptr;
};
