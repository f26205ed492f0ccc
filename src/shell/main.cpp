#include <QApplication>

#include "platform/dialogs.h"
#include "platform/fonts.h"
#include "shell/FormQuorvane.h"
#include "shell/shell.h"
#include "shell/tool_window.h"
#include "shell/tool_windows.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(minizol::kApplicationTitle);
    QApplication::setApplicationVersion("3.0");
    // Desktops match the windows to the launcher, and so to its name and icon, by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral(MINIZOL_APP_ID));
    // Hiding one tool for the next is not the end; closing any tool window is.
    QApplication::setQuitOnLastWindowClosed(false);
    minizol::InstallFontSubstitutions();

    minizol::SystemDialogs dialogs;
    minizol::Shell shell(dialogs, [] { QCoreApplication::quit(); });
    minizol::RegisterToolWindows(shell);
    shell.SetAboutWindow([](minizol::ToolWindow& over) { minizol::FormQuorvane::ShowOver(over); });
    shell.Start();
    return app.exec();
}
