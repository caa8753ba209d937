// The language both programs speak: how it is chosen, and that Qt's own words follow it.

#include "app/Language.h"
#include "model/MyConst.h"
#include "model/Utf8.h"
#include "support/CliRun.h"
#include "support/SimProcess.h"
#include "support/TempSettings.h"
#include "support/WindowDriver.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QStatusBar>
#include <QTabBar>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

#include <optional>

namespace {

bool HasCyrillic(const QString& text) {
    for (QChar c : text)
        if (c.unicode() >= 0x0400 && c.unicode() <= 0x04FF) return true;
    return false;
}

// Every text a person can read on a widget, with where it stands.
void CollectTexts(QWidget* widget, QStringList& texts) {
    const QString where = widget->objectName() + QLatin1String(": ");
    auto add = [&](const QString& text) {
        if (!text.isEmpty()) texts << where + text;
    };
    add(widget->toolTip());
    add(widget->accessibleName());
    add(widget->accessibleDescription());
    add(widget->statusTip());
    if (widget->isWindow()) add(widget->windowTitle());
    if (auto* label = qobject_cast<QLabel*>(widget)) add(label->text());
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) add(button->text());
    if (auto* group = qobject_cast<QGroupBox*>(widget)) add(group->title());
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) add(edit->placeholderText());
    if (auto* box = qobject_cast<QComboBox*>(widget))
        for (int i = 0; i < box->count(); ++i)
            add(box->itemText(i));
    if (auto* tabs = qobject_cast<QTabBar*>(widget))
        for (int i = 0; i < tabs->count(); ++i)
            add(tabs->tabText(i) + tabs->tabToolTip(i));
    if (auto* bar = qobject_cast<QStatusBar*>(widget)) add(bar->currentMessage());
    for (QAction* action : widget->actions()) {
        add(action->text());
        add(action->toolTip() == QString(action->text()).remove(u'&') ? QString()
                                                                      : action->toolTip());
        if (QMenu* menu = action->menu()) add(menu->title());
    }
    for (QWidget* child : widget->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        CollectTexts(child, texts);
}

} // namespace

class TestLanguage : public QObject {
    Q_OBJECT
private slots:
    void choice_data();
    void choice();
    void qtWordsFollowTheLanguage();
    void everyTextHasEnglish();
    void russianWhateverTheLocale();
    void englishCommandLine_data();
    void englishCommandLine();
    void filesDoNotDependOnLanguage();
    void englishWindow(); // last: it leaves the English translation installed
};

void TestLanguage::choice_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("environment");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QStringList>("left");
    QTest::addColumn<bool>("error");
    QTest::addColumn<bool>("warning");
    const QStringList none;
    QTest::newRow("nothing chosen: Russian") << none << "" << "" << "ru" << none << false << false;
    QTest::newRow("setting") << none << "" << "en" << "en" << none << false << false;
    QTest::newRow("environment over setting") << none << "EN" << "ru" << "en" << none << false << false;
    QTest::newRow("option over environment")
        << QStringList{"--lang", "ru", "a.cf8"} << "en" << "en" << "ru" << QStringList{"a.cf8"}
        << false << false;
    QTest::newRow("option with =") << QStringList{"a.cf8", "--lang=en"} << "" << "" << "en"
                                   << QStringList{"a.cf8"} << false << false;
    QTest::newRow("last option wins")
        << QStringList{"--lang", "en", "--lang", "ru"} << "" << "" << "ru" << none << false << false;
    QTest::newRow("a file after -- named --lang")
        << QStringList{"--", "--lang", "en"} << "" << "" << "ru"
        << QStringList{"--", "--lang", "en"} << false << false;
    QTest::newRow("unknown option value: error, next choice holds")
        << QStringList{"--lang", "de"} << "" << "en" << "en" << none << true << false;
    QTest::newRow("option without value") << QStringList{"--lang"} << "" << "" << "ru" << none
                                          << true << false;
    QTest::newRow("unknown environment: warning, setting holds")
        << none << "fr_FR.UTF-8" << "en" << "en" << none << false << true;
    QTest::newRow("unknown setting: Russian") << none << "" << "de" << "ru" << none << false << false;
}

void TestLanguage::choice() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, environment);
    QFETCH(QString, stored);
    QFETCH(QString, language);
    QFETCH(QStringList, left);
    QFETCH(bool, error);
    QFETCH(bool, warning);
    const LanguageChoice choice = ChooseLanguage(arguments, environment, stored);
    QCOMPARE(LanguageCode(choice.Language), language);
    QCOMPARE(arguments, left);
    QCOMPARE(!choice.Error.isEmpty(), error);
    QCOMPARE(!choice.Warning.isEmpty(), warning);
}

