// The site book in the window: "Файл" -> "Объекты...", the device the exchanges are recorded
// under (named in the caption), what changed on a device since its last record, and what a
// write will change.  The book itself is app/'s.

#include "BookDialog.h"
#include "FormUnit1.h"
#include "ListDialog.h"

#include "app/SetupUnit.h"
#include "app/SiteBookExchange.h"
#include "link/Exchange.h"
#include "link/SerialDrv.h"
#include "model/ConfigCompare.h"
#include "model/MyConst.h"
#include "model/ProgramState.h"

#include <QAction>
#include <QComboBox>
#include <QDateTime>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>

void TForm1::CreateBookMenus(QMenu* file, QMenu* service) {
    NBook = new QAction(tr("Объекты..."), this);
    NBook->setObjectName(QStringLiteral("NBook"));
    NBook->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
    connect(NBook, &QAction::triggered, this, &TForm1::BookClick);
    file->addAction(NBook); // after the window's own items, which keep their places
    NWritePreview = service->addAction(tr("Показывать изменения перед записью"));
    NWritePreview->setObjectName(QStringLiteral("NWritePreview"));
    NWritePreview->setCheckable(true);
    NWritePreview->setChecked(StoredSetting(QLatin1String(SettingWritePreview)) !=
                              QLatin1String("0"));
    connect(NWritePreview, &QAction::toggled, this, &TForm1::WritePreviewClick);
}

void TForm1::WritePreviewClick(bool on) {
    QString error;
    WriteSetting(QLatin1String(SettingWritePreview), on ? QStringLiteral("1") : QStringLiteral("0"),
                 &error);
    ReportSettingError(error);
}

void TForm1::ReportBookError(const QString& error) {
    // Once per run, as the journal's: the exchanges go on without the book.
    if (m_bookErrorShown) return;
    m_bookErrorShown = true;
    ShowMessage(m_state.ApplicationTitle,
                tr("Книга объектов не записывается.") + QStringLiteral("\r\n") + error,
                MessageIcon::Error);
}

SiteBook::TSiteBook* TForm1::Book() {
    if (m_book) return m_book.get();
    QString error;
    const QString text = m_bookLocation.isEmpty() ? SiteBook::ConfiguredLocation() : m_bookLocation;
    if (const std::optional<SiteBook::Location> at = SiteBook::ParseLocation(text, &error))
        m_book = SiteBook::TSiteBook::Open(*at, &error);
    if (!m_book) ShowMessage(m_state.ApplicationTitle, error, MessageIcon::Error);
    return m_book.get();
}

void TForm1::BookClick() {
    if (m_bookDialog) {
        m_bookDialog->raise();
        m_bookDialog->activateWindow();
        return;
    }
    SiteBook::TSiteBook* book = Book();
    if (!book) return;
    m_bookDialog = new TSiteBookDialog(*book, this);
    connect(m_bookDialog, &TSiteBookDialog::DeviceChosen, this, &TForm1::ChooseBookDevice);
    connect(m_bookDialog, &TSiteBookDialog::RecordOpened, this, &TForm1::OpenBookRecord);
    connect(m_bookDialog, &TSiteBookDialog::Failed, this, [this](const QString& error) {
        ShowMessage(m_state.ApplicationTitle, error, MessageIcon::Error);
    });
    m_bookDialog->show();
}

void TForm1::UpdateBookCaption() {
    QString title = windowTitle();
    if (!m_captionSuffix.isEmpty() && title.endsWith(m_captionSuffix))
        title.chop(m_captionSuffix.size());
    m_captionSuffix = m_bookDevice
                          ? QStringLiteral(" — %1 / %2").arg(m_bookSite->Name, m_bookDevice->Label)
                          : QString();
    setWindowTitle(title + m_captionSuffix);
}

void TForm1::ChooseBookDevice(const SiteBook::Site& site, const SiteBook::Device& device) {
    if (ExchangeRunning()) return;
    m_bookSite = site;
    m_bookDevice = device;
    // The device's model, as the installer would pick it.
    const int row = FindDevice(device.Model);
    if (row >= 0 && row != DeviceTypeList->currentIndex()) {
        DeviceTypeList->setCurrentIndex(row);
        DeviceTypeListChange();
    }
    UpdateBookCaption();
    SetStatusText(tr("Обмен записывается в книгу: %1 / %2").arg(site.Name, device.Label));
}

