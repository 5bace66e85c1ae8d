#include "CompanyFixture.h"

#include "companies/CompanyRegister.h"
#include "companies/UniEmp.h"
#include "framework/DataDictionary.h"
#include "framework/RegisterServices.h"
#include "framework/Session.h"
#include "framework/UniTabEmpresa.h"
#include "storage/Table.h"
#include "testsupport/ScriptedMessages.h"
#include "testsupport/TestMain.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <memory>

namespace {

class ScriptedSelection : public SelectionDialog
{
public:
    ScriptedSelection() : seam_(*this) {}
    QVariantList select(const QString &caption, Table &, const QStringList &fields, const QStringList &titles, bool,
                        const QString &key) override
    {
        asked << caption + QLatin1Char('|') + fields.join(QLatin1Char(',')) + QLatin1Char('|') + titles.join(QLatin1Char(','))
                + QLatin1Char('|') + key;
        return answer;
    }
    QStringList asked;
    QVariantList answer;

private:
    ScopedSeam<SelectionDialog> seam_;
};

} // namespace

class CompanyRegisterTest : public QObject
{
    Q_OBJECT
    std::unique_ptr<CompanyFixture> fx;
    std::unique_ptr<TForEmp> window;

    TForEmp &open()
    {
        window = std::make_unique<TForEmp>();
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        window->show();
        window->activateWindow();
        QApplication::setActiveWindow(window.get());
        return *window;
    }
    QLineEdit *edit(const char *name) { return window->findChild<QLineEdit *>(QString::fromLatin1(name)); }
    QComboBox *combo(const char *name) { return window->findChild<QComboBox *>(QString::fromLatin1(name)); }
    void click(const char *name) { window->button(QString::fromLatin1(name))->click(); }
    // Leaves the box the way the checks listen to: with Enter.
    void enterIn(const char *name, const QString &text)
    {
        QLineEdit *e = edit(name);
        e->setFocus();
        e->setText(text);
        QTest::keyClick(e, Qt::Key_Return);
    }
    QString focused() const
    {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    }
    // Positions the register on code and starts a change.
    void change(int code)
    {
        Table &t = fx->global().TbEmp;
        QVERIFY(t.locate(QStringLiteral("cod_emp"), {code}));
        click("BtEmp2");
        QCOMPARE(window->mode(), RegisterWindow::Mode::Change);
    }

private slots:
    void init()
    {
        fx = std::make_unique<CompanyFixture>();
        QVERIFY(fx->start());
    }
    void cleanup()
    {
        window.reset();
        fx.reset();
    }

