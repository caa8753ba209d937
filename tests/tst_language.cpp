// The language both programs speak: how it is chosen, and that Qt's own words follow it.

#include "app/Language.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

class TestLanguage : public QObject {
    Q_OBJECT
private slots:
    void choice_data();
    void choice();
    void qtWordsFollowTheLanguage();
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

QTEST_MAIN(TestLanguage)
#include "tst_language.moc"