void TForm1::OpenBookRecord(const SiteBook::Site& site, const SiteBook::Device& device,
                            const SiteBook::Record& record) {
    if (ExchangeRunning()) return;
    const int row = FindDevice(record.Model);
    const DeviceRow* r = DeviceRowOf(record.Model);
    if (row < 0 || !r || record.Image.size() != r->Capacity) return;
    KeepEdited(m_edits.Current(),
               QString::fromUtf8(QT_TRANSLATE_NOOP("ExchangeJournal", "перед открытием")));
    ChooseBookDevice(site, device);
    if (row != FindDevice(m_state.CurrentDevice)) {
        DeviceTypeList->setCurrentIndex(row);
        DeviceTypeListChange();
    }
    std::copy(record.Bytes().begin(), record.Bytes().end(), m_state.ConfigImage());
    RefreshControls();
    m_edits.MarkUnedited();
    SetStatusText(tr("Открыта запись от %1")
                      .arg(QDateTime::fromMSecsSinceEpoch(record.AtMs)
                               .toLocalTime()
                               .toString(QStringLiteral("dd.MM.yyyy HH:mm"))));
}

std::optional<SiteBook::Record> TForm1::HeldRecord() {
    if (!m_bookDevice || !Book()) return std::nullopt;
    for (const SiteBook::Record& r : m_book->Records(m_bookDevice->Id))
        if (r.Held) return r;
    return std::nullopt;
}

void TForm1::RecordInBook(const ExchangeOutcome& outcome) {
    if (!m_bookDevice || !Book()) return;
    const std::optional<SiteBook::Record> before =
        outcome.Result == ExchangeResult::ReadAccepted && !outcome.Compare ? HeldRecord()
                                                                           : std::nullopt;
    for (SiteBook::Record& r : BookRecordsOf(outcome, m_bookDevice->Id, SerialDriver1->PortName()))
        if (const std::optional<QString> error = m_book->AddRecord(r)) ReportBookError(*error);
    if (m_bookDialog) m_bookDialog->Reload();
    if (before) ShowDrift(*before, outcome);
}

void TForm1::ShowDrift(const SiteBook::Record& last, const ExchangeOutcome& read) {
    const ConfigComparison c =
        CompareConfigurations(last.Model, last.Bytes(), read.Model, read.Reply);
    if (c.Equal()) return;
    QList<QStringList> rows;
    if (!c.SameModel()) rows << QStringList{QString(), tr("модель"), c.ModelHere, c.ModelThere};
    for (const FieldTable::FieldDifference& d : c.Fields)
        rows << QStringList{d.Zone, d.Name, d.Old, d.New};
    // Beside the window, for as long as the installer wants it.
    auto* dialog = new TListDialog(this, QStringLiteral("DriftDialog"), tr("Прибор изменился"));
    dialog->setWindowModality(Qt::NonModal);
    dialog->SetContent(tr("Прибор «%1» хранит не то, что в его последней записи от %2 (полей: %3).")
                           .arg(m_bookDevice->Label,
                                QDateTime::fromMSecsSinceEpoch(last.AtMs).toLocalTime().toString(
                                    QStringLiteral("dd.MM.yyyy HH:mm")))
                           .arg(c.Fields.size()),
                       {tr("Зона"), tr("Поле"), tr("В записи"), tr("В приборе")}, rows);
    dialog->show();
}

bool TForm1::PreviewWrite() {
    if (!m_bookDevice || !NWritePreview->isChecked() || !Book()) return true;
    const std::optional<SiteBook::Record> held = HeldRecord();
    QString text;
    QStringList lines;
    if (!held) {
        text = tr("У прибора «%1» ещё нет записей в книге: в него запишется вся конфигурация.")
                   .arg(m_bookDevice->Label);
    } else {
        lines = CompareConfigurations(held->Model, held->Bytes(), m_state.CurrentDevice,
                                      m_state.Image())
                    .Lines();
        text = lines.isEmpty() ? tr("Запись ничего не изменит: по последней записи прибор «%1» "
                                    "хранит то же.")
                                     .arg(m_bookDevice->Label)
                               : tr("Запись изменит в приборе «%1» (полей: %2):")
                                     .arg(m_bookDevice->Label)
                                     .arg(lines.size());
    }
    auto* box = new QMessageBox(QMessageBox::Question, tr("Запись в прибор"), text,
                                QMessageBox::NoButton, this);
    box->setObjectName(QStringLiteral("WritePreviewBox"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    if (!lines.isEmpty()) box->setInformativeText(lines.join(u'\n'));
    QPushButton* write = box->addButton(tr("Записать"), QMessageBox::AcceptRole);
    write->setObjectName(QStringLiteral("PreviewWrite"));
    QPushButton* cancel = box->addButton(tr("Отмена"), QMessageBox::RejectRole);
    cancel->setObjectName(QStringLiteral("PreviewCancel"));
    box->setDefaultButton(cancel);
    box->setEscapeButton(cancel);
    connect(write, &QPushButton::clicked, this, [this] {
        if (!ExchangeRunning()) m_exchange->ButtonWriteClick();
    });
    box->open();
    return false;
}