// The buttons of Qt's own boxes are what a Russian window showed in English.
void TestLanguage::qtWordsFollowTheLanguage() {
    QVERIFY(InstallTranslations(*qApp, UiLanguage::Russian));
    QCOMPARE(RunningLanguage(), UiLanguage::Russian);
    QMessageBox box;
    box.setText(QStringLiteral("x"));
    box.setDetailedText(QStringLiteral("y"));
    box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
    box.show();
    QStringList texts;
    for (QAbstractButton* button : box.findChildren<QAbstractButton*>()) texts << button->text();
    QVERIFY2(texts.contains(QStringLiteral("Отмена")), qPrintable(texts.join(u'|')));
    for (const QString& text : texts)
        QVERIFY2(!text.contains(QLatin1String("Details")) && !text.contains(QLatin1String("Cancel")),
                 qPrintable(text));
}

// lupdate over the sources into a copy of the translation: every text it finds must have its
// English, and the file must hold no text the sources no longer have.
void TestLanguage::everyTextHasEnglish() {
    QTemporaryDir dir;
    const QString ts = dir.filePath(QStringLiteral("en.ts"));
    const QString source = QStringLiteral(PROGMZ_SOURCE_DIR);
    QVERIFY(QFile::copy(source + QStringLiteral("/i18n/progmz515_en.ts"), ts));
    QFile::setPermissions(ts, QFile::ReadOwner | QFile::WriteOwner);
    QProcess lupdate;
    lupdate.start(QStringLiteral(PROGMZ_LUPDATE),
                  {QStringLiteral("-silent"), QStringLiteral("-no-obsolete"),
                   QStringLiteral("-locations"), QStringLiteral("none"), source + "/src",
                   source + "/cli", source + "/window", QStringLiteral("-ts"), ts});
    QVERIFY(lupdate.waitForFinished(120000));
    QCOMPARE(lupdate.exitCode(), 0);

    // The number of messages in a .ts file; those without a finished translation go to
    // `untranslated`.
    auto messages = [](const QString& path, QStringList* untranslated) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) return -1;
        QXmlStreamReader xml(&file);
        int count = 0;
        QString context, source;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement) continue;
            const auto name = xml.name();
            if (name == QLatin1String("name")) {
                context = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            } else if (name == QLatin1String("message")) {
                ++count;
            } else if (name == QLatin1String("source")) {
                source = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            } else if (name == QLatin1String("translation")) {
                const bool unfinished = xml.attributes().hasAttribute(QLatin1String("type"));
                const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
                if (untranslated && (unfinished || text.isEmpty()))
                    *untranslated << context + QLatin1String(": ") + source;
            }
        }
        return xml.hasError() ? -1 : count;
    };
    QStringList untranslated;
    const int found = messages(ts, &untranslated);
    QVERIFY(found > 500);
    QVERIFY2(untranslated.isEmpty(), qPrintable(untranslated.join(u'\n')));
    QCOMPARE(messages(source + QStringLiteral("/i18n/progmz515_en.ts"), nullptr), found);
}

void TestLanguage::russianWhateverTheLocale() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LANG"), QStringLiteral("en_US.UTF-8"));
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("en_US.UTF-8"));
    environment.remove(QStringLiteral("PROGMZ515_LANG"));
    const CliRun run = RunCli({QStringLiteral("--help")}, 20000, {}, environment);
    QCOMPARE(run.Exit, 0);
    QVERIFY2(run.Out.contains(U("Использование")), qPrintable(run.Out));
}

void TestLanguage::englishCommandLine_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exit");
    QTest::newRow("help") << QStringList{"--help"} << 0;
    for (const char* command :
         {"ports", "read", "write", "verify", "show", "diff", "convert", "defaults", "report", "check"})
        QTest::newRow(command) << QStringList{command, "--help"} << 0;
    QTest::newRow("unknown command") << QStringList{"frobnicate"} << 2;
    QTest::newRow("unknown model") << QStringList{"defaults", "MZ999"} << 2;
    QTest::newRow("no file") << QStringList{"show", "/nonexistent/x.cf8"} << 2;
    QTest::newRow("a read") << QStringList{"read", "--port", "SIM", "--model", "MZ515KA8"} << 0;
    QTest::newRow("checks") << QStringList{"check", "OUT"} << 0;
    QTest::newRow("zone report") << QStringList{"report", "OUT", "-o", "REPORT", "--utf8"} << 0;
    QTest::newRow("diff of two models") << QStringList{"diff", "OUT", "E2"} << 1;
}

