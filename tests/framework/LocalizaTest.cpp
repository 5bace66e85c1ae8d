#include "RegisterTestInstallation.h"

#include "framework/UniLocaliza.h"
#include "testsupport/TestMain.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

class LocalizaTest : public QObject
{
    Q_OBJECT
    std::unique_ptr<RegisterTestInstallation> fx;

    QString current() const { return fx->global->TbEmp.asString(QStringLiteral("nom_emp")); }

private slots:
    void init()
    {
        fx = std::make_unique<RegisterTestInstallation>();
        QVERIFY(fx->start());
        fx->addCompany(1, QStringLiteral("SANTOS"), {}, QStringLiteral("santos@x.com"));
        fx->addCompany(2, QStringLiteral("SILVEIRA"));
        fx->addCompany(3, QStringLiteral("SILVA"));
        fx->addCompany(4, QStringLiteral("SILVANA"));
        fx->global->TbEmp.setIndexFieldNames(QStringLiteral("nom_emp"));
        fx->global->TbEmp.first();
    }
    void cleanup() { fx.reset(); }

    void nameColumnFollowsTheTextAsItGrows()
    {
        LocateColumn column;
        column.field = QStringLiteral("nom_emp");
        TForLocaliza window(QStringLiteral("Nome"), column, fx->global->TbEmp);
        QCOMPARE(window.findChild<QLabel *>(QStringLiteral("Lb_Campo"))->text(), QStringLiteral("Nome"));
        window.show();
        QTest::keyClicks(window.searchBox(), QStringLiteral("sil"));
        QCOMPARE(window.searchBox()->text(), QStringLiteral("SIL"));
        QCOMPARE(current(), QStringLiteral("SILVA"));
        QTest::keyClicks(window.searchBox(), QStringLiteral("VE"));
        QCOMPARE(current(), QStringLiteral("SILVEIRA"));
        // Nothing beginning so: the record found last stays.
        QTest::keyClicks(window.searchBox(), QStringLiteral("Q"));
        QCOMPARE(current(), QStringLiteral("SILVEIRA"));
    }

    void textsThatCannotMatchLeaveTheRecord_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::newRow("mail in capitals") << "ema_emp" << "SANTOS";
        QTest::newRow("letters in a number") << "cod_emp" << "AB";
    }
    void textsThatCannotMatchLeaveTheRecord()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QVERIFY(fx->global->TbEmp.locate(QStringLiteral("cod_emp"), {4}));
        LocateColumn column;
        column.field = field;
        QVERIFY(!TForLocaliza::locateText(fx->global->TbEmp, column, text));
        QCOMPARE(current(), QStringLiteral("SILVANA"));
        column.field = QStringLiteral("cod_emp");
        QVERIFY(TForLocaliza::locateText(fx->global->TbEmp, column, QStringLiteral("2")));
        QCOMPARE(current(), QStringLiteral("SILVEIRA"));
    }

    void lookupAndCalculatedColumnsGoThroughTheirFields()
    {
        Table &ctd = fx->global->TbCtd;
        ctd.close();
        ctd.setDirectory(fx->global->tabelasDir());
        ctd.setTableName(QStringLiteral("TbCtd"));
        ctd.open();
        ctd.append();
        ctd.setValue(QStringLiteral("cod_ctd"), 40);
        ctd.setValue(QStringLiteral("nom_ctd"), QStringLiteral("MARIA CONTADORA"));
        ctd.post();
        Table &emp = fx->global->TbEmp;
        QVERIFY(emp.locate(QStringLiteral("cod_emp"), {3}));
        emp.edit();
        emp.setValue(QStringLiteral("ctd_emp"), 40);
        emp.post();
        emp.first();

        LocateColumn lookup;
        lookup.kind = LocateColumn::Kind::Lookup;
        lookup.field = QStringLiteral("Contador");
        lookup.lookupTable = &ctd;
        lookup.lookupResultField = QStringLiteral("nom_ctd");
        lookup.lookupKeyFields = QStringLiteral("cod_ctd");
        lookup.keyFields = QStringLiteral("ctd_emp");
        QVERIFY(TForLocaliza::locateText(emp, lookup, QStringLiteral("MAR")));
        QCOMPARE(current(), QStringLiteral("SILVA"));

        LocateColumn calculated;
        calculated.kind = LocateColumn::Kind::Calculated;
        calculated.field = QStringLiteral("Nome completo");
        calculated.originField = QStringLiteral("nom_emp");
        QVERIFY(TForLocaliza::locateText(emp, calculated, QStringLiteral("SA")));
        QCOMPARE(current(), QStringLiteral("SANTOS"));
    }

    void enterClosesAndEscapePressesSair_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("result");
        QTest::newRow("enter") << int(Qt::Key_Return) << int(QDialog::Accepted);
        QTest::newRow("tab") << int(Qt::Key_Tab) << int(QDialog::Accepted);
        QTest::newRow("escape") << int(Qt::Key_Escape) << int(QDialog::Rejected);
    }
    void enterClosesAndEscapePressesSair()
    {
        QFETCH(int, key);
        QFETCH(int, result);
        LocateColumn column;
        column.field = QStringLiteral("nom_emp");
        TForLocaliza window(QStringLiteral("Nome"), column, fx->global->TbEmp);
        bool typedOn = false;
        QTimer::singleShot(0, &window, [&] {
            QTest::keyClicks(window.searchBox(), QStringLiteral("SILVAN"));
            typedOn = current() == QStringLiteral("SILVANA");
            QTest::keyClick(window.searchBox(), Qt::Key(key));
        });
        QCOMPARE(window.exec(), result);
        QVERIFY(typedOn);
        QCOMPARE(current(), QStringLiteral("SILVANA"));
        QVERIFY(!KeyHook::active());
    }
};

REMETIX_TEST(LocalizaTest)
#include "LocalizaTest.moc"
