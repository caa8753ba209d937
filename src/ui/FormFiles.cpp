// The file commands of the window: Open, Save, Save as and the file named on the command
// line, with the two file dialogs, the caption, the status texts and "filepath"; and the
// zone report handed to the desktop's viewer.  Reading, writing and the report's text are
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
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QTimer>
#include <QUrl>

namespace {

const QString FileFilter = QStringLiteral("Файлы конфигурации панели (*.cf8)");
const QString FileSuffix = QStringLiteral("cf8");

MessageRecord ErrorBox(const FileMessage& message) {
    return {message.Caption, message.Text, QMessageBox::Critical};
}

} // namespace

void TForm1::SetCommandLine(const QStringList& arguments) {
    CommandLine_ = arguments;
}

void TForm1::SetFileDialogHook(FileDialogHook hook) {
    FileDialogHook_ = std::move(hook);
}

void TForm1::SetReportFolders(const QString& programDir, const QString& appDataDir) {
    ReportFolders_ = {programDir, appDataDir};
}

QFileDialog* TForm1::FileDialog(bool save) {
    QFileDialog*& dialog = save ? SaveDialog1 : OpenDialog1;
    if (dialog) return dialog;
    // Made on first use: Qt's dialog starts a thread that watches the file system, which
    // a window that never opens a file has no need of.
    dialog = new QFileDialog(this);
    dialog->setObjectName(save ? QStringLiteral("SaveDialog1") : QStringLiteral("OpenDialog1"));
    // Qt's own dialog rather than the desktop's: a desktop's dialog may ignore the title
    // or ask before replacing a file, and the commands rely on both holding everywhere.
    // (It has no read-only check box, so there is none to hide.)
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setWindowTitle(save ? QStringLiteral("Сохранить настройки панели как")
                                : QStringLiteral("Открыть файл конфигурации"));
    dialog->setNameFilter(FileFilter);
    // A name typed without an extension gets ".cf8".
    dialog->setDefaultSuffix(FileSuffix);
    dialog->setSizeGripEnabled(true);
    if (save) {
        dialog->setAcceptMode(QFileDialog::AcceptSave);
        dialog->setFileMode(QFileDialog::AnyFile);
        // An existing file is replaced without a question.
        dialog->setOption(QFileDialog::DontConfirmOverwrite);
    } else {
        dialog->setAcceptMode(QFileDialog::AcceptOpen);
        // The folder and the file must exist.
        dialog->setFileMode(QFileDialog::ExistingFile);
    }
    return dialog;
}

QString TForm1::ChooseFile(bool save) {
    QString error;
    const QString folder = ReadSetting(QLatin1String(SettingFilePath),
                                       QDir::toNativeSeparators(QDir::currentPath()), &error);
    ReportSettingError(error);
    QFileDialog& dialog = *FileDialog(save);
    dialog.setDirectory(folder);
    if (FileDialogHook_) return FileDialogHook_(dialog);
    if (dialog.exec() != QDialog::Accepted) return {};
    return dialog.selectedFiles().value(0);
}

void TForm1::ShowMessagesOverWindow(const QList<MessageRecord>& messages) {
    if (messages.isEmpty()) return;
    auto show = [this, messages] {
        for (const MessageRecord& m : messages)
            ShowMessage(m.Caption, m.Text, m.Icon);
    };
    // A recorder takes them at once; real boxes wait until the window is up, so that the
    // user sees which program they belong to.
    if (MessageHook_)
        show();
    else
        QTimer::singleShot(0, this, show);
}

void TForm1::ApplyLoadedFile(int row) {
    if (DeviceTypeList->currentIndex() != row) {
        // Selecting the row runs no model switch: the file's bytes stay, no defaults are
        // loaded and "devicetype" keeps the user's own choice.
        DeviceTypeList->setCurrentIndex(row);
        SetDevice(IdentifierOf(row));
    }
    RefreshControls();
}

