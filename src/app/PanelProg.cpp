// The program entry: the application, its titles, the one main window, the message loop.

#include "app/StartupProbe.h"
#include "model/ProgramState.h"
#include "ui/FormUnit1.h"

#include <QApplication>

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

    ProgramState state;
    state.ApplicationTitle = QString::fromUtf8(StartupTitle);
    TForm1 form1(state);
    form1.SetCommandLine(app.arguments().mid(1));
    InstallStartupProbe(&form1);
    form1.show();
    return app.exec();
}
