// The file commands of the window: Open, Save, Save as; the one way a configuration is
// opened into the window (from the Open dialog, the command line or the journal); every file
// dialog of the window, the caption, the status texts and "filepath"; and the zone report
// handed to the desktop's viewer.  Reading, writing and the report's text are
// app/'s; here they meet the controls.

#include "FormUnit1.h"

#include "FileCaption.h"

#include "app/ConfigFile.h"
#include "app/SetupUnit.h"
#include "app/ZoneReport.h"
#include "model/MyConst.h"
#include "model/ProgramState.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QTimer>
#include <QUrl>

#include <array>

namespace {

// Every file dialog of the window, in the order of TForm1::FileDialogKind.
struct FileDialogSetup {
    const char* Name;
    const char* Title;
    QStringList Filters;
    const char* Suffix; // for a name typed without an extension
    bool Save;
    bool AskBeforeReplacing;
};

const std::array<FileDialogSetup, 4>& FileDialogSetups() {
    const QString cf8 = QCoreApplication::translate("TForm1", "Файлы конфигурации панели (*.cf8)");
    // Save as replaces an existing file without a question; the sheet asks.
    static const std::array<FileDialogSetup, 4> setups{{
        {"OpenDialog1",
         QT_TRANSLATE_NOOP("TForm1", "Открыть файл конфигурации"),
         {cf8},
         "cf8",
         false,
         false},
        {"SaveDialog1",
         QT_TRANSLATE_NOOP("TForm1", "Сохранить настройки панели как"),
         {cf8},
         "cf8",
         true,
         false},
        {"CompareFileDialog",
         QT_TRANSLATE_NOOP("TForm1", "Сравнить с файлом"),
         {cf8, QCoreApplication::translate("TForm1",
                                           "Текстовая форма конфигурации (*.yaml *.yml *.txt)")},
         "cf8",
         false,
         false},
        {"PdfDialog",
         QT_TRANSLATE_NOOP("TForm1", "Экспорт в PDF"),
         {QCoreApplication::translate("TForm1", "Документ PDF (*.pdf)")},
         "pdf",
         true,
         true},
    }};
    return setups;
}

MessageRecord ErrorBox(const FileMessage& message) {
    return {message.Caption, message.Text, QMessageBox::Critical};
}

} // namespace

void TForm1::SetCommandLine(const QStringList& arguments) {
    m_commandLine = arguments;
}

void TForm1::SetFileDialogHook(FileDialogHook hook) {
    m_fileDialogHook = std::move(hook);
}

void TForm1::SetReportFolders(const QString& programDir, const QString& appDataDir) {
    m_reportFolders = {programDir, appDataDir};
}

