// The second process of the storage tests. Usage:
//   storage-peer hold DIR TABLE COD   edit the client COD, print "LOCKED", wait to be killed
//   storage-peer try  DIR TABLE COD   try to edit COD, print "OK" or "REFUSED"
//   storage-peer read DIR TABLE COD   print nom_cli of COD, or "MISSING"
//   storage-peer busy DIR TABLE 0     hold the whole file in a write transaction, print "BUSY", wait
#include "storage/DbError.h"
#include "storage/RecordLockedError.h"
#include "storage/SqlConnection.h"
#include "storage/Table.h"
#include "storage/TableFile.h"

#include <QCoreApplication>

#include <cstdio>

namespace {

void say(const QString &text)
{
    std::fputs(text.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5)
        return 2;
    const QString command = args.at(1);
    try {
        if (command == QLatin1String("busy")) {
            SqlConnection db(TableFile::path(args.at(2), args.at(3)));
            db.exec(QStringLiteral("BEGIN EXCLUSIVE"));
            say(QStringLiteral("BUSY"));
            while (std::getchar() != EOF) {
            }
            return 0;
        }
        Table table;
        table.setDirectory(args.at(2));
        table.setTableName(args.at(3));
        table.open();
        const bool found = table.locate(QStringLiteral("cod_cli"), {args.at(4).toLongLong()});
        if (command == QLatin1String("read")) {
            say(found ? table.asString(QStringLiteral("nom_cli")) : QStringLiteral("MISSING"));
            return 0;
        }
        if (!found)
            return 3;
        try {
            table.edit();
        } catch (const RecordLockedError &) {
            say(QStringLiteral("REFUSED"));
            return 0;
        }
        if (command == QLatin1String("try")) {
            say(QStringLiteral("OK"));
            return 0;
        }
        say(QStringLiteral("LOCKED"));
        // Holds the lock until killed (or until the test closes our input).
        while (std::getchar() != EOF) {
        }
        return 0;
    } catch (const DbError &error) {
        std::fputs(error.what(), stderr);
        return 1;
    }
}
