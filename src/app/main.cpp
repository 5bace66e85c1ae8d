#include "app/AppLifetime.h"
#include "app/PrintFileDialogsAdapter.h"
#include "app/PrintMessagesAdapter.h"
#include "app/ProgramEntry.h"
#include "app/WaveSoundPlayer.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Remetix"));
    QApplication::setApplicationVersion(QStringLiteral(REMETIX_VERSION));
    // The program ends through the exit window or a refused start, never
    // because the opening window closed before the main window showed.
    QApplication::setQuitOnLastWindowClosed(false);

    WaveSoundPlayer sounds;
    ScopedSeam<SoundPlayer> soundSeam(sounds);
    // The printing library reaches the user through the program's own boxes.
    PrintMessagesAdapter printMessages;
    PrintMessages *previousPrintMessages = PrintMessages::install(&printMessages);
    PrintFileDialogsAdapter printDialogs;
    PrintFileDialogs *previousPrintDialogs = PrintFileDialogs::install(&printDialogs);
    const auto restorePrinting = [&] {
        PrintMessages::install(previousPrintMessages);
        PrintFileDialogs::install(previousPrintDialogs);
    };

    ProgramEntry entry(QCoreApplication::applicationFilePath(), app.arguments().mid(1));
    int code = 0;
    if (entry.start()) {
        AppLifetime::setLoopRunning(true);
        code = app.exec();
        AppLifetime::setLoopRunning(false);
    }
    restorePrinting();
    return AppLifetime::endRequested() ? AppLifetime::exitCode() : code;
}
