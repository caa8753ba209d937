// The program entry: the application, its titles, the one main window, the message loop.

#include "app/Language.h"
#include "app/StartupProbe.h"
#include "link/PortList.h"
#include "model/ProgramState.h"
#include "ui/FormUnit1.h"

#include <QApplication>
#include <QDebug>

#include <future>

namespace {
// The application's title until the main window gives it its own (ApplicationTitle).
constexpr char StartupTitle[] = "Prog MZ515";
} // namespace

int main(int argc, char* argv[]) {
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
    // The system's list of serial ports takes a while (udev is asked about every tty
    // device); it is gathered on another thread while the window's controls are built,
    // and the window takes it at the step where it fills the port box.
    auto ports = std::async(std::launch::async, ListSerialPorts);
    TForm1 form1(state, {}, nullptr, [&ports] { return ports.get(); });
    form1.SetCommandLine(arguments);
    InstallStartupProbe(&form1);
    form1.show();
    return app.exec();
}