    void codeBoxRefusesBadAndTakenCodes_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("message");
        QTest::newRow("zero") << "0" << QString::fromUtf8("Código inválido!");
        QTest::newRow("letters") << "AB" << QString::fromUtf8("Código inválido!");
        QTest::newRow("taken") << "3" << QString::fromUtf8("Código já cadastrado!");
        QTest::newRow("free") << "4" << QString();
    }
    void codeBoxRefusesBadAndTakenCodes()
    {
        QFETCH(QString, code);
        QFETCH(QString, message);
        fx->addCompany(3, QStringLiteral("TRES"));
        ScriptedMessages messages;
        open();
        click("BtEmp1");
        QCOMPARE(window->pages()->currentWidget(), window->fichaPage());
        QCOMPARE(focused(), QStringLiteral("Ed_Codigo"));
        enterIn("Ed_Codigo", code);
        QCOMPARE(messages.lastText(), message);
        QCOMPARE(focused(), message.isEmpty() ? QStringLiteral("Ed_Nome") : QStringLiteral("Ed_Codigo"));
    }

    void newCompanyGetsItsDirectoryAndDefaults()
    {
        ScriptedMessages messages;
        open();
        click("BtEmp1");
        enterIn("Ed_Codigo", QStringLiteral("5"));
        edit("Ed_Nome")->setText(QStringLiteral("acme ltda"));
        window->findChild<QPlainTextEdit *>(QStringLiteral("Ed_Obs"))->setPlainText(QStringLiteral("linha 1\nlinha 2"));
        edit("Ed_Cgc")->setText(QStringLiteral("11222333000181"));
        click("BtEmp6");
        QVERIFY2(messages.shown().isEmpty(), qPrintable(messages.texts().join(QLatin1Char('|'))));
        QVERIFY(QFileInfo(fx->companyDir(5)).isDir());
        QCOMPARE(fx->stored(5, QStringLiteral("nom_emp")).toString(), QStringLiteral("ACME LTDA"));
        QCOMPARE(fx->stored(5, QStringLiteral("puloli_emp")).toString(), QStringLiteral("1/8"));
        QCOMPARE(fx->stored(5, QStringLiteral("obs_emp")).toString(), QStringLiteral("linha 1\nlinha 2"));
        QCOMPARE(fx->stored(5, QStringLiteral("cgc_emp")).toString(), QStringLiteral("11.222.333/0001-81"));
        QVERIFY(fx->stored(5, QStringLiteral("cep_emp")).toString().isEmpty());
        QVERIFY(fx->stored(5, QStringLiteral("djc_emp")).isNull());
        QCOMPARE(fx->stored(5, QStringLiteral("fxa_emp")).toDouble(), 0.0);
        const QString cfg = fx->stored(5, QStringLiteral("cfg_emp")).toString();
        QCOMPARE(cfg.size(), 87);
        QCOMPARE(cfg.left(7), QStringLiteral("NNNNSSS"));
        QCOMPARE(cfg.mid(21, 1), QStringLiteral("B"));
        // Ready for the next company.
        QCOMPARE(window->mode(), RegisterWindow::Mode::Insert);
        QVERIFY(edit("Ed_Codigo")->isEnabled());
        QVERIFY(edit("Ed_Codigo")->text().isEmpty());
        QCOMPARE(focused(), QStringLiteral("Ed_Codigo"));
        QCOMPARE(fx->global().TbEmp.indexFieldNames(), QStringLiteral("nom_emp"));

        // The same code again, typed past the box: refused at "&Ok".
        edit("Ed_Codigo")->setText(QStringLiteral("5"));
        edit("Ed_Nome")->setText(QStringLiteral("OUTRA"));
        click("BtEmp6");
        QCOMPARE(messages.lastText(), QString::fromUtf8("Código já cadastrado!"));
        QCOMPARE(fx->stored(5, QStringLiteral("nom_emp")).toString(), QStringLiteral("ACME LTDA"));
    }

    void nameIsRequiredAndFichaCannotBeLeftWithout()
    {
        ScriptedMessages messages;
        open();
        click("BtEmp1");
        enterIn("Ed_Codigo", QStringLiteral("8"));
        window->pages()->setCurrentIndex(0);
        QCOMPARE(messages.lastText(), QString::fromUtf8("Nome da empresa é obrigatório!"));
        QCOMPARE(window->pages()->currentWidget(), window->fichaPage());
        edit("Ed_Nome")->setText(QStringLiteral("OITO"));
        window->pages()->setCurrentIndex(2);
        QCOMPARE(window->pages()->currentIndex(), 2);
    }

    void headOfficeAndCentralRefusals_data()
    {
        QTest::addColumn<int>("company");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("own head office") << 4 << "Ed_Matriz" << "4"
                                         << QString::fromUtf8("Não é possível informar a própria empresa como sua matriz!");
        QTest::newRow("branch as head office")
            << 4 << "Ed_Matriz" << "2"
            << QString::fromUtf8("A empresa informada é filial de outra empresa e\r\nportanto não pode ser indicada como matriz!");
        QTest::newRow("own central by name") << 4 << "Ed_Central" << "QUA"
                                             << QString::fromUtf8("Não é possível informar a própria empresa como sua centralizadora!");
        QTest::newRow("centralised as central")
            << 4 << "Ed_Central" << "3"
            << QString::fromUtf8("A empresa informada já está centralizando seus cadastros\r\nem outra empresa e portanto não pode ser indicada como Central!");
        QTest::newRow("unknown") << 4 << "Ed_Matriz" << "99" << QString::fromUtf8("Empresa não encontrada!");
        QTest::newRow("head office by name") << 4 << "Ed_Matriz" << "UM" << QString();
    }
    void headOfficeAndCentralRefusals()
    {
        QFETCH(int, company);
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(QString, message);
        fx->addCompany(1, QStringLiteral("UM"));
        fx->addCompany(2, QStringLiteral("DOIS"), 1);
        fx->addCompany(3, QStringLiteral("TRES"), 0, 1);
        fx->addCompany(4, QStringLiteral("QUATRO"));
        ScriptedMessages messages;
        open();
        change(company);
        enterIn(box.toLatin1().constData(), text);
        QCOMPARE(messages.lastText(), message);
        QCOMPARE(fx->global().TbEmp.asInt(QStringLiteral("cod_emp")), company);
        if (message.isEmpty()) {
            QCOMPARE(edit("Ed_Matriz")->text(), QStringLiteral("UM"));
            click("BtEmp6");
            QCOMPARE(fx->stored(4, QStringLiteral("mat_emp")).toInt(), 1);
        } else {
            QCOMPARE(focused(), box);
        }
    }

    void boxesOfCentralAndHeadOfficeFollowTheRecord()
    {
        fx->addCompany(1, QStringLiteral("UM"));
        fx->addCompany(2, QStringLiteral("DOIS"), 1, 1);
        ScriptedMessages messages;
        open();
        change(2);
        QVERIFY(!edit("Ed_Central")->isEnabled());
        QVERIFY(edit("Ed_Matriz")->isEnabled());
        QCOMPARE(edit("Ed_Central")->text(), QStringLiteral("UM"));
        click("BtEmp8");
        change(1);
        QVERIFY(edit("Ed_Central")->isEnabled());
        QVERIFY(!edit("Ed_Matriz")->isEnabled());
        QVERIFY(!edit("Ed_Codigo")->isEnabled());
        // Abandoning gives the record's claim back.
        QCOMPARE(fx->stored(1, QStringLiteral("ass_opr")).toInt(), 1);
        click("BtEmp8");
        QCOMPARE(fx->stored(1, QStringLiteral("ass_opr")).toInt(), 0);
        QCOMPARE(window->mode(), RegisterWindow::Mode::Browse);
        QCOMPARE(window->pages()->currentWidget(), window->tablePage());
    }

    void accountantAndLevelLookups()
    {
        fx->addCompany(1, QStringLiteral("UM"));
        Table &ctd = fx->global().TbCtd;
        ScriptedMessages messages;
        ScriptedSelection selection;
        open();
        QVERIFY(ctd.isOpen());
        ctd.append();
        ctd.setValue(QStringLiteral("cod_ctd"), 40);
        ctd.setValue(QStringLiteral("nom_ctd"), QStringLiteral("MARIA"));
        ctd.post();
        change(1);
        enterIn("Ed_Contabilista", QStringLiteral("40"));
        QCOMPARE(edit("Ed_Contabilista")->text(), QStringLiteral("MARIA"));
        QVERIFY(selection.asked.isEmpty());
        selection.answer = {40};
        enterIn("Ed_Contabilista", QStringLiteral("JOSE"));
        QCOMPARE(selection.asked, QStringList{QString::fromUtf8("Pesquisa de Contadores|cod_ctd,nom_ctd|Código,Nome|cod_ctd")});
        QCOMPARE(edit("Ed_Contabilista")->text(), QStringLiteral("MARIA"));
        enterIn("Ed_Nivel", QStringLiteral("77"));
        QCOMPARE(messages.lastText(), QString::fromUtf8("Nivel não encontrado!"));
        QCOMPARE(focused(), QStringLiteral("Ed_Nivel"));
        messages.clear();
        enterIn("Ed_Nivel", QStringLiteral("0"));
        QVERIFY(messages.shown().isEmpty());
        click("BtEmp6");
        QCOMPARE(fx->stored(1, QStringLiteral("ctd_emp")).toInt(), 40);
    }

    void nonTaxpayerWithoutIssqnIsRefused()
    {
        ScriptedMessages messages;
        open();
        click("BtEmp1");
        enterIn("Ed_Codigo", QStringLiteral("6"));
        edit("Ed_Nome")->setText(QStringLiteral("SEIS"));
        QComboBox *type = combo("cbTipoEmpresa");
        type->setCurrentIndex(type->findText(QString::fromUtf8("Não Contribuinte")));
        window->cbTipoEmpresaExit();
        QCOMPARE(combo("Cb_IPI")->currentText(), QString::fromUtf8("Não contribuinte"));
        QCOMPARE(combo("Cb_ISSQN")->currentText(), QStringLiteral("Contribuinte"));
        QVERIFY(!edit("Ed_AliqICMS")->isEnabled());
        QCOMPARE(edit("Ed_AliqICMS")->text(), QStringLiteral("0"));
        combo("Cb_ISSQN")->setCurrentIndex(1);
        QVERIFY(!edit("Ed_AliqISSQN")->isEnabled());
        click("BtEmp6");
        QCOMPARE(messages.lastText(), QString::fromUtf8("Não é possível cadastrar empresa sem informar a modalidade\r\n"
                                                        "junto ao estado ou município!"));
        QCOMPARE(window->pages()->tabText(window->pages()->currentIndex()), QStringLiteral("Complemento"));
        QVERIFY(!fx->companyExists(6));
        combo("Cb_ISSQN")->setCurrentIndex(0);
        click("BtEmp6");
        QCOMPARE(fx->stored(6, QStringLiteral("tip_emp")).toString(), QStringLiteral("0"));
        QCOMPARE(fx->stored(6, QStringLiteral("cfg_emp")).toString().mid(4, 2), QStringLiteral("SN"));
    }

    void deleteRefusesWorkingAndCentralCompanies()
    {
        fx->addCompany(1, QStringLiteral("UM"));
        fx->addCompany(2, QStringLiteral("DOIS"), 0, 1);
        QVERIFY(fx->work(2));
        ScriptedMessages messages;
        open();
        QVERIFY(fx->global().TbEmp.locate(QStringLiteral("cod_emp"), {2}));
        click("BtEmp3");
        QCOMPARE(messages.lastText(), QString::fromUtf8("Impossível excluir a empresa em uso!"));
        QVERIFY(fx->global().TbEmp.locate(QStringLiteral("cod_emp"), {1}));
        click("BtEmp3");
        QCOMPARE(messages.lastText(), QString::fromUtf8("Esta empresa está apontada como empresa central de outra.\r\n"
                                                        "Exclusão impossível!"));
        QCOMPARE(messages.shown().last().icon, MsgIcon::Information);
        QVERIFY(fx->companyExists(1) && fx->companyExists(2));
    }

    void deleteUnlinksOperatorsAndRemovesDirectoryAndStructures()
    {
        fx->addCompany(7, QStringLiteral("SETE"));
        fx->addCompany(70, QStringLiteral("SETENTA"));
        QVERIFY(fx->work(7));
        QVERIFY(fx->work(70));
        // MASTER last worked on 7, remembered in its record.
        Table &opr = fx->global().TbOpr;
        QVERIFY(opr.locate(QStringLiteral("nom_opr"), {QStringLiteral("MASTER")}));
        opr.edit();
        opr.setValue(QStringLiteral("emp_opr"), 7);
        opr.post();
        const QString dir = fx->companyDir(7);
        QVERIFY(QFileInfo::exists(dir + QStringLiteral("/TbCli.db")));
        Table &ver = fx->global().TbVerEstru;
        ver.refresh();
        const QString key7 = DataDictionary::verifiedKey(dir, QStringLiteral("TbCli"));
        const QString key70 = DataDictionary::verifiedKey(fx->companyDir(70), QStringLiteral("TbCli"));
        QVERIFY(ver.locate(QStringLiteral("tab_est"), {key7}));
        QVERIFY(ver.locate(QStringLiteral("tab_est"), {key70}));

        ScriptedMessages messages;
        messages.answer(MsgAnswer::Yes);
        open();
        QVERIFY(fx->global().TbEmp.locate(QStringLiteral("cod_emp"), {7}));
        click("BtEmp3");
        QCOMPARE(messages.texts(), QStringList{QStringLiteral("Deseja realmente excluir a empresa?")});
        QVERIFY(!fx->companyExists(7));
        QVERIFY(!QFileInfo::exists(dir));
        opr.refresh();
        QVERIFY(opr.locate(QStringLiteral("nom_opr"), {QStringLiteral("MASTER")}));
        QCOMPARE(opr.asInt(QStringLiteral("emp_opr")), 0);
        ver.refresh();
        QVERIFY(!ver.locate(QStringLiteral("tab_est"), {key7}));
        QVERIFY(ver.locate(QStringLiteral("tab_est"), {key70}));
        QVERIFY(fx->companyExists(70));
        QCOMPARE(window->pages()->currentWidget(), window->tablePage());
    }

    // Nothing of the company goes while part of its data would stay behind.
    void deleteKeepsTheCompanyWhenItsDirectoryCannotBeEmptied()
    {
        fx->addCompany(8, QStringLiteral("OITO"));
        const QString dir = fx->companyDir(8);
        QVERIFY(QDir().mkpath(dir + QStringLiteral("/Anexos")));
        QFile data(dir + QStringLiteral("/Dados.txt"));
        QVERIFY(data.open(QIODevice::WriteOnly));
        data.write("x");
        data.close();
        ScriptedMessages messages;
        messages.answer(MsgAnswer::Yes);
        open();
        QVERIFY(fx->global().TbEmp.locate(QStringLiteral("cod_emp"), {8}));
        click("BtEmp3");
        QCOMPARE(messages.lastText(), QString::fromUtf8("Não foi possível apagar arquivo Anexos"));
        QVERIFY(fx->companyExists(8));
        QVERIFY(QFileInfo::exists(dir + QStringLiteral("/Dados.txt")));
    }

    void changeRefusedWhileAnotherOperatorWorksOnTheCompany()
    {
        fx->addCompany(1, QStringLiteral("UM"));
        Table &opr = fx->global().TbOpr;
        opr.append();
        opr.setValue(QStringLiteral("cod_opr"), 2);
        opr.setValue(QStringLiteral("nom_opr"), QStringLiteral("JOANA"));
        opr.setValue(QStringLiteral("emp_opr"), 1);
        opr.post();
        // Her running copy holds its presence record in edit.
        Table presence;
        presence.setDirectory(fx->installation().tabelasDir());
        presence.setTableName(QStringLiteral("TbOprLog"));
        presence.open();
        presence.append();
        presence.setValue(QStringLiteral("cod_opr"), 2);
        presence.setValue(QStringLiteral("sis_opr"), QStringLiteral("RX"));
        presence.post();
        presence.edit();
        ScriptedMessages messages;
        open();
        QVERIFY(fx->global().TbEmp.locate(QStringLiteral("cod_emp"), {1}));
        click("BtEmp2");
        QCOMPARE(messages.lastText(), QString::fromUtf8("Impossível alterar empresa que está em uso por outro operador!"));
        QCOMPARE(window->mode(), RegisterWindow::Mode::Browse);
        presence.cancel();
        click("BtEmp2");
        QCOMPARE(window->mode(), RegisterWindow::Mode::Change);
    }

    void menuEntryOpensOneRegisterAndSelectMakesTheWorkingCompany()
    {
        fx->addCompany(1, QStringLiteral("UM"));
        fx->addCompany(2, QStringLiteral("DOIS"));
        QVERIFY(fx->work(1));
        ScriptedMessages messages;
        QMdiArea area;
        area.show();
        TForEmp *first = openCompanyRegister(&area);
        QVERIFY(first);
        QCOMPARE(openCompanyRegister(&area), first);
        QCOMPARE(area.subWindowList().size(), 1);
        // The register opens on the working company.
        QCOMPARE(fx->global().TbEmp.asInt(QStringLiteral("cod_emp")), 1);
        QPointer<TForEmp> alive(first);
        QVERIFY(fx->global().TbEmp.locate(QStringLiteral("cod_emp"), {2}));
        first->button(QStringLiteral("BtEmp4"))->click();
        QVERIFY2(messages.shown().isEmpty(), qPrintable(messages.texts().join(QLatin1Char('|'))));
        QCOMPARE(Session::values().CompanyCode, 2);
        QTRY_VERIFY(!alive);
        QTRY_COMPARE(area.subWindowList().size(), 0);
    }

    void changingTheWorkingCompanysCentralReopensClientTables()
    {
        fx->addCompany(1, QStringLiteral("UM"));
        fx->addCompany(2, QStringLiteral("DOIS"));
        QVERIFY(fx->work(2));
        QCOMPARE(TTabEmpresa::instance()->TbCli.directory(), fx->companyDir(2) + QLatin1Char('/'));
        ScriptedMessages messages;
        open();
        change(2);
        enterIn("Ed_Central", QStringLiteral("1"));
        QCOMPARE(edit("Ed_Central")->text(), QStringLiteral("UM"));
        click("BtEmp6");
        QVERIFY2(messages.shown().isEmpty(), qPrintable(messages.texts().join(QLatin1Char('|'))));
        QCOMPARE(fx->stored(2, QStringLiteral("cen_emp")).toInt(), 1);
        QCOMPARE(Session::values().CentralDir, fx->companyDir(1));
        QVERIFY(TTabEmpresa::instance());
        QCOMPARE(TTabEmpresa::instance()->TbCli.directory(), fx->companyDir(1) + QLatin1Char('/'));
        QVERIFY(TTabEmpresa::instance()->TbCli.isOpen() || QFileInfo::exists(fx->companyDir(1) + QStringLiteral("/TbCli.db")));
        QCOMPARE(window->mode(), RegisterWindow::Mode::Browse);
        QVERIFY(window->isEnabled());
    }
};

REMETIX_TEST(CompanyRegisterTest)
#include "CompanyRegisterTest.moc"
