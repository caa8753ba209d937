// The file commands through the window: the two dialogs, Open, Save, Save as and the
// command-line open, with their caption, status texts, "filepath" and boxes.

#include "model/Utf8.h"
#include "support/FilesWindow.h"
#include "support/TempSettings.h"

#include "app/AppTitle.h"
#include "app/SetupUnit.h"
#include "model/MyConst.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QTabWidget>
#include <QTimer>

#include <optional>

namespace {

MessageRecord Box(const char* caption, const QString& text) {
    return {U(caption), text, QMessageBox::Critical};
}
MessageRecord StartupBox() {
    return Box("Ошибка",
               U("Невозможно окрыть файл.\r\nВозможно несоответствие версии или повреждение"));
}

void CompareBoxes(const std::vector<MessageRecord>& seen, const QList<MessageRecord>& expected) {
    QCOMPARE(int(seen.size()), int(expected.size()));
    for (int i = 0; i < expected.size(); ++i) {
        QCOMPARE(seen[std::size_t(i)].Caption, expected[i].Caption);
        QCOMPARE(seen[std::size_t(i)].Text, expected[i].Text);
        QCOMPARE(seen[std::size_t(i)].Icon, expected[i].Icon);
    }
}

// Broken files and the reader's box for each; an empty caption: no box of the reader's own.
void BrokenFiles() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("text");
    const QByteArray good = Cf8Of("MZ515E8", {{4, 3}});
    QByteArray signature = good;
    signature[34] = '6';
    QByteArray checkByte = good;
    checkByte[good.size() - 1] = char(good.back() ^ 1);
    QTest::newRow("signature") << signature << U("Ошибка") << U("Неверный формат файла");
    QTest::newRow("lower-case model")
        << Cf8("mz515e8", DefaultsOf("MZ515E8")) << U("Ошибка чтения файла")
        << U("Устройство \"mz515e8\"\r\nне поддерживается");
    QTest::newRow("check byte") << checkByte << U("Ошибка чтения файла") << U("Файл поврежден");
    QTest::newRow("ends after its identifier")
        << good.left(96) << U("Ошибка чтения файла") << U("Файл поврежден");
    QTest::newRow("length past the frame buffer")
        << Cf8("MZ515KA8", QByteArray(199, '\x01')) << U("Ошибка чтения файла")
        << U("Файл поврежден");
    QTest::newRow("missing") << QByteArray() << QString() << QString();
}

} // namespace

class TestFiles : public QObject {
    Q_OBJECT
    std::optional<TempSettings> m_store;

private slots:
    void init() {
        m_store.emplace();
        QVERIFY(m_store->isValid());
    }

    // Both dialogs as the commands set them up; their first use stores the current folder,
    // and a cancel changes nothing.
    void dialogs() {
        FilesFixture f;
        QStringList before = f.Look();
        f.Find<QAction>("N4")->trigger();
        f.Find<QAction>("N2")->trigger(); // no file yet: Save as
        QCOMPARE(f.Dialogs.size(), 2);
        const DialogSeen& open = f.Dialogs[0];
        const DialogSeen& save = f.Dialogs[1];
        QCOMPARE(open.Name, QString("OpenDialog1"));
        QCOMPARE(open.Title, U("Открыть файл конфигурации"));
        QCOMPARE(open.Mode, QFileDialog::ExistingFile);
        QCOMPARE(open.Accept, QFileDialog::AcceptOpen);
        QVERIFY(!(open.Options & QFileDialog::DontConfirmOverwrite));
        QCOMPARE(save.Name, QString("SaveDialog1"));
        QCOMPARE(save.Title, U("Сохранить настройки панели как"));
        QCOMPARE(save.Mode, QFileDialog::AnyFile);
        QCOMPARE(save.Accept, QFileDialog::AcceptSave);
        QVERIFY(save.Options & QFileDialog::DontConfirmOverwrite);
        for (const DialogSeen& d : f.Dialogs) {
            QCOMPARE(d.Filters, QStringList{U("Файлы конфигурации панели (*.cf8)")});
            QCOMPARE(d.Suffix, QString("cf8"));
            QVERIFY(d.Options & QFileDialog::DontUseNativeDialog);
            QCOMPARE(d.Directory, QDir::currentPath());
        }
        QCOMPARE(Stored("filepath"), QDir::toNativeSeparators(QDir::currentPath()));
        // Reading "filepath" stored its default; nothing else changed.
        before[FilesFixture::FilePathInLook] = Stored("filepath");
        QCOMPARE(f.Look(), before);
        QVERIFY(f.State.CurrentFileName.isEmpty());
        QCOMPARE(QDir(f.Dir.path()).entryList(QDir::Files), QStringList());

        // The folder of the last file opened is where both dialogs start.
        QVERIFY(QDir().mkpath(f.Path("sub")));
        QVERIFY(WriteAll(f.Path("sub/a.cf8"), Cf8Of("MZ515KA8", {})));
        f.Open(f.Path("sub/a.cf8"));
        QCOMPARE(Stored("filepath"), QDir::toNativeSeparators(f.Path("sub")) + QDir::separator());
        f.Find<QAction>("N3")->trigger();
        QCOMPARE(f.Dialogs.last().Directory, f.Path("sub"));
    }

