// The program entry: the application, its titles, the one main window, the message loop,
// and the ways the program ends without its window being closed.

#include "app/EndSignals.h"
#include "app/Language.h"
#include "app/StartupProbe.h"
#include "model/ProgramState.h"
#include "ui/FormUnit1.h"

#include <QApplication>
#include <QDebug>
#include <QSessionManager>

namespace {
// The application's title until the main window gives it the program's own (ProgramTitle).
constexpr char StartupTitle[] = "Prog MZ515";
} // namespace

int main(int argc, char* argv[]) {
    IgnoreFileSizeSignal();
    QApplication app(argc, argv);
    // The settings live under these names; the title the user sees is set on the window.
    QCoreApplication::setOrganizationName(QStringLiteral("Korvanta"));
    QCoreApplication::setApplicationName(QStringLiteral("ProgMZ515"));
    // The menu entry's name: desktops that match windows to entries find our icon by it.
    QGuiApplication::setDesktopFileName(QStringLiteral("progmz515"));

    // Qt's own texts and ours in the chosen language, before any of them is made.
    QStringList arguments = app.arguments().mid(1);
    const LanguageChoice language = ChooseLanguage(arguments);
    InstallTranslations(app, language.Language);
    for (const QString& problem : {language.Error, language.Warning})
        if (!problem.isEmpty()) qWarning().noquote() << problem;

    ProgramState state;
    state.ApplicationTitle = QString::fromUtf8(StartupTitle);
    TForm1 form1(state, {}, nullptr, TForm1::LateWork::AfterFirstPaint);
    form1.SetCommandLine(arguments);

    // Asked to end by a signal (a shutdown, a closed terminal, kill): the port is let go and
    // the edits are kept, then the program ends with 128 + the signal, as a shell reports
    // a program that a signal ended.
    TEndSignals endSignals;
    QObject::connect(&endSignals, &TEndSignals::Received, &form1, [&form1](int signal) {
        form1.EndSession();
        QCoreApplication::exit(128 + signal);
    });
    // The desktop session ends: the program may be ended without another word.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &form1,
                     [&form1](QSessionManager&) { form1.EndSession(); });

    InstallStartupProbe(&form1);
    form1.show();
    return app.exec();
}
