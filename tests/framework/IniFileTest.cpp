#include "framework/IniFile.h"
#include "testsupport/TestMain.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class IniFileTest : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;

    QString write(const QByteArray &bytes)
    {
        const QString path = dir.filePath(QStringLiteral("t.ini"));
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return path;
    }

private slots:
    void readsOddFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("local");
        QTest::newRow("crlf") << QByteArray("[BD]\r\nLOCAL=/dados/\r\n") << "/dados/";
        QTest::newRow("lf") << QByteArray("[BD]\nLOCAL=/dados/\n") << "/dados/";
        QTest::newRow("case of names") << QByteArray("[bd]\nlocal=/x/\n") << "/x/";
        QTest::newRow("lines before any section") << QByteArray("lixo=1\nsolto\n[BD]\nLOCAL=/y/\n") << "/y/";
        QTest::newRow("duplicate key keeps first") << QByteArray("[BD]\nLOCAL=/a/\nLOCAL=/b/\n") << "/a/";
        QTest::newRow("cp1252 bytes") << QByteArray("[BD]\nLOCAL=/dados/S\xe3o Paulo/\n") << QString::fromUtf8("/dados/São Paulo/");
        QTest::newRow("utf-8 bytes") << QByteArray("[BD]\nLOCAL=/dados/S\xc3\xa3o/\n") << QString::fromUtf8("/dados/São/");
        QTest::newRow("no newline at end") << QByteArray("[BD]\nLOCAL=/z/") << "/z/";
    }
    void readsOddFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, local);
        IniFile ini(write(bytes));
        QVERIFY(ini.load());
        QCOMPARE(ini.value(QStringLiteral("BD"), QStringLiteral("LOCAL")), local);
    }

    void writeKeepsOtherContentAndReadsBack()
    {
        IniFile ini(write("; comentario\r\n[ForLiberar]\r\nTop=10\r\n[BD]\r\nLOCAL=\r\n"));
        QVERIFY(ini.load());
        ini.setValue(QStringLiteral("BD"), QStringLiteral("LOCAL"), QString::fromUtf8("/dados/ção/"));
        QVERIFY(ini.save());
        IniFile again(ini.path());
        QVERIFY(again.load());
        QCOMPARE(again.value(QStringLiteral("BD"), QStringLiteral("LOCAL")), QString::fromUtf8("/dados/ção/"));
        QCOMPARE(again.intValue(QStringLiteral("ForLiberar"), QStringLiteral("Top"), 0), 10);
        QCOMPARE(again.sections(), (QStringList{QStringLiteral("ForLiberar"), QStringLiteral("BD")}));
        QFile f(ini.path());
        f.open(QIODevice::ReadOnly);
        const QByteArray bytes = f.readAll();
        QVERIFY(bytes.contains("; comentario\r\n"));
        QVERIFY(!bytes.contains("\n\n") || bytes.contains("\r\n\r\n"));
    }

    void missingFileIsNotCreatedByReading()
    {
        IniFile ini(dir.filePath(QStringLiteral("nada.ini")));
        QVERIFY(!ini.load());
        QVERIFY(!QFile::exists(ini.path()));
        QCOMPARE(ini.value(QStringLiteral("BD"), QStringLiteral("LOCAL"), QStringLiteral("def")), QStringLiteral("def"));
    }
};

REMETIX_TEST(IniFileTest)
#include "IniFileTest.moc"
