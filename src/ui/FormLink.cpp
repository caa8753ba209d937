// The link in the window: why the last exchange got no answer ("Почему?" beside the status
// text), the model found by itself ("Определить прибор") and one report of the port and the
// device ("Проверка связи").  The rules and the probes are link/'s.

#include "FormUnit1.h"

#include "app/ConfigStore.h"
#include "link/Exchange.h"
#include "link/ExchangeTexts.h"
#include "link/LinkCheck.h"
#include "link/ModelDetect.h"
#include "link/PortList.h"
#include "link/SerialDrv.h"
#include "model/MyConst.h"
#include "model/ProgramState.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

void TForm1::CreateLinkMenus(QMenu* service) {
    NDetect = service->addAction(tr("Определить прибор"));
    NDetect->setObjectName(QStringLiteral("NDetect"));
    connect(NDetect, &QAction::triggered, this, &TForm1::DetectClick);
    NLinkCheck = service->addAction(tr("Проверка связи..."));
    NLinkCheck->setObjectName(QStringLiteral("NLinkCheck"));
    connect(NLinkCheck, &QAction::triggered, this, &TForm1::LinkCheckClick);

    // Beside the status text, only while it says that a device did not answer (put on the
    // status bar once the window has made its own).
    WhyLink = new QLabel(QStringLiteral("<a href=\"why\">%1</a>").arg(tr("Почему?")), this);
    WhyLink->setObjectName(QStringLiteral("WhyLink"));
    WhyLink->setAccessibleName(tr("Почему нет связи"));
    WhyLink->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    WhyLink->hide();
    connect(WhyLink, &QLabel::linkActivated, this, &TForm1::WhyClick);

    m_detect = new TModelDetect(*SerialDriver1, *this, this);
    m_linkCheck = new TLinkCheck(*SerialDriver1, this);
}

bool TForm1::ExchangeRunning() const {
    return m_exchange->Busy() || (m_detect && m_detect->Busy()) ||
           (m_linkCheck && m_linkCheck->Busy());
}

void TForm1::NoteLinkOutcome(const ExchangeOutcome& outcome) {
    m_why.reset();
    if (outcome.Result == ExchangeResult::NoAnswer) {
        QStringList present;
        for (const SerialPortDetails& p : ListSerialPortDetails()) {
            const QString adapter = AdapterSummary(p);
            present << (adapter.isEmpty() ? p.Name
                                          : QStringLiteral("%1 (%2)").arg(p.Name, adapter));
        }
        m_why = Diagnose(outcome.Evidence, present);
    }
    WhyLink->setVisible(m_why.has_value());
}