    // A file of another model: the window is arranged for it and shows the file's bytes,
    // not that model's defaults; the user's own model choice stays stored.
    void openAnotherModel_data() {
        QTest::addColumn<int>("startRow");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("tabs");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("shows");
        QTest::newRow("KA8 to E2") << RowKA8 << Cf8Of("MZ515E2", {{17, 0x03}})
                                   << QStringList{U("Шлейфы")} << "FShlfType7" << U("Пожарный");
        QTest::newRow("KA8 to KF") << RowKA8 << Cf8Of("MZ515KF", {{4, 0x00}})
                                   << QStringList{U("Радиоканал"), U("Доп.входы")} << "Active0Butt"
                                   << "checked";
        QTest::newRow("KB8 to KA8") << RowKB8 << Cf8Of("MZ515KA8", {{21, 0x80}})
                                    << QStringList{U("Шлейфы")} << "ZoneExpBox1"
                                    << "checked";
        QTest::newRow("E2 to KB8") << RowE2 << Cf8Of("MZ515KB8", {{21, 0x01}})
                                   << QStringList{U("Шлейфы"), U("Доп.разделы")} << "ExpBox8"
                                   << "checked";
    }
    void openAnotherModel() {
        QFETCH(int, startRow);
        QFETCH(QByteArray, file);
        QFETCH(QString, control);
        FilesFixture f;
        QVERIFY(ChooseItem(f.Find<QComboBox>("DeviceTypeList"), startRow));
        const QString path = f.Path("other.cf8");
        QVERIFY(WriteAll(path, file));
        f.Open(path);
        QVERIFY(f.Messages.Records.empty());
        const QString identifier = QString::fromLatin1(file.mid(64, 32).trimmed());
        const int row = FindDevice(identifier);
        QCOMPARE(f.Find<QComboBox>("DeviceTypeList")->currentIndex(), row);
        QCOMPARE(f.State.CurrentDevice, identifier);
        QCOMPARE(Hex(f.Image()), Hex(file.mid(148, file.size() - 149)));
        QTEST(ShownTabs(f), "tabs");
        QCOMPARE(f.Find<QAction>("N10")->isEnabled(), row != RowKF && row != RowKA);
        QTEST(Shows(f, control), "shows");
        QCOMPARE(Stored("devicetype"), IdentifierOf(startRow));
        QCOMPARE(f.State.CurrentFileName, path);
        QCOMPARE(f.Form->windowTitle(), CaptionFor(path));
        QCOMPARE(f.Form->StatusText(), U("Файл открыт"));
        QCOMPARE(Stored("filepath"), f.Folder());
    }

