#include "BackupFixture.h"

#include "backup/BackupIdFile.h"
#include "testsupport/TestMain.h"

#include <QTemporaryDir>
#include <QTest>

using namespace BackupFixture;

class BackupIdFileTest : public QObject
{
    Q_OBJECT
private slots:
    void names_data()
    {
        QTest::addColumn<QString>("archive");
        QTest::addColumn<QString>("sevenZip");
        QTest::addColumn<QString>("firstVolume");
        QTest::newRow("older kind") << "/b/Copia.bck" << "/b/Copia.ID" << "/b/Copia001.ID";
        QTest::newRow("7-Zip") << "/b/Bkp09-12.mbk" << "/b/Bkp09-12.ID" << "/b/Bkp09-12001.ID";
        QTest::newRow("typed without extension") << "/b/Bkp09-12" << "/b/Bkp09-12.ID" << "/b/Bkp09-12001.ID";
        QTest::newRow("dot in the folder") << "/b.x/Copia" << "/b.x/Copia.ID" << "/b.x/Copia001.ID";
    }
    void names()
    {
        QFETCH(QString, archive);
        QFETCH(QString, sevenZip);
        QFETCH(QString, firstVolume);
        QCOMPARE(BackupIdFile::sevenZipName(archive), sevenZip);
        QCOMPARE(BackupIdFile::volumeName(archive, 1), firstVolume);
    }

    void writesBothKindsAndReadsThemBack()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Copia001.ID"));
        // An older file of the same name keeps its other sections; LISTA is replaced.
        writeFile(path, "[Outra]\r\nx=1\r\n[LISTA]\r\n000=velha\r\n005=velha\r\n");
        BackupIdFile id(path);
        id.load();
        id.setHeader(1, QDateTime(QDate(2026, 12, 9), QTime(8, 5, 7)), QStringLiteral("JOÃO"), 14);
        id.setLines(QList<QPair<int, QString>>{{0, QStringLiteral("000 - ARQUIVOS PADRÕES")}, {3, QStringLiteral("002 - LOJA")}});
        QVERIFY(id.save());
        const QString text = QString::fromUtf8(readFile(path));
        QVERIFY(text.contains(QStringLiteral("[CABECALHO]\r\nDisco=001\r\nData=09/12/2026\r\nHora=08:05:07\r\nOperador=JOÃO\r\nVersaoStr=14\r\n")));
        QVERIFY(text.contains(QStringLiteral("[LISTA]\r\n000=000 - ARQUIVOS PADRÕES\r\n003=002 - LOJA\r\n")));
        QVERIFY(text.contains(QStringLiteral("[Outra]\r\nx=1\r\n")));
        QVERIFY(!text.contains(QStringLiteral("velha")));

        BackupIdFile back(path);
        QVERIFY(back.load());
        QCOMPARE(back.date(), QStringLiteral("09/12/2026"));
        QCOMPARE(back.time(), QStringLiteral("08:05:07"));
        QCOMPARE(back.operatorName(), QStringLiteral("JOÃO"));
        QCOMPARE(back.dictionaryVersion(), 14);
        QCOMPARE(back.sevenZipLines(), (QStringList{QStringLiteral("000 - ARQUIVOS PADRÕES"), QStringLiteral("002 - LOJA")}));
    }

    // Files written by the old program: cp1252, any key case, keys out of order.
    void theTwoReadersRules()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("X.ID"));
        writeFile(path, "[Cabecalho]\r\nversaostr=9\r\n[Lista]\r\n010=010 - DEZ\r\n000=000 - ARQUIVOS PADR\xd5" "ES\r\n"
                        "004=\r\n1=curta\r\n002=002 - DOIS\r\n");
        BackupIdFile id(path);
        QVERIFY(id.load());
        QCOMPARE(id.dictionaryVersion(), 9);
        QCOMPARE(id.sevenZipLines(),
                 (QStringList{QStringLiteral("000 - ARQUIVOS PADRÕES"), QStringLiteral("002 - DOIS"), QStringLiteral("010 - DEZ")}));
        QCOMPARE(id.olderKindLines(), (QStringList{QStringLiteral("010 - DEZ"), QStringLiteral("000 - ARQUIVOS PADRÕES"),
                                                   QString(), QStringLiteral("rta"), QStringLiteral("002 - DOIS")}));
        BackupIdFile missing(dir.filePath(QStringLiteral("nada.ID")));
        QVERIFY(!missing.load());
        QCOMPARE(missing.dictionaryVersion(), 0);
    }
};

REMETIX_TEST(BackupIdFileTest)
#include "BackupIdFileTest.moc"
