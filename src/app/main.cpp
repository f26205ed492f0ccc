#include <QApplication>
#include <QFile>
#include <QStringList>
#include <iostream>

#include "app/tool_windows.h"
#include "platform/dialogs.h"
#include "platform/fonts.h"
#include "platform/toolkit_language.h"
#include "platform/window_system.h"
#include "shell/FormQuorvane.h"
#include "shell/shell.h"
#include "shell/tool_window.h"

int main(int argc, char* argv[]) {
    // The platform has to be chosen before the application object exists; an argument rather
    // than QT_QPA_PLATFORM keeps the choice out of the programs MiniZol opens links with.
    minizol::CommandLine commandLine(argc, argv);
    if (const auto platform =
            minizol::ChooseWindowSystem(minizol::CurrentWindowSystemSetting(argc, argv))) {
        commandLine.InsertAfterProgram({"-platform", *platform});
    }
    QApplication app(commandLine.argc(), commandLine.argv());
    // The files the desktop's "Abrir con" hands over, once the toolkit has taken its options.
    QStringList lists;
    for (const std::string& file : minizol::FileArguments(commandLine.argc(), commandLine.argv())) {
        lists << QFile::decodeName(file.c_str());
    }
    minizol::InstallSpanishTexts(app);
    if (const auto notice =
            minizol::WindowSystemNotice(QGuiApplication::platformName().toStdString())) {
        std::cerr << *notice << '\n';
    }

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
    shell.SetAboutWindow(
        [&dialogs](minizol::ToolWindow& over) { minizol::FormQuorvane::ShowOver(over, dialogs); });
    if (lists.isEmpty()) {
        shell.Start();
    } else {
        minizol::StartWithLists(shell, lists);
    }
    return app.exec();
}