void TForm1::WhyClick() {
    if (!m_why) return;
    auto* box = new QMessageBox(QMessageBox::Information, tr("Почему нет связи"), m_why->Headline,
                                QMessageBox::Close, this);
    box->setObjectName(QStringLiteral("WhyBox"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setInformativeText(m_why->Advice);
    if (!m_why->Heard.isEmpty()) box->setDetailedText(tr("Пришло: %1").arg(m_why->Heard));
    // A device of another model answered: one click picks it and reads again.
    for (const QString& model : m_why->HeardModels) {
        QPushButton* pick =
            box->addButton(tr("Выбрать %1 и прочитать").arg(model), QMessageBox::ActionRole);
        pick->setObjectName(QStringLiteral("Pick") + model);
        connect(pick, &QPushButton::clicked, this, [this, model] {
            if (ExchangeRunning()) return;
            const int row = FindDevice(model);
            if (row < 0) return;
            DeviceTypeList->setCurrentIndex(row);
            DeviceTypeListChange();
            ButtonReadClick();
        });
    }
    box->open();
}

void TForm1::DetectClick() {
    if (ExchangeRunning()) return;
    m_detect->Start([this](const DetectResult& r) { AdoptDetected(r); });
}

void TForm1::AdoptDetected(const DetectResult& r) {
    if (r.PortFailed || r.Stopped) return; // the box has said why
    if (!r.Found()) {
        const ExchangeOutcome telling = r.Telling();
        SetStatusText(ExchangeTexts::Result(telling));
        if (const auto blink = ExchangeTexts::ResultIndication(telling.Result))
            m_exchange->StartIndication(blink->Colour, blink->Ticks);
        NoteLinkOutcome(telling);
        return;
    }
    if (r.Candidates.size() == 1) return AdoptDetectedAs(r, r.Candidates.front());
    // The two transmitters answer alike: the installer says which it is; the image is in.
    auto* box = new QMessageBox(QMessageBox::Question, tr("Определить прибор"),
                                tr("Ответил радиопередатчик: %1 или %2. Какой это прибор?")
                                    .arg(r.Candidates[0], r.Candidates[1]),
                                QMessageBox::Cancel, this);
    box->setObjectName(QStringLiteral("TransmitterBox"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    for (const QString& model : r.Candidates) {
        QPushButton* b = box->addButton(model, QMessageBox::AcceptRole);
        b->setObjectName(QStringLiteral("Pick") + model);
        connect(b, &QPushButton::clicked, this, [this, r, model] { AdoptDetectedAs(r, model); });
    }
    box->open();
}

void TForm1::AdoptDetectedAs(const DetectResult& r, const QString& model) {
    const int row = FindDevice(model);
    if (row < 0 || ExchangeRunning()) return;
    // As a read takes it: the edits kept, the model switched, the image shown.
    KeepEdited(m_edits.Current(),
               QString::fromUtf8(QT_TRANSLATE_NOOP("ExchangeJournal", "перед чтением")));
    if (row != FindDevice(m_state.CurrentDevice)) SwitchToModelRow(row);
    std::copy(r.Read.Reply.begin(), r.Read.Reply.end(), m_state.ConfigImage());
    RefreshControls();
    ExchangeOutcome read = r.Read;
    read.Model = model;
    read.Compare = false;
    read.Result = ExchangeResult::ReadAccepted;
    SetStatusText(ExchangeTexts::Result(read));
    m_exchange->StartIndication(IndGreen, 1);
    ExchangeFinished(read);
    NoteLinkOutcome(read);
}

void TForm1::LinkCheckClick() {
    if (ExchangeRunning()) return;
    auto* dialog = new QDialog(this);
    dialog->setObjectName(QStringLiteral("LinkCheckDialog"));
    dialog->setWindowTitle(tr("Проверка связи"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    auto* text = new QPlainTextEdit(dialog);
    text->setObjectName(QStringLiteral("LinkReport"));
    text->setAccessibleName(tr("Отчёт о проверке связи"));
    text->setReadOnly(true);
    text->setPlainText(tr("Идёт проверка связи с прибором %1 на порту %2…")
                           .arg(m_state.CurrentDevice, SerialDriver1->PortName()));
    text->setMinimumSize(560, 320);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, dialog);
    QPushButton* copy = buttons->addButton(tr("Копировать"), QDialogButtonBox::ActionRole);
    copy->setObjectName(QStringLiteral("CopyReport"));
    QPushButton* save = buttons->addButton(tr("Сохранить..."), QDialogButtonBox::ActionRole);
    save->setObjectName(QStringLiteral("SaveReport"));
    copy->setEnabled(false);
    save->setEnabled(false);
    connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::close);
    connect(copy, &QPushButton::clicked, dialog,
            [text] { QApplication::clipboard()->setText(text->toPlainText()); });
    connect(save, &QPushButton::clicked, dialog, [this, text, dialog] {
        const QString path =
            QFileDialog::getSaveFileName(dialog, tr("Сохранить отчёт"),
                                         QStringLiteral("progmz515-link.txt"), tr("Текст (*.txt)"));
        if (path.isEmpty()) return;
        if (const std::optional<QString> error =
                ConfigStore::WriteWholeFile(path, text->toPlainText().toUtf8() + '\n'))
            ShowMessage(m_state.ApplicationTitle, *error, MessageIcon::Error);
    });
    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(text);
    layout->addWidget(buttons);
    SetExchangeBusy(true);
    SetStatusText(tr("Проверка связи..."));
    // The dialog may be closed before the check is over.
    const QPointer<QPlainTextEdit> shown = text;
    const QPointer<QPushButton> copyButton = copy, saveButton = save;
    m_linkCheck->Start(m_state.CurrentDevice,
                       [this, shown, copyButton, saveButton](const LinkReport& r) {
                           SetExchangeBusy(false);
                           SetStatusText(r.Answered ? tr("Проверка связи: прибор отвечает")
                                                    : tr("Проверка связи: прибор не отвечает"));
                           if (!shown) return;
                           shown->setPlainText(r.Text());
                           copyButton->setEnabled(true);
                           saveButton->setEnabled(true);
                       });
    dialog->open();
}