    // A file of the model already shown is no re-arrangement: the page the user is on
    // stays, and only the controls change.
    void openTheModelAlreadySelected() {
        FilesFixture f;
        QVERIFY(ChooseItem(f.Find<QComboBox>("DeviceTypeList"), RowKB8));
        auto* tabs = f.Find<QTabWidget>("PageMain");
        tabs->setCurrentWidget(f.Find<QWidget>("PageRazd"));
        const QByteArray file = Cf8Of("MZ515KB8", {{4, 0x03}, {21, 0x81}});
        QVERIFY(WriteAll(f.Path("kb8.cf8"), file));
        f.Open(f.Path("kb8.cf8"));
        QCOMPARE(tabs->currentWidget()->objectName(), QString("PageRazd"));
        QCOMPARE(Hex(f.Image()), Hex(file.mid(148, 23)));
        QCOMPARE(Shows(f, "ExpBox1") + Shows(f, "ExpBox2") + Shows(f, "ExpBox8"),
                 QString("checkeduncheckedchecked"));
        QCOMPARE(Shows(f, "FShlfType1"), U("Пожарный"));
    }

    // Every broken file gets its box and leaves the image, the model, the controls, the
    // caption and the settings as they were.
    void openRefusesABrokenFile_data() { BrokenFiles(); }
    void openRefusesABrokenFile() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, caption);
        QFETCH(QString, text);
        FilesFixture f;
        const QString good = f.Path("good.cf8");
        QVERIFY(WriteAll(good, Cf8Of("MZ515E2", {{17, 0x03}})));
        f.Open(good);
        QVERIFY(ChooseText(f.Find<QComboBox>("FShlfType", 8), U("Пожарный"))); // an edit
        const QString broken = f.Path("broken.cf8");
        if (!bytes.isEmpty()) QVERIFY(WriteAll(broken, bytes));
        const QStringList before = f.Look();
        f.Open(broken);
        // A file that cannot be opened at all gets the reader's "not found" box here.
        CompareBoxes(f.Messages.Records,
                     {caption.isEmpty() ? Box("Ошибка чтения файла", U("Файл не найден"))
                                        : MessageRecord{caption, text, QMessageBox::Critical}});
        QCOMPARE(f.Look(), before);
        QCOMPARE(f.State.CurrentFileName, good);
    }

    // From the command line the reader's own box comes first, then the start-up message.
    void commandLineRefusesABrokenFile_data() { BrokenFiles(); }
    void commandLineRefusesABrokenFile() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, caption);
        QFETCH(QString, text);
        FilesFixture f;
        const QString broken = f.Path("broken.cf8");
        if (!bytes.isEmpty()) QVERIFY(WriteAll(broken, bytes));
        const QStringList before = f.Look();
        f.Form->SetCommandLine({broken});
        f.Form->show();
        QList<MessageRecord> expected;
        if (!caption.isEmpty()) expected << MessageRecord{caption, text, QMessageBox::Critical};
        expected << StartupBox();
        CompareBoxes(f.Messages.Records, expected);
        QCOMPARE(f.Look(), before);
        QVERIFY(f.State.CurrentFileName.isEmpty());
    }

    // Only the first argument, and only when the window is first shown: a window shown
    // again (restored from minimised) keeps the user's edits.
    void commandLineOpensOnce() {
        FilesFixture f;
        const QString path = f.Path("e2.cf8");
        const QByteArray file = Cf8Of("MZ515E2", {{17, 0x03}});
        QVERIFY(WriteAll(path, file));
        f.Form->SetCommandLine({path, f.Path("missing.cf8")});
        f.Form->show();
        QVERIFY(f.Messages.Records.empty());
        QCOMPARE(f.State.CurrentDevice, QString("MZ515E2"));
        QCOMPARE(Hex(f.Image()), Hex(file.mid(148, 23)));
        QCOMPARE(f.State.CurrentFileName, path);
        QCOMPARE(f.Form->windowTitle(), CaptionFor(path));
        QCOMPARE(f.Form->StatusText(), U("Файл открыт"));
        QCOMPARE(Stored("filepath"), QString());
        QCOMPARE(Stored("devicetype"), QString("MZ515KA8"));

        QVERIFY(ChooseText(f.Find<QComboBox>("FShlfType", 7), U("Тревожный")));
        const QByteArray edited = f.Image();
        f.Form->showMinimized();
        f.Form->showNormal();
        f.Form->hide();
        f.Form->show();
        QCOMPARE(Hex(f.Image()), Hex(edited));
        QVERIFY(f.Messages.Records.empty());
    }

    // Save as appends ".cf8" unless the name ends in it in any letter case, and the caption
    // names the file written.
    void saveAsExtension_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        QTest::newRow("no extension") << "plain"
                                      << "plain.cf8";
        QTest::newRow("upper case") << "upper.CF8"
                                    << "upper.CF8";
        QTest::newRow("mixed case") << "mixed.Cf8"
                                    << "mixed.Cf8";
        QTest::newRow("another extension") << "notes.txt"
                                           << "notes.txt.cf8";
        QTest::newRow(".cf8 inside") << "a.cf8.txt"
                                     << "a.cf8.txt.cf8";
    }
    void saveAsExtension() {
        QFETCH(QString, typed);
        QFETCH(QString, written);
        FilesFixture f;
        QVERIFY(ChooseText(f.Find<QComboBox>("FShlfType", 3), U("Пожарный")));
        f.Answers << f.Path(typed);
        f.Find<QAction>("N3")->trigger();
        QVERIFY(f.Messages.Records.empty());
        QCOMPARE(QDir(f.Dir.path()).entryList(QDir::Files), QStringList{written});
        const QString path = f.Path(written);
        QCOMPARE(ReadAll(path), Cf8("MZ515KA8", f.Image()));
        QCOMPARE(f.State.CurrentFileName, path);
        QCOMPARE(f.Form->windowTitle(), CaptionFor(path));
        QCOMPARE(f.Form->StatusText(), U("Файл сохранен"));
        QCOMPARE(Stored("filepath"), f.Folder());
    }

    // Save with no file yet is Save as; then Save writes the same file without asking and
    // leaves "filepath" alone, also after a change of model.
    void saveWithAndWithoutAFile() {
        FilesFixture f;
        f.Answers << f.Path("first");
        f.Find<QAction>("N2")->trigger();
        QCOMPARE(f.Dialogs.size(), 1);
        QCOMPARE(f.Dialogs[0].Name, QString("SaveDialog1"));
        const QString path = f.Path("first.cf8");
        QCOMPARE(ReadAll(path), Cf8("MZ515KA8", DefaultsOf("MZ515KA8")));
        QCOMPARE(f.State.CurrentFileName, path);
        QCOMPARE(f.Form->windowTitle(), CaptionFor(path));
        QCOMPARE(f.Form->StatusText(), U("Файл сохранен"));
        QCOMPARE(Stored("filepath"), f.Folder());

        QVERIFY(WriteSetting("filepath", "/elsewhere/"));
        QVERIFY(ChooseText(f.Find<QComboBox>("FShlfType", 2), U("Пожарный")));
        f.Form->SetStatusText("-");
        f.Find<QAction>("N2")->trigger();
        QCOMPARE(f.Dialogs.size(), 1);
        QCOMPARE(ReadAll(path), Cf8("MZ515KA8", f.Image()));
        QCOMPARE(f.Form->StatusText(), U("Файл сохранен"));
        QCOMPARE(Stored("filepath"), QString("/elsewhere/"));

        QVERIFY(ChooseItem(f.Find<QComboBox>("DeviceTypeList"), RowKF));
        QCOMPARE(f.Form->windowTitle(), CaptionFor(path));
        QCOMPARE(f.State.CurrentFileName, path);
        f.Find<QAction>("N2")->trigger();
        QCOMPARE(ReadAll(path), Cf8("MZ515KF", DefaultsOf("MZ515KF")));
        QVERIFY(f.Messages.Records.empty());
    }

    // A save that fails: the error box, and caption, status and "filepath" as they were;
    // Save as has taken the new name all the same, so Save tries it again.
    void failedSaves() {
        FilesFixture f;
        const QString good = f.Path("good.cf8");
        const QByteArray file = Cf8Of("MZ515KA8", {{4, 0x03}});
        QVERIFY(WriteAll(good, file));
        f.Open(good);
        QVERIFY(WriteAll(f.Path("blocker"), "a regular file"));
        const QStringList before = f.Look();
        f.Answers << f.Path("blocker/new");
        f.Find<QAction>("N3")->trigger();
        QCOMPARE(f.State.CurrentFileName, f.Path("blocker/new.cf8"));
        f.Find<QAction>("N2")->trigger();
        QCOMPARE(f.Dialogs.size(), 2); // Open's and Save as's, none for Save
        QCOMPARE(int(f.Messages.Records.size()), 2);
        for (const MessageRecord& m : f.Messages.Records) {
            QCOMPARE(m.Caption, U(ProgramTitle));
            QCOMPARE(m.Icon, QMessageBox::Critical);
            QVERIFY2(m.Text.contains("new.cf8"), qPrintable(m.Text));
        }
        QCOMPARE(f.Look(), before);
        QCOMPARE(f.State.CurrentFileName, f.Path("blocker/new.cf8"));
        QCOMPARE(ReadAll(good), file);
    }

    // Qt's own dialogs, answered by typing as a user would: the default extension is added
    // and an existing file is replaced without a question.
    void realDialogs() {
        WindowFixture f;
        QTemporaryDir dir;
        QVERIFY(WriteSetting("filepath", QDir::toNativeSeparators(dir.path()) + QDir::separator()));
        QVERIFY(WriteAll(dir.filePath("typed.cf8"), "an older file"));
        f.Form->show();
        QStringList seen; // the dialogs answered, and any further box that came up
        std::function<void(QString)> answer = [&](QString typed) {
            QTimer::singleShot(50, f.Form.get(), [&, typed] {
                QWidget* modal = QApplication::activeModalWidget();
                auto* dialog = qobject_cast<QFileDialog*>(modal);
                if (!dialog) {
                    if (modal) { // a question the dialog should not have asked
                        seen << modal->windowTitle();
                        QTest::keyClick(modal, Qt::Key_Escape);
                    }
                    return answer(typed);
                }
                seen << dialog->objectName();
                auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit");
                if (!edit) return dialog->reject();
                // A question about replacing the file would hold up the key press below.
                QTimer::singleShot(1000, f.Form.get(), [&] {
                    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                        seen << box->windowTitle();
                        box->reject();
                    }
                });
                edit->setText(typed);
                QTest::keyClick(edit, Qt::Key_Return);
                if (dialog->isVisible()) dialog->reject(); // it would not take the name
            });
        };
        answer("typed");
        f.Find<QAction>("N3")->trigger();
        QCOMPARE(seen, QStringList{"SaveDialog1"});
        const QString saved = QDir(dir.path()).filePath("typed.cf8");
        QCOMPARE(f.State.CurrentFileName, saved);
        QCOMPARE(ReadAll(saved), Cf8("MZ515KA8", DefaultsOf("MZ515KA8")));

        const QByteArray kf = Cf8Of("MZ515KF", {{0, 0x03}});
        QVERIFY(WriteAll(dir.filePath("kf.cf8"), kf));
        answer(dir.filePath("kf.cf8"));
        f.Find<QAction>("N4")->trigger();
        QCOMPARE(seen, (QStringList{"SaveDialog1", "OpenDialog1"}));
        QCOMPARE(f.State.CurrentDevice, QString("MZ515KF"));
        QCOMPARE(Hex(f.Image()), Hex(kf.mid(148, 10)));
        QVERIFY(f.Messages.Records.empty());
    }
};

QTEST_MAIN(TestFiles)
#include "tst_files.moc"
