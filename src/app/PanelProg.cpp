// The program entry: the application, its titles, the one main window, the message loop.

#include "app/AppTitles.h"
#include "model/ProgramState.h"
#include "ui/FormUnit1.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // The settings live under these names; the title the user sees is set on the window.
    QCoreApplication::setOrganizationName(QStringLiteral("Korvanta"));
    QCoreApplication::setApplicationName(QStringLiteral("ProgMZ515"));

    ProgramState state;
    state.ApplicationTitle = QString::fromUtf8(AppTitle::Startup);
    TForm1 form1(state);
    form1.show();
    return app.exec();
}
