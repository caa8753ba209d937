// TForm1's creation, the shell around it (start-up, close, menu commands, About) and the
// one way its messages reach the user.

#include "FormUnit1.h"

#include "FileCaption.h"
#include "FormGeometry.h"
#include "Icons.h"
#include "PageControl.h"
#include "PortBox.h"
#include "UpDown.h"

#include "app/AppTitle.h"
#include "app/Journal.h"
#include "app/PortChoice.h"
#include "app/SetupUnit.h"
#include "link/Exchange.h"
#include "link/PortList.h"
#include "link/PortKind.h"
#include "link/SerialDrv.h"
#include "model/MyConst.h"
#include "model/ProgramState.h"
#include "model/ShlfList.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>

using namespace Geometry;

TForm1::TForm1(ProgramState& state, MessageHook hook, QWidget* parent, LateWork late)
    : QMainWindow(parent), m_state(state), m_messageHook(std::move(hook)),
      m_lateWorkPending(late == LateWork::AfterFirstPaint) {
    setObjectName(QStringLiteral("Form1"));
    InstallPageTabBarAccessibility();
    // A fixed single border: minimise and close, no maximise.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    if (!m_lateWorkPending) setWindowIcon(ProgramIcon());
    ApplyFonts();

    ImageList1 = new TImageList(this);
    ImageList1->setObjectName(QStringLiteral("ImageList1"));
    // The port component as the window was designed with it: the first port, no flow
    // control, a poll every 500 ms, DTR left low on open.
    SerialDriver1 = new TSerialDriver(this);
    SerialDriver1->setObjectName(QStringLiteral("SerialDriver1"));
    SerialDriver1->SetPortName(DevicePathOfPortNumber(1));
    ConfigureExchangeDriver(*SerialDriver1);
    // Reads and writes, with the timers AttemptTimer, RxTimer and IndTimer.
    m_exchange = new TExchange(m_state, *SerialDriver1, *this, this);
    m_exchange->setObjectName(QStringLiteral("Exchange"));
    // Every configuration read or written goes into the journal once the exchange is over.
    m_exchange->BeforeImageReplaced = [this] {
        KeepEdited(m_edits.Current(),
                   QString::fromUtf8(QT_TRANSLATE_NOOP("ExchangeJournal", "перед чтением")));
    };
    m_exchange->Finished = [this](const ExchangeOutcome& outcome) {
        ExchangeFinished(outcome);
        NetworkPortUsed();
        AdapterUsed(outcome);
        NoteLinkOutcome(outcome);
        RecordInBook(outcome);
    };

    BuildMenu();
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    client->setFixedSize(ClientWidth, ClientHeight - StatusBarHeight);
    setCentralWidget(client);

    BuildModelStrip(client);
    PageMain = MakeControl<TPageControl>(
        client, "PageMain", 0, QRect(4, 38, PanelX - 8, ClientHeight - StatusBarHeight - 41));
    auto page = [&](const char* name, const QString& caption) {
        auto* p = new QWidget;
        p->setObjectName(QString::fromLatin1(name));
        SetTag(p, 0);
        PageMain->addTab(p, caption);
        return p;
    };
    PageShlf = page("PageShlf", tr("Шлейфы"));
    PageRadio = page("PageRadio", tr("Радиоканал"));
    PageInput2 = page("PageInput2", tr("Доп.входы"));
    PageRazd = page("PageRazd", tr("Доп.разделы"));
    BuildLoopPage(PageShlf);
    BuildRadioPage(PageRadio);
    BuildInputPage(PageInput2);
    BuildRazdPage(PageRazd);
    BuildPanel(client);

    auto* bar = new QStatusBar(this);
    bar->setObjectName(QStringLiteral("StatusBar"));
    bar->setSizeGripEnabled(false);
    bar->setFixedHeight(StatusBarHeight);
    setStatusBar(bar);
    bar->addPermanentWidget(WhyLink);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    ConnectControls();
    ConnectZonePage();
    FormCreate();
    GuardInput();
}

// The exchange unhooks itself from the port component when it goes, so it must go first:
// Qt deletes children in the order they were made, and the component was made before it.
TForm1::~TForm1() {
    delete m_exchange;
    m_exchange = nullptr;
}

