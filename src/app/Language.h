#pragma once
// The language both programs speak.  The Russian texts in the code are the source texts and
// need no translation; English comes from the program's own translation, embedded at build
// time.  Qt's own texts (the buttons of its boxes, its file and print dialogs, the context
// menus of its line edits) come from Qt's translation of itself.
//
// The choice, strongest first: the command line's --lang, the environment variable
// PROGMZ515_LANG, the setting "language" (the window's menu stores it).  With none of them
// the programs speak Russian, whatever the system's locale says.

#include <QString>
#include <QStringList>

#include <optional>

class QCoreApplication;

enum class UiLanguage { Russian, English };

inline constexpr char SettingLanguage[] = "language";
inline constexpr char LanguageEnvironment[] = "PROGMZ515_LANG";

// "ru" or "en" (any case); nothing for anything else.
std::optional<UiLanguage> ParseLanguage(const QString& code);
QString LanguageCode(UiLanguage language);

struct LanguageChoice {
    UiLanguage Language = UiLanguage::Russian;
    QString Error;   // a --lang that names no language: a usage error
    QString Warning; // a PROGMZ515_LANG that names no language: ignored, with a word on it
    QString StoreProblem; // the settings store was asked and could not be read (SetupUnit)
};

// Takes "--lang CODE" or "--lang=CODE" out of `arguments` (before a lone "--") and decides.
// `stored` is the setting's value (empty when none).
LanguageChoice ChooseLanguage(QStringList& arguments, const QString& environment,
                              const QString& stored);

// The same, reading the environment and, only when neither the option nor the environment
// decides, the settings store.
LanguageChoice ChooseLanguage(QStringList& arguments);

// Installs Qt's translation of itself and, for English, the program's own, on `app`.  Qt's
// files are looked for in "translations" beside the program (the Windows folder) and then
// where Qt keeps them.  False when a translation that the language needs was not found (the
// program then shows those texts as they are in the code).
// Those of a language installed before are removed.  Remembers `language` as the one the
// program runs in (RunningLanguage).
bool InstallTranslations(QCoreApplication& app, UiLanguage language);

// The language InstallTranslations was last given; Russian before any call.
UiLanguage RunningLanguage();
