#include "RegisterTestInstallation.h"

#include "framework/ListingReport.h"
#include "framework/Listings.h"
#include "framework/UPreview.h"
#include "testsupport/FixedClock.h"
#include "testsupport/TestMain.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrintPreviewWidget>
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

class ListingTest : public QObject
{
    Q_OBJECT
private slots:
    void noCompaniesNoListing()
    {
        RegisterTestInstallation fx;
        QVERIFY(fx.start());
        ScriptedMessages messages;
        QMdiArea area;
        QVERIFY(!Listings::fListagem_Emp(fx.global->TbEmp, &area));
        QCOMPARE(messages.texts(), QStringList{QString::fromUtf8("Não há empresas para listar!")});
        QVERIFY(area.subWindowList().isEmpty());
    }

    void companiesListedInThePreview()
    {
        RegisterTestInstallation fx;
        QVERIFY(fx.start());
        FixedClock clock(QDateTime(QDate(2026, 3, 9), QTime(8, 0)));
        for (int code = 1; code <= 130; ++code)
            fx.addCompany(code, QStringLiteral("EMPRESA %1").arg(code), QStringLiteral("CURITIBA"));
        Session::values().CompanyCode = 2;
        ScriptedMessages messages;
        QMdiArea area;
        Table &t = fx.global->TbEmp;
        QVERIFY(t.locate(QStringLiteral("cod_emp"), {50}));
        TFPreview *preview = Listings::fListagem_Emp(t, &area);
        QVERIFY(preview);
        QVERIFY(messages.shown().isEmpty());
        QCOMPARE(t.asInt(QStringLiteral("cod_emp")), 50);
        QCOMPARE(area.subWindowList().size(), 1);
        QVERIFY(area.subWindowList().first()->isMaximized());
        preview->viewer()->updatePreview();
        QVERIFY(preview->pageCount() > 1);
    }

    void reportCarriesTitleCompanyAndRows()
    {
        RegisterTestInstallation fx;
        QVERIFY(fx.start());
        fx.addCompany(3, QStringLiteral("TERCEIRA"), QStringLiteral("LONDRINA"));
        fx.addCompany(1, QStringLiteral("PRIMEIRA"), QStringLiteral("MARINGA"));
        Table &t = fx.global->TbEmp;
        t.setIndexFieldNames(QStringLiteral("nom_emp"));
        ListingReport report(QStringLiteral("Empresas"), QStringLiteral("Relação de Empresas"), QStringLiteral("001 - PRIMEIRA"),
                             QDate(2026, 3, 9),
                             {{QStringLiteral("cod_emp"), QStringLiteral("Código"), 1},
                              {QStringLiteral("cid_emp"), QStringLiteral("Cidade"), 3}});
        report.readRows(t);
        QCOMPARE(report.rows(), (QList<QStringList>{{QStringLiteral("001"), QStringLiteral("MARINGA")},
                                                     {QStringLiteral("003"), QStringLiteral("LONDRINA")}}));
        QTemporaryDir dir;
        QPrinter pdf(QPrinter::HighResolution);
        pdf.setOutputFormat(QPrinter::PdfFormat);
        pdf.setOutputFileName(dir.path() + QStringLiteral("/lista.pdf"));
        report.paint(&pdf);
        QCOMPARE(report.pagesPainted(), 1);
        QVERIFY(QFileInfo(dir.path() + QStringLiteral("/lista.pdf")).size() > 0);
    }
};

REMETIX_TEST(ListingTest)
#include "ListingTest.moc"
