#include "printing/ReportCipher.h"
#include "testsupport/TestMain.h"

#include <QRandomGenerator>
#include <QTest>

class ReportCipherTest : public QObject
{
    Q_OBJECT
private slots:
    void reportReadsBackByteForByte_data()
    {
        QTest::addColumn<QByteArray>("plain");
        QTest::newRow("end of a log") << QByteArray("@Fim\r\n@Fim\r\n");
        QTest::newRow("one block") << QByteArray("12345678");
        QTest::newRow("shorter than a block") << QByteArray("abc");
        QTest::newRow("empty") << QByteArray();
        QByteArray noise(5003, Qt::Uninitialized);
        for (char &c : noise)
            c = char(QRandomGenerator::global()->bounded(256));
        QTest::newRow("binary, odd length") << noise;
    }
    void reportReadsBackByteForByte()
    {
        QFETCH(QByteArray, plain);
        ReportCipher cipher;
        QByteArray report;
        QVERIFY2(cipher.encrypt(plain, &report), qPrintable(cipher.errorText()));
        QVERIFY(ReportCipher::isReport(report));
        QCOMPARE(report.size(), 36 + qMax<qsizetype>(plain.size(), 8));
        if (plain.size() >= 8)
            QVERIFY(!report.contains(plain));
        QByteArray back;
        QVERIFY2(cipher.decrypt(report, &back), qPrintable(cipher.errorText()));
        QCOMPARE(back, plain);
    }

    void everyReportHasItsOwnSaltAndVector()
    {
        ReportCipher cipher;
        QByteArray first, second;
        QVERIFY(cipher.encrypt("@pcompr20\r\nLinha\r\n@Fim\r\n@Fim\r\n", &first));
        QVERIFY(cipher.encrypt("@pcompr20\r\nLinha\r\n@Fim\r\n@Fim\r\n", &second));
        QVERIFY(first.mid(8, 24) != second.mid(8, 24));
        QVERIFY(first.mid(36) != second.mid(36));
    }

    void damagedReportIsRefused()
    {
        ReportCipher cipher;
        QByteArray report;
        QVERIFY(cipher.encrypt("uma linha qualquer\r\n", &report));
        QByteArray plain;
        QVERIFY(!cipher.decrypt(report.left(20), &plain));
        QByteArray wrongMagic = report;
        wrongMagic[0] = 'X';
        QVERIFY(!cipher.decrypt(wrongMagic, &plain));
        QByteArray cut = report;
        cut.chop(4);
        QVERIFY(!cipher.decrypt(cut, &plain));
    }
};

REMETIX_TEST(ReportCipherTest)
#include "ReportCipherTest.moc"