QString TForm1::ChooseFile(FileDialogKind kind) {
    const auto index = static_cast<std::size_t>(kind);
    const FileDialogSetup& setup = FileDialogSetups()[index];
    QFileDialog*& dialog = m_fileDialogs[index];
    if (!dialog) {
        // Made on first use: Qt's dialog starts a thread that watches the file system, which
        // a window that never opens a file has no need of.  Kept afterwards, with what the
        // user last chose in it.
        dialog = new QFileDialog(this);
        dialog->setObjectName(QString::fromLatin1(setup.Name));
        // Qt's own dialog rather than the desktop's: a desktop's dialog may ignore the title
        // or ask before replacing a file, and the commands rely on both holding everywhere.
        // (It has no read-only check box, so there is none to hide.)
        dialog->setOption(QFileDialog::DontUseNativeDialog);
        dialog->setWindowTitle(tr(setup.Title));
        dialog->setNameFilters(setup.Filters);
        dialog->setDefaultSuffix(QString::fromLatin1(setup.Suffix));
        dialog->setSizeGripEnabled(true);
        dialog->setAcceptMode(setup.Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        // To open, the folder and the file must exist.
        dialog->setFileMode(setup.Save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        dialog->setOption(QFileDialog::DontConfirmOverwrite,
                          setup.Save && !setup.AskBeforeReplacing);
    }
    QString error;
    const QString folder = ReadSetting(QLatin1String(SettingFilePath),
                                       QDir::toNativeSeparators(QDir::currentPath()), &error);
    ReportSettingError(error);
    dialog->setDirectory(folder);
    if (m_fileDialogHook) return m_fileDialogHook(*dialog);
    if (dialog->exec() != QDialog::Accepted) return {};
    return dialog->selectedFiles().value(0);
}

void TForm1::ShowMessagesOverWindow(const QList<MessageRecord>& messages) {
    if (messages.isEmpty()) return;
    auto show = [this, messages] {
        for (const MessageRecord& m : messages)
            ShowMessage(m.Caption, m.Text, m.Icon);
    };
    // A recorder takes them at once; real boxes wait until the window is up, so that the
    // user sees which program they belong to.
    if (m_messageHook)
        show();
    else
        QTimer::singleShot(0, this, show);
}

void TForm1::OpenConfig(const QString& path, OpenFrom from) {
    // Not while an exchange runs: a load would replace the image under it.
    if (ExchangeRunning()) return;
    const TEditTracker::Snapshot before = m_edits.Current();
    const LoadResult result = LoadConfigFile(m_state, path);
    if (!result.Ok()) {
        if (from == OpenFrom::CommandLine) {
            QList<MessageRecord> boxes;
            for (const FileMessage& m : CommandLineFailureMessages(result))
                boxes << ErrorBox(m);
            ShowMessagesOverWindow(boxes);
        } else if (const std::optional<FileMessage> box = OpenFailureMessage(result)) {
            // Also for a file that cannot be opened at all: Open says why nothing happened.
            ShowMessage(box->Caption, box->Text, QMessageBox::Critical);
        }
        return;
    }
    KeepEdited(before, QString::fromUtf8(
                           from == OpenFrom::Journal
                               ? QT_TRANSLATE_NOOP("ExchangeJournal", "перед открытием из журнала")
                               : QT_TRANSLATE_NOOP("ExchangeJournal", "перед открытием файла")));
    if (DeviceTypeList->currentIndex() != result.Row) {
        // Selecting the row runs no model switch: the file's bytes stay, no defaults are
        // loaded and "devicetype" keeps the user's own choice.
        DeviceTypeList->setCurrentIndex(result.Row);
        SetDevice(IdentifierOf(result.Row));
    }
    RefreshControls();
    m_edits.MarkUnedited();
    if (from == OpenFrom::Journal) {
        // The journal's own file is not the user's: a Save asks where to put it.
        m_state.CurrentFileName.clear();
        setWindowTitle(m_state.ApplicationTitle);
        UpdateBookCaption();
    } else {
        m_state.CurrentFileName = path;
        setWindowTitle(FileCaption(path));
        UpdateBookCaption();
    }
    if (from == OpenFrom::Dialog) {
        QString error;
        WriteSetting(QLatin1String(SettingFilePath), FileDirectory(path), &error);
        ReportSettingError(error);
    }
    SetStatusText(QCoreApplication::translate("FileTexts", FileTexts::Opened));
}

void TForm1::FormShow() {
    // Further arguments are ignored.
    if (!m_commandLine.isEmpty()) OpenConfig(m_commandLine.first(), OpenFrom::CommandLine);
}

void TForm1::N4Click() {
    if (ExchangeRunning()) return;
    const QString fileName = ChooseFile(FileDialogKind::Open);
    if (!fileName.isEmpty()) OpenConfig(fileName, OpenFrom::Dialog);
}

void TForm1::N2Click() {
    if (m_state.CurrentFileName.isEmpty()) {
        N3Click();
        return;
    }
    SaveCurrentFile();
}

bool TForm1::SaveCurrentFile() {
    // A failed save changes neither the caption nor the status.
    if (const std::optional<QString> error = SaveConfigFile(m_state, m_state.CurrentFileName)) {
        ShowMessage(m_state.ApplicationTitle, *error, QMessageBox::Critical);
        return false;
    }
    m_edits.MarkUnedited();
    // The caption names the file that was written, extension and all.
    setWindowTitle(FileCaption(m_state.CurrentFileName));
    UpdateBookCaption();
    SetStatusText(QCoreApplication::translate("FileTexts", FileTexts::Saved));
    return true;
}

void TForm1::N3Click() {
    const QString chosen = ChooseFile(FileDialogKind::SaveAs);
    if (chosen.isEmpty()) return;
    // The new name is taken before the write, so that a later Save tries it again even
    // when this write fails.
    m_state.CurrentFileName = WithConfigExtension(chosen);
    if (!SaveCurrentFile()) return;
    QString error;
    WriteSetting(QLatin1String(SettingFilePath), FileDirectory(m_state.CurrentFileName), &error);
    ReportSettingError(error);
}

void TForm1::N10Click() {
    const ReportResult report = m_reportFolders.size() == 2
                                    ? MakeZoneReport(m_state, m_reportFolders[0], m_reportFolders[1])
                                    : MakeZoneReport(m_state);
    if (!report.Ok()) {
        // Also a report cut short at a zone it cannot describe: nothing is handed on.
        ShowMessage(m_state.ApplicationTitle, report.Error, QMessageBox::Critical);
        return;
    }
    // The file is closed by now: the viewer gets the whole report.
    QDesktopServices::openUrl(QUrl::fromLocalFile(report.Path));
}
