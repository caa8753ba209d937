#include "PortBox.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QThread>

#include <memory>

namespace {
// Paints an item as its name and, after a gap, its adapter's line.
class AdapterDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        const QString adapter = index.data(TPortBox::AdapterRole).toString();
        if (!adapter.isEmpty()) option->text += QStringLiteral("    ") + adapter;
    }
};
} // namespace

TPortBox::TPortBox(QWidget* parent) : QComboBox(parent), m_source(ListSerialPortDetails) {
    setItemDelegate(new AdapterDelegate(this));
}

TPortBox::~TPortBox() {
    // The query holds no pointer to the box, but its thread object must not outlive the
    // program's event loop running; a query takes milliseconds.
    if (m_query) {
        m_query->disconnect(this);
        m_query->wait();
        delete m_query;
    }
}

void TPortBox::SetSource(Source source) {
    m_source = source ? std::move(source) : Source(ListSerialPortDetails);
}

void TPortBox::showPopup() {
    // The last list at once, the system's answer a moment later.
    Refresh();
    // Wide enough for the adapters' lines, which the box itself has no room for.
    view()->setMinimumWidth(view()->sizeHintForColumn(0) + 24);
    QComboBox::showPopup();
}

void TPortBox::Refresh() {
    if (m_query) return;
    auto result = std::make_shared<QList<SerialPortDetails>>();
    m_query = QThread::create([source = m_source, result] { *result = source(); });
    connect(m_query, &QThread::finished, this, [this, result] {
        m_query->deleteLater();
        m_query = nullptr;
        SetPorts(*result);
        emit Refreshed();
    });
    m_query->start();
}

void TPortBox::SetRecent(const QStringList& addresses) {
    // Nothing to add or take away: the items (and the text over them) stay as they are.
    if (addresses == m_recent) return;
    m_recent = addresses;
    QList<SerialPortDetails> system = m_ports;
    // Items put in before any list came (the start's) are the system's ports.
    if (!m_portsGiven)
        for (int i = 0; i < count(); ++i) {
            SerialPortDetails d;
            d.Name = itemText(i);
            system << d;
        }
    SetPorts(system);
}

void TPortBox::SetPorts(const QList<SerialPortDetails>& ports) {
    m_ports = ports;
    m_portsGiven = true;
    QStringList names;
    for (const SerialPortDetails& p : ports)
        names << p.Name;
    const qsizetype systemCount = names.size();
    for (const QString& address : m_recent)
        if (!names.contains(address)) names << address;
    QStringList shown;
    for (int i = 0; i < count(); ++i)
        shown << itemText(i);
    if (names != shown) {
        // Rebuilding the items puts another text into the line: the user's stays.
        const QString text = currentText();
        const int cursor = lineEdit() ? lineEdit()->cursorPosition() : 0;
        const bool selection = lineEdit() && lineEdit()->hasSelectedText();
        const int selStart = selection ? lineEdit()->selectionStart() : 0;
        const int selLength = selection ? lineEdit()->selectedText().size() : 0;
        const QSignalBlocker block(this);
        clear();
        addItems(names);
        setCurrentIndex(findText(text, Qt::MatchExactly));
        setEditText(text);
        if (lineEdit()) {
            if (selection)
                lineEdit()->setSelection(selStart, selLength);
            else
                lineEdit()->setCursorPosition(cursor);
        }
    }
    for (int i = 0; i < ports.size(); ++i) {
        setItemData(i, ToolTipOf(ports[i]), Qt::ToolTipRole);
        setItemData(i, AdapterSummary(ports[i]), AdapterRole);
    }
    for (qsizetype i = systemCount; i < names.size(); ++i)
        setItemData(int(i), QStringLiteral("Сетевой порт, с которым программа работала недавно"),
                    Qt::ToolTipRole);
}

QString TPortBox::ToolTipOf(const SerialPortDetails& port) {
    QStringList lines;
    if (!port.SystemLocation.isEmpty()) lines << port.SystemLocation;
    if (!port.Description.isEmpty()) lines << tr("Описание: ") + port.Description;
    if (!port.Manufacturer.isEmpty()) lines << tr("Изготовитель: ") + port.Manufacturer;
    if (const QString chip = ChipOf(port); !chip.isEmpty()) lines << tr("Адаптер: ") + chip;
    if (port.VendorId || port.ProductId)
        lines << QStringLiteral("USB VID:PID: %1:%2")
                     .arg(port.VendorId.value_or(0), 4, 16, QLatin1Char('0'))
                     .arg(port.ProductId.value_or(0), 4, 16, QLatin1Char('0'));
    if (!port.SerialNumber.isEmpty()) lines << tr("Серийный номер: ") + port.SerialNumber;
    if (!port.Driver.isEmpty()) lines << tr("Драйвер: ") + port.Driver;
    if (!port.ById.isEmpty()) lines << QStringLiteral("/dev/serial/by-id/") + port.ById;
    if (port.Description.isEmpty() && port.Manufacturer.isEmpty() && port.Driver.isEmpty() &&
        AdapterSummary(port).isEmpty())
        lines << tr("Система не знает, что за устройство у этого порта");
    return lines.join(QLatin1Char('\n'));
}