void TForm1::ConnectControls() {
    connect(DelayInBox, &QComboBox::activated, this, &TForm1::DelayInBoxChange);
    connect(DelayOutBox, &QComboBox::activated, this, &TForm1::DelayOutBoxChange);

    connect(AlarmTxQuant, &QLineEdit::textEdited, this, &TForm1::AlarmTxQuantChange);
    connect(ChangeTxQuant, &QLineEdit::textEdited, this, &TForm1::ChangeTxQuantChange);
    connect(RadioCheckBox, &QLineEdit::textEdited, this, &TForm1::RadioCheckBoxChange);
    connect(AlarmTxQuantSpin, &TUpDown::Stepped, this, &TForm1::AlarmTxQuantChange);
    connect(ChangeTxQuantSpin, &TUpDown::Stepped, this, &TForm1::ChangeTxQuantChange);
    connect(RadioCheckSpin, &TUpDown::Stepped, this, &TForm1::RadioCheckBoxChange);
    RadioCheckBox->installEventFilter(this);

    connect(QuickRCheck, &QRadioButton::clicked, this, &TForm1::QuickRCheckClick);
    connect(SlowRCheck, &QRadioButton::clicked, this, &TForm1::SlowRCheckClick);
    connect(Active0Butt, &QRadioButton::clicked, this, &TForm1::Active0ButtClick);
    connect(Active1Butt, &QRadioButton::clicked, this, &TForm1::Active1ButtClick);

    // A pick of the entry already shown is no model switch: it would throw away the edits.
    // The row shown is always the current model's (every selection of a row comes with its
    // arrangement), so comparing identifiers is enough.
    connect(DeviceTypeList, &QComboBox::activated, this, [this](int row) {
        if (IdentifierOf(row) != m_state.CurrentDevice) DeviceTypeListChange();
    });

    // Every edit of the port's text and every pick from its list is a change; the text put
    // there at start-up is not.
    connect(PortNameBox->lineEdit(), &QLineEdit::textEdited, this, &TForm1::PortNameBoxChange);
    connect(PortNameBox, &QComboBox::textActivated, this, &TForm1::PortNameBoxChange);

    connect(BtnClose, &QPushButton::clicked, this, &TForm1::BtnCloseClick);
    connect(ButtonRead, &QPushButton::clicked, this, &TForm1::ButtonReadClick);
    connect(ButtonWrite, &QPushButton::clicked, this, &TForm1::ButtonWriteClick);
}

void TForm1::FormCreate() {
    m_state.ApplicationTitle = ShownTitle();
    setWindowTitle(m_state.ApplicationTitle);
    m_state.CurrentFileName.clear();

    QStringList events;
    for (int number = 1; number <= EventCount; ++number)
        events << QCoreApplication::translate("ShlfList",
                                              EventList[static_cast<std::size_t>(number - 1)].Text);
    for (QComboBox* box : ShlfEvent) {
        box->addItems(events);
        box->setCurrentIndex(-1);
    }

    PortNameBox->clear();
    if (m_lateWorkPending)
        installEventFilter(this);
    else
        PortNameBox->addItems(ListSerialPorts());
    QString error;
    PortNameBox->setEditText(RestorePortChoice(*SerialDriver1, &error));
    ReportSettingError(error);
    PortNameBox->SetRecent(RecentNetworkPorts());
    // The adapter of the last exchange that worked may be back under another name; the
    // first list of ports says (it comes after the first paint, or when the list is opened).
    connect(PortNameBox, &TPortBox::Refreshed, this, &TForm1::AdoptMovedAdapter,
            Qt::SingleShotConnection);

    const QString saved =
        ReadSetting(QLatin1String(SettingDeviceType), IdentifierOf(RowKA8), &error);
    ReportSettingError(error);
    for (int row = 0; row < DeviceCount; ++row)
        DeviceTypeList->addItem(QCoreApplication::translate(
            "MyConst", DeviceTable[static_cast<std::size_t>(row)].Description));
    const int selected = FindDevice(saved);
    // Selecting does not switch the model; the switch runs once, here.
    DeviceTypeList->setCurrentIndex(selected >= 0 ? selected : RowKA8);
    DeviceTypeListChange();
}

void TForm1::FormClose() {
    SerialDriver1->ClosePort();
}

void TForm1::EndSession() {
    SerialDriver1->ClosePort();
    KeepEdited(m_edits.Current(), QString::fromUtf8(QT_TRANSLATE_NOOP(
                                     "ExchangeJournal", "перед завершением программы")));
}

