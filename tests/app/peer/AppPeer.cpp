// The same operator logged in on another computer, for the tests.
//   app_peer presence TABELASDIR CODE
//     takes the presence record (CODE, "RX") of TbOprLog in edit, creating it
//     when missing, prints "held" and keeps it until its input closes.
#include "storage/DbError.h"
#include "storage/Table.h"

#include <QCoreApplication>

#include <cstdio>
#include <iostream>
#include <string>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4 || args[1] != QLatin1String("presence"))
        return 2;
    try {
        Table presence;
        presence.setDirectory(args[2]);
        presence.setTableName(QStringLiteral("TbOprLog"));
        presence.open();
        const int code = args[3].toInt();
        presence.setIndexFieldNames(QStringLiteral("cod_opr;sis_opr"));
        if (!presence.locate(QStringLiteral("cod_opr;sis_opr"), {code, QStringLiteral("RX")})) {
            presence.append();
            presence.setValue(QStringLiteral("cod_opr"), code);
            presence.setValue(QStringLiteral("sis_opr"), QStringLiteral("RX"));
            presence.post();
        }
        presence.edit();
        std::printf("held\n");
        std::fflush(stdout);
        std::string line;
        while (std::getline(std::cin, line)) {
        }
        presence.cancel();
        return 0;
    } catch (const DbError &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
