#include "companies/CompanyOptions.h"
#include "testsupport/TestMain.h"

#include <QTest>

class CompanyOptionsTest : public QObject
{
    Q_OBJECT
private slots:
    void newCompanyHasFlagsOffAndFixedValues()
    {
        const CompanyOptions o = CompanyOptions::forNewCompany();
        QCOMPARE(o.cfg().size(), CompanyOptions::cfgLength);
        QCOMPARE(o.lfc(), QStringLiteral("NNNNNNNN0NNNNNNNNNN0"));
        const QString cfg = o.cfg();
        QCOMPARE(cfg.mid(6, 1), QStringLiteral("S"));
        QCOMPARE(cfg.mid(9, 1), QStringLiteral("N"));
        QCOMPARE(cfg.mid(11, 1), QStringLiteral("9"));
        QCOMPARE(cfg.mid(20, 6), QStringLiteral(" B    "));
        QCOMPARE(cfg.mid(27, 2), QStringLiteral(" N"));
        QCOMPARE(cfg.mid(72, 1), QStringLiteral("0"));
        QCOMPARE(cfg.mid(75, 2), QStringLiteral("  "));
        QCOMPARE(cfg.mid(82, 1), QStringLiteral(" "));
        QCOMPARE(cfg.count(QLatin1Char('S')), 1);
    }

    // The sibling programs' positions survive a save from this window.
    void shownBoxesWriteOnlyTheirPositions()
    {
        QString cfg(CompanyOptions::cfgLength, QLatin1Char('S'));
        cfg[9] = QLatin1Char('S');
        cfg.replace(20, 3, QStringLiteral("XYZ"));
        CompanyOptions o(cfg, QStringLiteral("SSSSSSSSSSSSSSSSSSS1"));
        o.setCfgFlag(CompanyOptions::CodCli, false);
        o.setCfgFlag(CompanyOptions::Issqn, false);
        o.applyFixed();
        QString expected = cfg;
        expected[0] = QLatin1Char('N');
        expected[4] = QLatin1Char('N');
        expected[9] = QLatin1Char('N');
        QCOMPARE(o.cfg(), expected);
        QCOMPARE(o.lfc(), QStringLiteral("NNNNNSSSSSSSSSSSSSS1"));
    }

    void shortStoredStringsAreCompleted()
    {
        const CompanyOptions o(QStringLiteral("SNS"), QString());
        QCOMPARE(o.cfg().left(3), QStringLiteral("SNS"));
        QCOMPARE(o.cfg().size(), CompanyOptions::cfgLength);
        QCOMPARE(o.cfg().mid(21, 1), QStringLiteral("B"));
        QCOMPARE(o.lfc(), CompanyOptions::forNewCompany().lfc());
    }

    void simplesNacionalStoresGeneralUnlessNotTaxpayer_data()
    {
        QTest::addColumn<QString>("lfc19");
        QTest::addColumn<QString>("modality");
        QTest::addColumn<QString>("stored");
        QTest::newRow("micro") << "N" << "M" << "M";
        QTest::newRow("simples micro") << "S" << "M" << "G";
        QTest::newRow("simples non taxpayer") << "S" << "0" << "0";
    }
    void simplesNacionalStoresGeneralUnlessNotTaxpayer()
    {
        QFETCH(QString, lfc19);
        QFETCH(QString, modality);
        QFETCH(QString, stored);
        QString lfc = CompanyOptions::forNewCompany().lfc();
        lfc[18] = lfc19.at(0);
        const CompanyOptions o(QString(), lfc);
        QCOMPARE(o.companyType(modality.at(0)), stored);
    }
};

REMETIX_TEST(CompanyOptionsTest)
#include "CompanyOptionsTest.moc"
