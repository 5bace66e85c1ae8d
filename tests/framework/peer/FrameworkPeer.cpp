// Another computer, for the tests.
//   framework_peer hold DIR TABLE FIELD VALUE
//     holds a record in edit; prints "held" once it is taken; then reads
//     "set FIELD INT" and "post" lines, and cancels when its input closes.
//   framework_peer semaphore PROGRAMDIR OPERATOR COMPANY TABLE
//     logs OPERATOR in (its presence record held in edit), takes the
//     semaphore lock of TABLE with COMPANY as working company, prints "held"
//     and keeps both until its input closes.
#include "framework/RecordLocking.h"
#include "framework/Session.h"
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
    if (args.size() == 6 && args[1] == QLatin1String("semaphore")) {
        SessionValues &session = Session::values();
        session.ProgramDir = args[2];
        session.OperatorCode = args[3].toInt();
        session.CompanyCode = session.CentralCode = args[4].toInt();
        session.CompanyDir = session.CentralDir = args[2] + QStringLiteral("Tabelas/%1").arg(session.CompanyCode, 3, 10, QLatin1Char('0'));
        session.LockingActive = true;
        Table presence;
        presence.setDirectory(args[2] + QStringLiteral("Tabelas"));
        presence.setTableName(QStringLiteral("TbOprLog"));
        presence.open();
        presence.append();
        presence.setValue(QStringLiteral("cod_opr"), session.OperatorCode);
        presence.setValue(QStringLiteral("sis_opr"), QStringLiteral("RX"));
        presence.post();
        presence.edit();
        if (!RecordLocking::lock({args[5]}))
            return 4;
        std::printf("held\n");
        std::fflush(stdout);
        std::string line;
        while (std::getline(std::cin, line)) {
        }
        return 0;
    }
    if (args.size() != 6 || args[1] != QLatin1String("hold"))
        return 2;
    try {
        Table table;
        table.setDirectory(args[2]);
        table.setTableName(args[3]);
        table.open();
        if (!table.locate(args[4], {args[5]}))
            return 3;
        table.edit();
        std::printf("held\n");
        std::fflush(stdout);
        std::string line;
        while (std::getline(std::cin, line)) {
            const QStringList words = QString::fromStdString(line).split(QLatin1Char(' '), Qt::SkipEmptyParts);
            if (words.size() == 3 && words[0] == QLatin1String("set"))
                table.setValue(words[1], words[2].toInt());
            else if (words.size() == 1 && words[0] == QLatin1String("post")) {
                table.post();
                return 0;
            }
        }
        table.cancel();
        return 0;
    } catch (const DbError &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}