// The whole command line in English: help, messages, the exchange's texts, the results.
void TestLanguage::englishCommandLine() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exit);
    static QTemporaryDir dir;
    static SimProcess sim;
    if (sim.ptyPath().isEmpty()) QVERIFY(sim.start({"--model", "MZ515KA8"}));
    const QString out = dir.filePath(QStringLiteral("ka8.cf8"));
    const QString e2 = dir.filePath(QStringLiteral("e2.cf8"));
    for (QString& a : arguments) {
        if (a == QLatin1String("SIM")) a = sim.ptyPath();
        if (a == QLatin1String("OUT")) a = out;
        if (a == QLatin1String("E2")) a = e2;
        if (a == QLatin1String("REPORT")) a = dir.filePath(QStringLiteral("Shlf.txt"));
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("data")));
    environment.insert(QStringLiteral("PROGMZ515_LANG"), QStringLiteral("en"));
    if (arguments.contains(QLatin1String("--port"))) arguments << "-o" << out;
    if (arguments.first() == QLatin1String("diff"))
        QCOMPARE(RunCli({"defaults", "MZ515E2", "-o", e2}, 20000, {}, environment).Exit, 0);
    CliRun run = RunCli(arguments, 20000, {}, environment);
    QVERIFY2(run.Exit == exit, qPrintable(run.Out + run.Err));
    if (const QString path = dir.filePath(QStringLiteral("Shlf.txt")); arguments.contains(path)) {
        QFile report(path);
        QVERIFY(report.open(QIODevice::ReadOnly));
        run.Out += QString::fromUtf8(report.readAll());
    }
    QVERIFY(!run.Out.isEmpty() || !run.Err.isEmpty());
    QVERIFY2(!HasCyrillic(run.Out + run.Err), qPrintable(run.Out + run.Err));
}

// A file made in English is the same file as one made in Russian; the text form's comments
// may follow the language, and each language reads the other's.
void TestLanguage::filesDoNotDependOnLanguage() {
    QTemporaryDir dir;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), dir.filePath(QStringLiteral("data")));
    auto values = [](const QString& path) {
        QFile file(path);
        QStringList lines;
        if (!file.open(QIODevice::ReadOnly)) return lines;
        for (const QByteArray& line : file.readAll().split('\n'))
            if (!line.trimmed().startsWith('#'))
                lines << QString::fromUtf8(line.left(line.indexOf(" #") < 0 ? line.size()
                                                                           : line.indexOf(" #")));
        return lines;
    };
    for (int row = 0; row < DeviceCount; ++row) {
        const QString model = IdentifierOf(row);
        const QString ru = dir.filePath(model + ".ru.yaml"), en = dir.filePath(model + ".en.yaml");
        QCOMPARE(RunCli({"--lang", "ru", "defaults", model, "-o", ru}, 20000, {}, environment).Exit, 0);
        QCOMPARE(RunCli({"--lang", "en", "defaults", model, "-o", en}, 20000, {}, environment).Exit, 0);
        QCOMPARE(values(en), values(ru));
        // Each language reads the other's text, to the same .cf8 bytes.
        const QString a = dir.filePath(model + ".a.cf8"), b = dir.filePath(model + ".b.cf8");
        QCOMPARE(RunCli({"--lang", "ru", "convert", en, a}, 20000, {}, environment).Exit, 0);
        QCOMPARE(RunCli({"--lang", "en", "convert", ru, b}, 20000, {}, environment).Exit, 0);
        QFile fa(a), fb(b);
        QVERIFY(fa.open(QIODevice::ReadOnly) && fb.open(QIODevice::ReadOnly));
        QCOMPARE(fa.readAll(), fb.readAll());
    }
}

// Every text the English window shows, on every model and page: nothing Russian but the
// name of the Russian language in its menu.
void TestLanguage::englishWindow() {
    TempSettings store;
    QVERIFY(InstallTranslations(*qApp, UiLanguage::English));
    WindowFixture f;
    f.Form->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.Form.get()));
    QStringList russian;
    for (int row = 0; row < DeviceCount; ++row) {
        QVERIFY(ChooseItem(f.Find<QComboBox>("DeviceTypeList"), row));
        QStringList texts;
        CollectTexts(f.Form.get(), texts);
        for (QMenu* menu : f.Form->findChildren<QMenu*>())
            CollectTexts(menu, texts);
        for (const QString& text : texts)
            if (HasCyrillic(text) && !text.endsWith(U("Русский")) && !russian.contains(text))
                russian << text;
    }
    QVERIFY2(russian.isEmpty(), qPrintable(russian.join(u'\n')));
}

QTEST_MAIN(TestLanguage)
#include "tst_language.moc"