void TForm1::PortNameBoxChange(const QString& text) {
    QString error;
    ::PortNameBoxChange(text, *SerialDriver1, &error);
    ReportSettingError(error);
}

void TForm1::AdoptMovedAdapter() {
    // An exchange under way keeps its port; the next start looks again.
    if (m_exchange->Busy()) return;
    QString error;
    const PortPick pick = RestorePortChoice(*SerialDriver1, PortNameBox->Ports(), &error);
    ReportSettingError(error);
    if (!pick.Refound) return;
    PortNameBox->setEditText(pick.Name);
    SetStatusText(tr("Адаптер %1 теперь на порту %2")
                      .arg(StoredSetting(QLatin1String(SettingComPortSerial)), pick.Name));
}

void TForm1::AdapterUsed(const ExchangeOutcome& outcome) {
    if (!outcome.Accepted()) return;
    // The adapter is looked up in a fresh list, on the box's thread: the port's name may
    // have changed hands since the last one.  Once a port: the box is not listed again
    // after every exchange, and a network port or a pseudo-terminal has no adapter.
    const QString path = SerialDriver1->PortName();
    if (path == m_adapterPath || IsNetworkPortName(path) || path.startsWith(u"/dev/pts/"))
        return;
    m_adapterPath = path;
    connect(
        PortNameBox, &TPortBox::Refreshed, this,
        [this, path] {
            QString error;
            RememberPortAdapter(path, PortNameBox->Ports(), &error);
            ReportSettingError(error);
        },
        Qt::SingleShotConnection);
    PortNameBox->Refresh();
}

void TForm1::SetPortSource(std::function<QList<SerialPortDetails>()> source) {
    PortNameBox->SetSource(std::move(source));
}

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (m_formShown) return;
    m_formShown = true;
    if (!m_pendingSettingError.isEmpty()) {
        // Over the window rather than before it, so the user sees what the error is about.
        QTimer::singleShot(0, this, [this] {
            const QString error = std::exchange(m_pendingSettingError, QString());
            ShowMessage(m_state.ApplicationTitle, error, QMessageBox::Critical);
        });
    }
    // Once only: a window restored from minimised is shown again, and must not reload the
    // file over the user's edits.
    FormShow();
}

void TForm1::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == this) { // only until the first paint
        if (event->type() == QEvent::Paint && m_lateWorkPending) {
            m_lateWorkPending = false;
            removeEventFilter(this);
            // After the picture is on the screen, not while it is being made.
            QTimer::singleShot(0, this, [this] {
                setWindowIcon(ProgramIcon());
                PortNameBox->Refresh();
            });
        }
        return QMainWindow::eventFilter(watched, event);
    }
    if (IsUnpickedWheel(watched, event)) return true;
    if (watched == RadioCheckBox && event->type() == QEvent::FocusOut) {
        // Leaving the field for another control; a message box or another window taking
        // the focus is no leaving.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            RadioCheckBoxExit();
    }
    return QMainWindow::eventFilter(watched, event);
}

void TForm1::ShowMessage(const QString& caption, const QString& text, QMessageBox::Icon icon,
                         const QString& details) {
    const MessageRecord message{caption, text, icon, details};
    if (m_messageHook)
        m_messageHook(message);
    else
        ShowMessageBox(this, message);
}

void TForm1::ReportSettingError(const QString& error) {
    if (error.isEmpty() || m_settingErrorShown) return;
    // Once per run: a store that refuses one write refuses the next keystroke's too.
    m_settingErrorShown = true;
    if (m_formShown || m_messageHook)
        ShowMessage(m_state.ApplicationTitle, error, QMessageBox::Critical);
    else
        m_pendingSettingError = error;
}

void TForm1::SetStatusText(const QString& text) {
    statusBar()->showMessage(text);
}

QString TForm1::StatusText() const {
    return statusBar()->currentMessage();
}

QString TForm1::AboutText() const {
    return ShownTitle() + QStringLiteral("\r\n") +
           tr("Настройка приборов охранной сигнализации MZ-515:\r\n"
              "чтение, изменение и запись конфигурации\r\n"
              "через последовательный порт.");
}

void TForm1::BtnCloseClick() {
    SerialDriver1->ClosePort();
    close();
}

void TForm1::N8Click() {
    BtnCloseClick();
}

void TForm1::N6Click() {
    ShowMessage(tr("О программе..."), AboutText(), QMessageBox::NoIcon);
}
