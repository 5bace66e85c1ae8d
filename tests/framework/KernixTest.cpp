#include "framework/UniKernix.h"
#include "testsupport/FixedClock.h"
#include "testsupport/ScriptedMessages.h"
#include "testsupport/TestMain.h"

#include <QTest>

class KernixTest : public QObject
{
    Q_OBJECT
private slots:
    void colorRoundTrip_data()
    {
        QTest::addColumn<QColor>("color");
        QTest::addColumn<QString>("text");
        QTest::newRow("named") << QColor(0, 0, 255) << "clBlue";
        QTest::newRow("navy") << QColor(0, 0, 128) << "clNavy";
        QTest::newRow("unnamed") << QColor(0x12, 0x34, 0x56) << "$00563412";
        QTest::newRow("none") << QColor() << "clNone";
    }
    void colorRoundTrip()
    {
        QFETCH(QColor, color);
        QFETCH(QString, text);
        QCOMPARE(Kernix::ColorToStr(color), text);
        QCOMPARE(Kernix::StrToColor(text), color);
    }

    void colorOldForms_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QColor>("color");
        QTest::newRow("lower-case name") << "clred" << QColor(255, 0, 0);
        QTest::newRow("hex BGR") << "$00FF8000" << QColor(0, 0x80, 0xFF);
        QTest::newRow("decimal") << "16711680" << QColor(0, 0, 255);
        QTest::newRow("system colour") << "clBtnFace" << QColor(0xD4, 0xD0, 0xC8);
        QTest::newRow("alias") << "clLtGray" << QColor(0xC0, 0xC0, 0xC0);
        QTest::newRow("qt form") << "#102030" << QColor(0x10, 0x20, 0x30);
        QTest::newRow("garbage") << "azul" << QColor();
        QTest::newRow("bare dollar") << "$" << QColor();
    }
    void colorOldForms()
    {
        QFETCH(QString, text);
        QFETCH(QColor, color);
        QCOMPARE(Kernix::StrToColor(text), color);
    }

    void strToFloatDef_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("value");
        QTest::newRow("comma") << "8,50" << qint64(85000);
        QTest::newRow("whole") << "12" << qint64(120000);
        QTest::newRow("thousands") << "1.234,56" << qint64(12345600);
        QTest::newRow("point") << "0.1" << qint64(1000);
        QTest::newRow("negative") << "-3,25" << qint64(-32500);
        QTest::newRow("four decimals") << "0,0001" << qint64(1);
        QTest::newRow("rounds fifth") << "0,00005" << qint64(1);
        QTest::newRow("spaces") << " 7,5 " << qint64(75000);
        QTest::newRow("empty") << "" << qint64(0);
        QTest::newRow("letters") << "abc" << qint64(0);
        QTest::newRow("two commas") << "1,2,3" << qint64(0);
        QTest::newRow("lone comma") << "," << qint64(0);
    }
    void strToFloatDef()
    {
        QFETCH(QString, text);
        QFETCH(qint64, value);
        QCOMPARE(Kernix::StrToFloatDef(text, 0), value);
    }

    void eString_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("notWhole");
        QTest::newRow("code") << "123" << false;
        QTest::newRow("padded") << " 42 " << false;
        QTest::newRow("negative") << "-5" << false;
        QTest::newRow("name") << "SILVA" << true;
        QTest::newRow("mixed") << "12A" << true;
        QTest::newRow("decimal") << "1,5" << true;
        QTest::newRow("empty") << "" << true;
    }
    void eString()
    {
        QFETCH(QString, text);
        QFETCH(bool, notWhole);
        QCOMPARE(Kernix::EString(text), notWhole);
    }

    void testaData_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::newRow("leap day") << "29/02/2020" << true;
        QTest::newRow("not leap") << "29/02/2021" << false;
        QTest::newRow("century not leap") << "29/02/1900" << false;
        QTest::newRow("400 leap") << "29/02/2000" << true;
        QTest::newRow("31 april") << "31/04/2024" << false;
        QTest::newRow("month 13") << "01/13/2024" << false;
        QTest::newRow("day 0") << "00/01/2024" << false;
        QTest::newRow("blank mask") << "  /  /    " << false;
        QTest::newRow("partial") << "12/05/20  " << false;
        QTest::newRow("underscores") << "12/__/2024" << false;
        QTest::newRow("short form") << "12/05/24" << false;
        QTest::newRow("ordinary") << "11/12/2026" << true;
    }
    void testaData()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QCOMPARE(Kernix::TestaData(text), valid);
    }

    void numerico_data()
    {
        QTest::addColumn<QString>("current");
        QTest::addColumn<QChar>("typed");
        QTest::addColumn<int>("cursor");
        QTest::addColumn<QChar>("accepted");
        QTest::newRow("digit") << "12" << QChar('3') << -1 << QChar('3');
        QTest::newRow("second decimal") << "8,5" << QChar('0') << -1 << QChar('0');
        QTest::newRow("third decimal refused") << "8,50" << QChar('1') << -1 << QChar();
        QTest::newRow("digit before comma") << "8,50" << QChar('1') << 0 << QChar('1');
        QTest::newRow("point becomes comma") << "8" << QChar('.') << -1 << QChar(',');
        QTest::newRow("second comma refused") << "8,5" << QChar(',') << -1 << QChar();
        QTest::newRow("comma leaving 3 decimals") << "1234" << QChar(',') << 1 << QChar();
        QTest::newRow("letter refused") << "1" << QChar('a') << -1 << QChar();
    }
    void numerico()
    {
        QFETCH(QString, current);
        QFETCH(QChar, typed);
        QFETCH(int, cursor);
        QFETCH(QChar, accepted);
        QCOMPARE(Kernix::Numerico(current, typed, 2, cursor), accepted);
    }

    void substReplacesSeparatorsAndBreaks()
    {
        QCOMPARE(Kernix::Subst(QStringLiteral("Rua A; 10\r\nfundos"), QLatin1Char(';')),
                 QStringLiteral("Rua A  10  fundos"));
        QCOMPARE(Kernix::Subst(QStringLiteral("a,b"), QLatin1Char(';')), QStringLiteral("a,b"));
    }

    void primeiraLetraMaiuscula()
    {
        QCOMPARE(Kernix::PrimeiraLetraMaiuscula(QStringLiteral("índice por nome")), QStringLiteral("Índice por nome"));
        QCOMPARE(Kernix::PrimeiraLetraMaiuscula(QString()), QString());
    }

    void converteIsStableOneWayAndEightLong()
    {
        const QString master = Kernix::Converte(QStringLiteral("ZELNOK"), 8);
        QCOMPARE(master.size(), 8);
        QCOMPARE(Kernix::Converte(QStringLiteral("ZELNOK"), 8), master);
        QVERIFY(master != QStringLiteral("ZELNOK"));
        QVERIFY(Kernix::Converte(QStringLiteral("ZELNOL"), 8) != master);
        // Stored in operator records: changing the transform would lock everyone out.
        QCOMPARE(Kernix::Converte(QStringLiteral("ZELNOK"), 8), QStringLiteral("5DZ2W48T"));
    }

    void trataErroShowsMessageThenErrorText()
    {
        ScriptedMessages messages;
        Kernix::TrataErro(QStringLiteral("Erro na inicialização do BDE."), QStringLiteral("disco cheio"));
        QCOMPARE(messages.shown().size(), 1);
        QCOMPARE(messages.shown()[0].icon, MsgIcon::Error);
        QCOMPARE(messages.lastText(), QStringLiteral("Erro na inicialização do BDE.\r\ndisco cheio"));
    }

    void delayGoesThroughTheClock()
    {
        FixedClock clock;
        const QDateTime before = clock.now();
        Kernix::Delay(1000);
        QCOMPARE(clock.now(), before.addMSecs(1000));
    }
};

REMETIX_TEST(KernixTest)
#include "KernixTest.moc"