void TForm1::FormShow() {
    if (CommandLine_.isEmpty()) return;
    const QString fileName = CommandLine_.first(); // further arguments are ignored
    const ConfigSnapshot before = CurrentConfig();
    const LoadResult result = LoadConfigFile(State_, fileName);
    if (!result.Ok()) {
        QList<MessageRecord> boxes;
        for (const FileMessage& m : CommandLineFailureMessages(result))
            boxes << ErrorBox(m);
        ShowMessagesOverWindow(boxes);
        return;
    }
    KeepEdited(before, QString::fromUtf8("перед открытием файла"));
    ApplyLoadedFile(result.Row);
    MarkUnedited();
    State_.CurrentFileName = fileName;
    setWindowTitle(FileCaption(fileName));
    SetStatusText(QString::fromUtf8(FileTexts::Opened));
}

void TForm1::N4Click() {
    // Not while an exchange runs: a load would replace the image under it.
    if (!N4->isEnabled()) return;
    const QString fileName = ChooseFile(false);
    if (fileName.isEmpty()) return;
    const ConfigSnapshot before = CurrentConfig();
    const LoadResult result = LoadConfigFile(State_, fileName);
    if (!result.Ok()) {
        // Also for a file that cannot be opened at all: Open says why nothing happened.
        if (const std::optional<FileMessage> box = OpenFailureMessage(result))
            ShowMessage(box->Caption, box->Text, QMessageBox::Critical);
        return;
    }
    KeepEdited(before, QString::fromUtf8("перед открытием файла"));
    ApplyLoadedFile(result.Row);
    MarkUnedited();
    State_.CurrentFileName = fileName;
    setWindowTitle(FileCaption(fileName));
    QString error;
    WriteSetting(QLatin1String(SettingFilePath), FileDirectory(fileName), &error);
    ReportSettingError(error);
    SetStatusText(QString::fromUtf8(FileTexts::Opened));
}

void TForm1::N2Click() {
    if (State_.CurrentFileName.isEmpty()) {
        N3Click();
        return;
    }
    // A failed save changes neither the caption nor the status.
    if (const std::optional<QString> error = SaveConfigFile(State_, State_.CurrentFileName)) {
        ShowMessage(State_.ApplicationTitle, *error, QMessageBox::Critical);
        return;
    }
    MarkUnedited();
    setWindowTitle(FileCaption(State_.CurrentFileName));
    SetStatusText(QString::fromUtf8(FileTexts::Saved));
}

void TForm1::N3Click() {
    const QString chosen = ChooseFile(true);
    if (chosen.isEmpty()) return;
    // The new name is taken before the write, so that a later Save tries it again even
    // when this write fails.
    State_.CurrentFileName = WithConfigExtension(chosen);
    if (const std::optional<QString> error = SaveConfigFile(State_, State_.CurrentFileName)) {
        ShowMessage(State_.ApplicationTitle, *error, QMessageBox::Critical);
        return;
    }
    MarkUnedited();
    // The caption names the file that was written, extension and all.
    setWindowTitle(FileCaption(State_.CurrentFileName));
    SetStatusText(QString::fromUtf8(FileTexts::Saved));
    QString error;
    WriteSetting(QLatin1String(SettingFilePath), FileDirectory(State_.CurrentFileName), &error);
    ReportSettingError(error);
}

void TForm1::N10Click() {
    const ReportResult report = ReportFolders_.size() == 2
                                    ? MakeZoneReport(State_, ReportFolders_[0], ReportFolders_[1])
                                    : MakeZoneReport(State_);
    if (!report.Ok()) {
        // Also a report cut short at a zone it cannot describe: nothing is handed on.
        ShowMessage(State_.ApplicationTitle, report.Error, QMessageBox::Critical);
        return;
    }
    // The file is closed by now: the viewer gets the whole report.
    QDesktopServices::openUrl(QUrl::fromLocalFile(report.Path));
}
