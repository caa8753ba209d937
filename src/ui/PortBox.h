#pragma once
// The port drop-down: an editable box whose list is asked anew from the system each time
// it is opened, so that an adapter plugged in after the start is there and one pulled out
// is gone.  The system is asked on a thread of its own (it takes a while: udev is asked
// about every tty); the list shown meanwhile is the last one, and it is replaced when the
// answer comes, with the text in the box left as it is.  Each item's tooltip says what the
// system knows of the adapter.  After the system's ports come the network addresses used
// last, newest first.

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
    // The network addresses to offer after the system's ports; the list is rebuilt with them.
    void SetRecent(const QStringList& addresses);

    void showPopup() override;

    static QString ToolTipOf(const SerialPortDetails& port);

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
