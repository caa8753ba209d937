// The window as the exchange controller's host: the buttons start an exchange, and the
// controller's status, colours, boxes and model switches land in the window's controls.

#include "FormUnit1.h"
#include "PortBox.h"

#include "app/PortChoice.h"
#include "link/Exchange.h"
#include "link/PortKind.h"
#include "link/SerialDrv.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>

void TForm1::ButtonReadClick() {
    m_exchange->ButtonReadClick();
}

void TForm1::ButtonWriteClick() {
    // To a device of the site book, what the write changes is shown first.
    if (PreviewWrite()) m_exchange->ButtonWriteClick();
}

void TForm1::SetExchangeBusy(bool busy) {
    // A model switch or a file opened during an exchange would change the image and its
    // length under the exchange; both wait for its end, with the port and the buttons.
    for (QWidget* control :
         {static_cast<QWidget*>(PortNameBox), static_cast<QWidget*>(ButtonWrite),
          static_cast<QWidget*>(ButtonRead), static_cast<QWidget*>(DeviceTypeList)})
        control->setEnabled(!busy);
    N4->setEnabled(!busy);
    // A comparison with the device, a detection and a link check are exchanges of their own.
    for (QAction* action : {NCompareDevice, NDetect, NLinkCheck})
        action->setEnabled(!busy);
    if (busy && WhyLink) WhyLink->hide();
}

void TForm1::SetStatusColour(const BarColour& colour) {
    m_statusColour = colour;
    QStatusBar* bar = statusBar();
    if (!colour) {
        bar->setAutoFillBackground(false);
        bar->setPalette(QPalette());
        return;
    }
    QPalette palette = bar->palette();
    palette.setColor(QPalette::Window, QColor(colour->R, colour->G, colour->B));
    // Dark text on the red, light on the green, so the message stays readable.
    palette.setColor(QPalette::WindowText,
                     colour->G >= 128 && colour->R == 0 ? Qt::white : Qt::black);
    bar->setPalette(palette);
    bar->setAutoFillBackground(true);
}

void TForm1::ShowMessage(const QString& caption, const QString& text, MessageIcon icon) {
    ShowMessage(caption, text,
                icon == MessageIcon::Error ? QMessageBox::Critical : QMessageBox::NoIcon);
}

void TForm1::ShowDetailedMessage(const QString& caption, const QString& text, MessageIcon icon,
                                 const QString& details) {
    ShowMessage(caption, text,
                icon == MessageIcon::Error ? QMessageBox::Critical : QMessageBox::NoIcon, details);
}

void TForm1::SwitchToModelRow(int row) {
    // Only the exchange asks for this, and what the image holds has been kept by then: a
    // read's edits went into the journal just before, a write's image was sent and goes
    // there as written.
    m_edits.MarkUnedited();
    // Selecting a row does not run the switch by itself.
    DeviceTypeList->setCurrentIndex(row);
    DeviceTypeListChange();
}

void TForm1::NetworkPortUsed() {
    // An exchange that sent its request had its port open: a network address that worked
    // is offered in the list from now on.
    if (!IsNetworkPortName(SerialDriver1->PortName())) return;
    QString error;
    RememberNetworkPort(SerialDriver1->PortName(), &error);
    PortNameBox->SetRecent(RecentNetworkPorts());
    ReportSettingError(error);
}
