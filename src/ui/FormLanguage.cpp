// The language menu: "Сервис" -> "Язык" -> "Русский" / "English".  The choice is stored and
// takes effect at the next start: every text of the window is set as its control is made.

#include "FormUnit1.h"

#include "app/Language.h"
#include "app/SetupUnit.h"
#include "model/ProgramState.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QMenu>

void TForm1::CreateLanguageMenu(QMenu* service) {
    QMenu* menu = service->addMenu(tr("Язык"));
    menu->setObjectName(QStringLiteral("LanguageMenu"));
    menu->menuAction()->setObjectName(QStringLiteral("LanguageMenu"));
    auto* group = new QActionGroup(menu);
    const UiLanguage running = RunningLanguage();
    // Each language's name in itself, so that a person who reads only one finds it.
    for (const auto& [language, name, objectName] :
         {std::tuple{UiLanguage::Russian, "Русский", "LanguageRussian"},
          std::tuple{UiLanguage::English, "English", "LanguageEnglish"}}) {
        QAction* action = menu->addAction(QString::fromUtf8(name));
        action->setObjectName(QString::fromLatin1(objectName));
        action->setCheckable(true);
        action->setChecked(language == running);
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, language = language] {
            ChooseLanguageClick(language);
        });
    }
}

void TForm1::ChooseLanguageClick(UiLanguage language) {
    QString error;
    if (!WriteSetting(QLatin1String(SettingLanguage), LanguageCode(language), &error)) {
        ShowMessage(m_state.ApplicationTitle, error, QMessageBox::Critical);
        return;
    }
    if (language != RunningLanguage())
        ShowMessage(m_state.ApplicationTitle,
                    tr("Язык будет изменён при следующем запуске программы."),
                    QMessageBox::Information);
}
