#include "app/Language.h"

#include "app/SetupUnit.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

std::optional<UiLanguage> ParseLanguage(const QString& code) {
    const QString c = code.trimmed().toLower();
    if (c == QLatin1String("ru")) return UiLanguage::Russian;
    if (c == QLatin1String("en")) return UiLanguage::English;
    return std::nullopt;
}

QString LanguageCode(UiLanguage language) {
    return language == UiLanguage::English ? QStringLiteral("en") : QStringLiteral("ru");
}

LanguageChoice ChooseLanguage(QStringList& arguments, const QString& environment,
                              const QString& stored) {
    LanguageChoice choice;
    std::optional<UiLanguage> fromOption;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (arg == QLatin1String("--")) break;
        QString value;
        qsizetype taken = 0;
        if (arg == QLatin1String("--lang")) {
            taken = 1;
            if (i + 1 < arguments.size()) {
                value = arguments[i + 1];
                taken = 2;
            }
        } else if (arg.startsWith(QLatin1String("--lang="))) {
            value = arg.mid(7);
            taken = 1;
        } else {
            continue;
        }
        arguments.remove(i, taken);
        --i;
        fromOption = ParseLanguage(value);
        if (!fromOption)
            choice.Error =
                QCoreApplication::translate("Language", "--lang: нет языка «%1»; возможны ru и en")
                    .arg(value);
    }
    if (fromOption) {
        choice.Language = *fromOption;
        return choice;
    }
    if (!environment.isEmpty()) {
        if (const auto fromEnvironment = ParseLanguage(environment)) {
            choice.Language = *fromEnvironment;
            return choice;
        }
        choice.Warning =
            QCoreApplication::translate("Language", "%1: нет языка «%2»; возможны ru и en")
                .arg(QLatin1String(LanguageEnvironment), environment);
    }
    if (const auto fromSetting = ParseLanguage(stored)) choice.Language = *fromSetting;
    return choice;
}

LanguageChoice ChooseLanguage(QStringList& arguments) {
    const QString environment = qEnvironmentVariable(LanguageEnvironment);
    // The store is not even opened when the option or the environment decides.
    QStringList taken = arguments;
    LanguageChoice choice = ChooseLanguage(taken, environment, QString());
    const bool optionGiven = taken.size() != arguments.size();
    if (optionGiven || ParseLanguage(environment)) {
        arguments = taken;
        return choice;
    }
    choice = ChooseLanguage(arguments, environment, StoredSetting(QLatin1String(SettingLanguage)));
    choice.StoreProblem = SettingsStoreProblem();
    return choice;
}

namespace {

// The application object's property that holds the running language: it lives exactly as
// long as the application whose translators were installed.
constexpr char RunningLanguageProperty[] = "progmz515Language";

constexpr char TranslatorName[] = "progmz515Translator";

bool Install(QCoreApplication& app, const QString& name, const QStringList& folders) {
    auto* translator = new QTranslator(&app);
    translator->setObjectName(QLatin1String(TranslatorName));
    for (const QString& folder : folders) {
        if (translator->load(name, folder)) {
            QCoreApplication::installTranslator(translator);
            return true;
        }
    }
    delete translator;
    return false;
}

} // namespace

bool InstallTranslations(QCoreApplication& app, UiLanguage language) {
    // The translations of a language chosen before go: a translator deleted is uninstalled.
    qDeleteAll(app.findChildren<QTranslator*>(QLatin1String(TranslatorName),
                                              Qt::FindDirectChildrenOnly));
    app.setProperty(RunningLanguageProperty, LanguageCode(language));
    const QStringList qtFolders{
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("translations")),
        QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
    // English is Qt's own language: only Russian needs Qt's translation.
    if (language == UiLanguage::Russian)
        return Install(app, QStringLiteral("qtbase_ru"), qtFolders);
    return Install(app, QStringLiteral("progmz515_en"), {QStringLiteral(":/i18n")});
}

UiLanguage RunningLanguage() {
    const QCoreApplication* app = QCoreApplication::instance();
    if (!app) return UiLanguage::Russian;
    return ParseLanguage(app->property(RunningLanguageProperty).toString())
        .value_or(UiLanguage::Russian);
}
