// The installer's safety net in the window: the journal of every configuration that came
// from a device or went to one (and of edits about to be replaced), comparisons with a
// file, a journal entry or the device, the configuration checks, and the printed sheet.
// The work is app/'s and model/'s; here it meets the menus and dialogs.

#include "FormUnit1.h"

#include "JournalDialog.h"
#include "ListDialog.h"
#include "PortBox.h"
#include "SheetPrint.h"

#include "app/ConfigSheet.h"
#include "app/ConfigStore.h"
#include "app/ExchangeJournal.h"
#include "app/Journal.h"
#include "app/SetupUnit.h"
#include "link/Exchange.h"
#include "model/ConfigChecks.h"
#include "model/ConfigCompare.h"
#include "model/MyConst.h"
#include "model/ProgramState.h"

#include <QAction>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QTimer>

void TForm1::CreateSafetyMenus(QMenu* file, QMenu* service) {
    // After the items the window always had, so that theirs keep their places.
    auto item = [&](QMenu* m, const char* name, const QString& caption, void (TForm1::*handler)()) {
        QAction* action = m->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    file->addSeparator()->setObjectName(QStringLiteral("NSafetySeparator"));
    NCompareFile =
        item(file, "NCompareFile", tr("Сравнить с файлом..."), &TForm1::CompareWithFileClick);
    NPrint = item(file, "NPrint", tr("Печать..."), &TForm1::PrintClick);
    NExportPdf = item(file, "NExportPdf", tr("Экспорт в PDF..."), &TForm1::ExportPdfClick);
    NJournal = item(service, "NJournal", tr("Журнал..."), &TForm1::JournalClick);
    NCompareDevice =
        item(service, "NCompareDevice", tr("Сравнить с прибором"), &TForm1::CompareWithDeviceClick);
    NChecks = item(service, "NChecks", tr("Проверка конфигурации..."), &TForm1::ChecksClick);
}

void TForm1::SetJournalFolder(const QString& folder) {
    m_journal = std::make_unique<Journal::TJournal>(folder);
}

Journal::TJournal& TForm1::JournalStore() {
    // Made on first use: a window that is only looked at never asks where the journal is.
    if (!m_journal)
        m_journal = std::make_unique<Journal::TJournal>(Journal::TJournal::DefaultFolder());
    return *m_journal;
}

void TForm1::KeepEdited(const TEditTracker::Snapshot& before, const QString& reason) {
    if (const std::optional<QString> error = m_edits.KeepEdited(before, reason, JournalStore()))
        ReportJournalError(*error);
}

void TForm1::ReportJournalError(const QString& error) {
    // Once per run: a journal that cannot be written now will not be at the next exchange.
    if (m_journalErrorShown) return;
    m_journalErrorShown = true;
    const QString text =
        tr("Журнал не записывается, прочитанные и записанные конфигурации не сохраняются в "
           "нем.\r\nЧтение и запись приборов продолжаются как обычно.\r\n\r\n") +
        error;
    // After the exchange's own boxes and texts, never inside them.
    if (m_messageHook)
        ShowMessage(m_state.ApplicationTitle, text, QMessageBox::Warning);
    else
        QTimer::singleShot(0, this, [this, text] {
            ShowMessage(m_state.ApplicationTitle, text, QMessageBox::Warning);
        });
}

void TForm1::ExchangeFinished(const ExchangeOutcome& o) {
    if (const std::optional<QString> error =
            JournalExchange(JournalStore(), o, PortNameBox->currentText()))
        ReportJournalError(*error);
    // What was written is what the device holds, and what was read is the image now:
    // nothing left to lose.  A write that was not answered may not have arrived, so the
    // edits still count as unsaved; a comparison left the image as it was.
    if (o.Accepted() && !o.Compare) m_edits.MarkUnedited();
}

void TForm1::ShowComparison(const QString& title, const QString& subject,
                            const QString& thereColumn, const QString& model,
                            std::span<const std::uint8_t> image) {
    const ConfigComparison c =
        CompareConfigurations(m_state.CurrentDevice, m_state.Image(), model, image);
    QList<QStringList> rows;
    if (!c.SameModel()) rows << QStringList{QString(), tr("модель"), c.ModelHere, c.ModelThere};
    for (const FieldTable::FieldDifference& d : c.Fields)
        rows << QStringList{d.Zone, d.Name, d.Old, d.New};
    QString heading;
    if (c.Equal())
        heading = subject + tr(" хранит в точности эту конфигурацию.");
    else if (!c.SameModel())
        heading =
            subject + tr(" — другой модели: %1, здесь %2. Поля разных моделей не сравниваются.")
                          .arg(model, c.ModelHere);
    else
        heading =
            subject + tr(" отличается от этой конфигурации (полей: %1).").arg(c.Fields.size());
    auto* dialog = new TListDialog(this, QStringLiteral("CompareDialog"), title);
    dialog->SetContent(heading, {tr("Зона"), tr("Поле"), tr("Здесь"), thereColumn}, rows);
    dialog->open();
}

void TForm1::CompareWithFileClick() {
    const QString path = ChooseFile(FileDialogKind::Compare);
    if (path.isEmpty()) return;
    const ConfigStore::LoadedConfig loaded = ConfigStore::LoadAnyConfig(path);
    if (!loaded.Ok()) {
        ShowMessage(m_state.ApplicationTitle, loaded.Message, QMessageBox::Critical);
        return;
    }
    if (const QString note = loaded.EncodingNote(); !note.isEmpty()) SetStatusText(note);
    ShowComparison(tr("Сравнение с файлом"), tr("Файл %1").arg(QDir::toNativeSeparators(path)),
                   tr("В файле"), loaded.Model, loaded.Image);
}

void TForm1::CompareWithDeviceClick() {
    // The same exchange as a read; what it reads goes to the comparison, not the image.
    m_exchange->ReadForCompare([this](const ExchangeOutcome& o) {
        ShowComparison(tr("Сравнение с прибором"), tr("Прибор"), tr("В приборе"), o.Model, o.Reply);
    });
}

void TForm1::ChecksClick() {
    const std::vector<ConfigChecks::Warning> warnings =
        ConfigChecks::CheckConfig(m_state.CurrentDevice, m_state.Image());
    QList<QStringList> rows;
    for (const ConfigChecks::Warning& w : warnings)
        rows << QStringList{w.Zone, w.Text, w.Advice};
    auto* dialog =
        new TListDialog(this, QStringLiteral("ChecksDialog"), tr("Проверка конфигурации"));
    dialog->SetContent(warnings.empty()
                           ? tr("Замечаний нет: настройки согласованы между собой.")
                           : tr("Предупреждений: %1. Они ничего не запрещают: прибор примет "
                                "конфигурацию и так.")
                                 .arg(warnings.size()),
                       {tr("Зона"), tr("Что не так"), tr("Что сделать")}, rows);
    dialog->open();
}

void TForm1::JournalClick() {
    auto* dialog = new TJournalDialog(this, JournalStore().Entries());
    connect(dialog, &TJournalDialog::OpenRequested, this, &TForm1::OpenJournalEntry);
    connect(dialog, &TJournalDialog::CompareRequested, this, &TForm1::CompareJournalEntry);
    dialog->open();
}

void TForm1::OpenJournalEntry(const Journal::Entry& entry) {
    OpenConfig(JournalStore().PathOf(entry), OpenFrom::Journal);
}

void TForm1::CompareJournalEntry(const Journal::Entry& entry) {
    const ConfigStore::LoadedConfig loaded =
        ConfigStore::LoadAnyConfig(JournalStore().PathOf(entry));
    if (!loaded.Ok()) {
        ShowMessage(m_state.ApplicationTitle, loaded.Message, QMessageBox::Critical);
        return;
    }
    ShowComparison(tr("Сравнение с журналом"),
                   tr("Запись журнала «%1» от %2")
                       .arg(Journal::KindText(entry.What), entry.Time.toLocalTime().toString(
                                                       QStringLiteral("dd.MM.yyyy HH:mm:ss"))),
                   tr("В журнале"), loaded.Model, loaded.Image);
}

void TForm1::PrintClick() {
    const QString html = ConfigSheetHtml({m_state.CurrentDevice, m_state.Image(),
                                          m_state.CurrentFileName, QDateTime::currentDateTime()});
    if (const std::optional<QString> error = PrintSheet(this, html))
        ShowMessage(m_state.ApplicationTitle, *error, QMessageBox::Critical);
}

void TForm1::ExportPdfClick() {
    QString path = ChooseFile(FileDialogKind::ExportPdf);
    if (path.isEmpty()) return;
    if (!path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive)) path += QStringLiteral(".pdf");
    const QString html = ConfigSheetHtml({m_state.CurrentDevice, m_state.Image(),
                                          m_state.CurrentFileName, QDateTime::currentDateTime()});
    if (const std::optional<QString> error = ExportSheetPdf(path, html)) {
        ShowMessage(m_state.ApplicationTitle, *error, QMessageBox::Critical);
        return;
    }
    SetStatusText(tr("Лист конфигурации сохранен"));
}
