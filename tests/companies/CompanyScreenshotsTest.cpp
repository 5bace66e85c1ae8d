#include "CompanyFixture.h"

#include "companies/UniEmp.h"
#include "framework/Listings.h"
#include "framework/Session.h"
#include "framework/UPreview.h"
#include "storage/Table.h"
#include "testsupport/FixedClock.h"
#include "testsupport/ScriptedMessages.h"
#include "testsupport/TestMain.h"

#include <QDir>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrintPreviewWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

// Renders the company register on both pages and the report preview into
// $REMETIX_SCREENSHOTS (a temporary folder without it), as the screenshot
// set of the program shows them.
class CompanyScreenshotsTest : public QObject
{
    Q_OBJECT
    QTemporaryDir scratch;

    QString target() const
    {
        const QString dir = qEnvironmentVariable("REMETIX_SCREENSHOTS");
        return dir.isEmpty() ? scratch.path() : dir;
    }
    static void fill(CompanyFixture &fx)
    {
        const struct
        {
            int code;
            const char *name, *city, *uf, *street, *phone;
        } rows[] = {{1, "DISTRIBUIDORA PARANÁ LTDA", "CURITIBA", "PR", "RUA XV DE NOVEMBRO", "4133221100"},
                    {2, "COMERCIAL LITORAL S/A", "JOINVILLE", "SC", "AV. BEIRA MAR", "4734556677"},
                    {3, "MALHARIA SERRA GAÚCHA", "CAXIAS DO SUL", "RS", "RUA SINIMBU", "5432218899"},
                    {4, "PAPELARIA CENTRAL ME", "LONDRINA", "PR", "AV. HIGIENÓPOLIS", "4333445566"}};
        Table &t = fx.global().TbEmp;
        for (const auto &r : rows) {
            fx.addCompany(r.code, QString::fromUtf8(r.name));
            QVERIFY(t.locate(QStringLiteral("cod_emp"), {r.code}));
            t.edit();
            t.setValue(QStringLiteral("cid_emp"), QString::fromUtf8(r.city));
            t.setValue(QStringLiteral("uf_emp"), QString::fromLatin1(r.uf));
            t.setValue(QStringLiteral("end_emp"), QString::fromUtf8(r.street));
            t.setValue(QStringLiteral("nro_emp"), QStringLiteral("1200"));
            t.setValue(QStringLiteral("bai_emp"), QStringLiteral("CENTRO"));
            t.setValue(QStringLiteral("cep_emp"), QStringLiteral("80020-310"));
            t.setValue(QStringLiteral("fon_emp"), QString::fromLatin1(r.phone));
            t.setValue(QStringLiteral("cgc_emp"), QStringLiteral("11.222.333/0001-81"));
            t.post();
        }
    }
    void save(QWidget &w, const QString &name)
    {
        const QString path = target() + QLatin1Char('/') + name + QStringLiteral(".png");
        QVERIFY(w.grab().save(path));
        const QImage image(path);
        QVERIFY(image.width() >= 600 && image.height() >= 400);
    }

private slots:
    void initTestCase() { QVERIFY(QDir().mkpath(target())); }

    void registerAndPreview()
    {
        CompanyFixture fx;
        QVERIFY(fx.start());
        FixedClock clock(QDateTime(QDate(2026, 3, 9), QTime(8, 0)));
        fill(fx);
        QVERIFY(fx.work(1));
        ScriptedMessages messages;
        {
            TForEmp window;
            window.resize(1000, 620);
            window.show();
            QTest::qWait(50);
            save(window, QStringLiteral("TForEmp-Tabela"));
            QVERIFY(fx.global().TbEmp.locate(QStringLiteral("cod_emp"), {1}));
            window.pages()->setCurrentWidget(window.fichaPage());
            QTest::qWait(50);
            save(window, QStringLiteral("TForEmp-Ficha"));
        }
        QMdiArea area;
        area.resize(1000, 700);
        area.show();
        TFPreview *preview = Listings::fListagem_Emp(fx.global().TbEmp, &area);
        QVERIFY(preview);
        preview->viewer()->setZoomFactor(0.75);
        preview->viewer()->updatePreview();
        QTest::qWait(50);
        save(area, QStringLiteral("TFPreview"));
        QVERIFY(messages.shown().isEmpty());
    }
};

REMETIX_TEST(CompanyScreenshotsTest)
#include "CompanyScreenshotsTest.moc"
