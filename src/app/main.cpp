#include "framework/Installation.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Remetix"));
    QApplication::setApplicationVersion(QStringLiteral(REMETIX_VERSION));

    Installation installation(QCoreApplication::applicationFilePath());
    const bool started = installation.start();
    installation.finish();
    return started ? 0 : 1;
}
