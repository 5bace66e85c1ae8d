#include "framework/TChecaCGC.h"
#include "framework/TChecaCPF.h"
#include "testsupport/TestMain.h"

#include <QTest>

class TaxpayerNumberTest : public QObject
{
    Q_OBJECT
private slots:
    void cpf_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::newRow("masked") << "111444777-35" << true;
        QTest::newRow("bare") << "11144477735" << true;
        QTest::newRow("wrong second digit") << "111444777-36" << false;
        QTest::newRow("ones with hyphen") << "111111111-11" << true;
        QTest::newRow("ones bare") << "11111111111" << true;
        QTest::newRow("ones last digit 2") << "111111111-12" << false;
        QTest::newRow("zeros") << "000000000-00" << true;
        QTest::newRow("printed form with dots") << "111.444.777-35" << false;
        QTest::newRow("10 characters") << "1114447773" << false;
        QTest::newRow("12 characters") << "111444777355" << false;
        QTest::newRow("blank mask") << "         -  " << false;
        QTest::newRow("remainder below 2 gives 0") << "529982247-25" << true;
        QTest::newRow("empty") << "" << false;
    }
    void cpf()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QCOMPARE(TChecaCPF().Valida(text), valid);
    }

    void cnpj_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::newRow("masked") << "11.222.333/0001-81" << true;
        QTest::newRow("bare") << "11222333000181" << true;
        QTest::newRow("wrong digit") << "11.222.333/0001-82" << false;
        QTest::newRow("zeros masked") << "00.000.000/0000-00" << true;
        QTest::newRow("zeros bare") << "00000000000000" << true;
        QTest::newRow("only check digits") << "00" << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("space in a digit position") << "11.222.333/0 01-81" << false;
    }
    void cnpj()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QCOMPARE(TChecaCGC().Valida(text), valid);
    }
};

REMETIX_TEST(TaxpayerNumberTest)
#include "TaxpayerNumberTest.moc"
