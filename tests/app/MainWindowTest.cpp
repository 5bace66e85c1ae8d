#include "AppFixture.h"

#include "access/UniPer.h"
#include "app/AppLifetime.h"
#include "app/Background.h"
#include "app/UniDesligar.h"
#include "app/UniPri.h"
#include "app/UniTrava.h"
#include "companies/UniEmp.h"
#include "framework/KeyHook.h"
#include "framework/Session.h"
#include "framework/SoundPlayer.h"
#include "framework/SystemPower.h"
#include "storage/Table.h"
#include "testsupport/TestMain.h"
#include "utilities/ProgramVersion.h"
#include "utilities/UniFrase.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

namespace {

class RecordingSounds : public SoundPlayer
{
public:
    RecordingSounds() : seam_(*this) {}
    void play(const QString &file) override { played << file; }
    QStringList played;

private:
    ScopedSeam<SoundPlayer> seam_;
};

class RecordingPower : public SystemPower
{
public:
    RecordingPower() : seam_(*this) {}
    bool restart() override { calls << QStringLiteral("restart"); return true; }
    bool shutdown() override { calls << QStringLiteral("shutdown"); return true; }
    QStringList calls;

private:
    ScopedSeam<SystemPower> seam_;
};

QWidget *namedWindow(const QString &name)
{
    auto *w = new QWidget;
    w->setObjectName(name);
    return w;
}

void noPhrase(AppFixture &f) { f.setOperatorFields(QStringLiteral("MASTER"), {{QStringLiteral("frs_opr"), QStringLiteral("N")}}); }

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void versionText_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("text");
        QTest::newRow("4.3.4") << QStringLiteral("4.3.4") << QStringLiteral("04.0304");
        QTest::newRow("two digits") << QStringLiteral("12.10.0") << QStringLiteral("12.1000");
        QTest::newRow("build left out") << QStringLiteral("1.2.3.456") << QStringLiteral("01.0203");
    }
    void versionText()
    {
        QFETCH(QString, version);
        QFETCH(QString, text);
        QCOMPARE(ProgramVersion::text(version), text);
    }

    void toolBarOnTheLeftAndBackToTheTop()
    {
        AppFixture f;
        f.setOperatorFields(QStringLiteral("MASTER"), {{QStringLiteral("bot_opr"), QStringLiteral("L")}, {QStringLiteral("frs_opr"), QStringLiteral("N")}});
        auto entry = f.loggedIn();
        TForPri *main = entry->mainWindow();
        QTRY_COMPARE(main->toolBarArea(main->toolBar()), Qt::LeftToolBarArea);
        QCOMPARE(main->toolBar()->width(), 80);
        QAction *bar = main->action(QStringLiteral("Bot_Arq"));
        QVERIFY(!bar->isChecked());
        bar->trigger();
        QVERIFY(bar->isChecked());
        QCOMPARE(main->toolBarArea(main->toolBar()), Qt::TopToolBarArea);
        QCOMPARE(main->toolBar()->height(), 44);
        Table check;
        check.setDirectory(f.inst.tabelasDir());
        check.setTableName(QStringLiteral("TbOpr"));
        check.open();
        QVERIFY(check.locate(QStringLiteral("nom_opr"), {QStringLiteral("MASTER")}));
        QVERIFY(check.asString(QStringLiteral("bot_opr")).isEmpty());
    }

    void companyDependentCommands_data()
    {
        QTest::addColumn<int>("storedCompany");
        QTest::addColumn<bool>("company");
        QTest::newRow("no working company") << 0 << false;
        QTest::newRow("working company") << 1 << true;
    }
    void companyDependentCommands()
    {
        QFETCH(int, storedCompany);
        QFETCH(bool, company);
        AppFixture f;
        f.addCompany(1, QStringLiteral("EMPRESA UM"));
        f.setOperatorFields(QStringLiteral("MASTER"), {{QStringLiteral("emp_opr"), storedCompany}, {QStringLiteral("frs_opr"), QStringLiteral("N")}});
        auto entry = f.loggedIn();
        TForPri *main = entry->mainWindow();
        for (const char *e : {"CadMen", "EtqMen", "BacArq", "TitArq", "EmpArq", "CalcArq", "OprArq"})
            main->registerWindow(QString::fromLatin1(e), [e] { return namedWindow(QString::fromLatin1(e)); });
        QCOMPARE(Session::values().CompanyDir.isEmpty(), !company);
        QCOMPARE(main->panel(0)->text(), company ? QStringLiteral("001 - EMPRESA UM") : QStringLiteral("Nenhuma empresa selecionada"));
        for (const char *name : {"CadMen", "EtqMen", "BacArq", "TitArq"})
            QVERIFY2(main->action(QString::fromLatin1(name))->isEnabled() == company, name);
        for (const char *name : {"bForCli", "bForEtq", "bForBac"})
            QVERIFY2(main->button(QString::fromLatin1(name))->isEnabled() == company, name);
        for (const char *name : {"bForEmp", "bForCalc", "bForPer", "bForOpr"})
            QVERIFY2(main->button(QString::fromLatin1(name))->isEnabled(), name);
        QVERIFY(main->action(QStringLiteral("ArqMen"))->isEnabled());
        // A command without its window stays disabled whatever the company.
        QVERIFY(!main->button(QStringLiteral("bForCep"))->isEnabled());
        QVERIFY(!main->action(QStringLiteral("ExpOut"))->isEnabled());
    }

    void themeGivesButtonIconsAndTheOpeningSound()
    {
        AppFixture f;
        QDir().mkpath(f.inst.exeDir() + QStringLiteral("bitmaps"));
        QImage red(32, 32, QImage::Format_RGB32);
        red.fill(Qt::red);
        QVERIFY(red.save(f.inst.exeDir() + QStringLiteral("bitmaps/clientes.png")));
        QFile wave(f.inst.exeDir() + QStringLiteral("bitmaps/Abertura.wav"));
        QVERIFY(wave.open(QIODevice::WriteOnly));
        wave.close();
        const QString theme = f.inst.root() + QStringLiteral("verde.tat");
        QFile themeFile(theme);
        QVERIFY(themeFile.open(QIODevice::WriteOnly));
        themeFile.write("[Icones]\r\nForCli=clientes.png\r\nForEtq=nao-existe.png\r\n[Geral]\r\nabertura=abertura.wav\r\nsaida=saida.wav\r\n");
        themeFile.close();
        f.setOperatorFields(QStringLiteral("MASTER"), {{QStringLiteral("frs_opr"), QStringLiteral("N")}, {QStringLiteral("tem_opr"), theme},
                                                       {QStringLiteral("cit_opr"), QStringLiteral("S")}, {QStringLiteral("cst_opr"), QStringLiteral("S")}});
        RecordingSounds sounds;
        auto entry = f.loggedIn();
        TForPri *main = entry->mainWindow();
        QTRY_COMPARE(sounds.played.size(), 1);
        QVERIFY(sounds.played.first().endsWith(QStringLiteral("bitmaps/Abertura.wav")));
        const auto centre = [&](const char *button) {
            return main->button(QString::fromLatin1(button))->icon().pixmap(32, 32).toImage().pixelColor(16, 16);
        };
        QCOMPARE(centre("bForCli"), QColor(Qt::red));
        QVERIFY(centre("bForEtq") != QColor(Qt::red));
        // Without its file the closing sound stays silent.
        auto leave = ModalDriver::when<TForDesligar>([](TForDesligar *d) { d->BtOk->click(); });
        main->close();
        QVERIFY(leave->seen());
        QCOMPARE(sounds.played.size(), 1);
    }

    void companyAboveTheOperatorsLevelLeavesOnlyTaggedCommands()
    {
        AppFixture f;
        f.addCompany(1, QStringLiteral("RESTRITA"), 1);
        f.addOperator(2, QStringLiteral("JOSE"), QStringLiteral("JJ"), 5);
        f.setOperatorFields(QStringLiteral("JOSE"), {{QStringLiteral("emp_opr"), 1}});
        auto entry = f.start();
        TForPri *main = entry->mainWindow();
        for (const char *e : {"CadMen", "EmpArq", "CalcArq"})
            main->registerWindow(QString::fromLatin1(e), [e] { return namedWindow(QString::fromLatin1(e)); });
        AppFixture::login(*entry, QStringLiteral("JOSE"), QStringLiteral("JJ"));
        QVERIFY(main->isVisible());
        QVERIFY(f.messages.texts().contains(QStringLiteral("Operador com Nível não permitido para acessar esta empresa, Selecione outra empresa!")));
        QVERIFY(!main->action(QStringLiteral("CadMen"))->isEnabled());
        QVERIFY(main->action(QStringLiteral("ArqMen"))->isEnabled());
        QVERIFY(main->button(QStringLiteral("bForEmp"))->isEnabled());
        QVERIFY(main->button(QStringLiteral("bForCalc"))->isEnabled());
        QVERIFY(!main->button(QStringLiteral("bForCli"))->isEnabled());
        QVERIFY(!main->button(QStringLiteral("bForPer"))->isEnabled());
    }

    void hidingTheToolBarIsStored()
    {
        AppFixture f;
        noPhrase(f);
        auto entry = f.loggedIn();
        TForPri *main = entry->mainWindow();
        QAction *bar = main->action(QStringLiteral("Bot_Arq"));
        QVERIFY(bar->isChecked());
        bar->trigger();
        QVERIFY(!main->toolBar()->isVisible());
        Table check;
        check.setDirectory(f.inst.tabelasDir());
        check.setTableName(QStringLiteral("TbOpr"));
        check.open();
        QVERIFY(check.locate(QStringLiteral("nom_opr"), {QStringLiteral("MASTER")}));
        QCOMPARE(check.asString(QStringLiteral("bot_opr")), QStringLiteral("N"));

        QAction *phrase = main->action(QStringLiteral("Fra_Arq"));
        QVERIFY(!phrase->isChecked());
        phrase->trigger();
        check.refresh();
        QVERIFY(check.asString(QStringLiteral("frs_opr")).isEmpty());
        phrase->trigger();
        check.refresh();
        QCOMPARE(check.asString(QStringLiteral("frs_opr")), QStringLiteral("N"));
    }

    void hooksLentToOutsideCode()
    {
        AppFixture f;
        noPhrase(f);
        auto entry = f.loggedIn();
        TForPri *main = entry->mainWindow();
        QVERIFY(KeyHook::active());
        main->detachHooks();
        QVERIFY(!KeyHook::active());
        int dialogs = 0;
        auto driver = ModalDriver::when<TForDesligar>([&](TForDesligar *d) {
            ++dialogs;
            d->BtCancelar->click();
        });
        QTest::keyClick(main, Qt::Key_Escape);
        QTest::qWait(50);
        QCOMPARE(dialogs, 0);
        main->attachHooks();
        QTest::keyClick(main, Qt::Key_Escape);
        QTRY_COMPARE(dialogs, 1);
    }

    void companiesEntryOpensOneCompanyRegister()
    {
        AppFixture f;
        noPhrase(f);
        auto entry = f.loggedIn();
        TForPri *main = entry->mainWindow();
        QVERIFY(main->action(QStringLiteral("EmpArq"))->isEnabled());
        main->action(QStringLiteral("EmpArq"))->trigger();
        main->action(QStringLiteral("EmpArq"))->trigger();
        QCOMPARE(main->area()->subWindowList().size(), 1);
        QVERIFY(qobject_cast<TForEmp *>(main->area()->subWindowList().first()->widget()));
    }

    void escapeWithoutChildrenAsksToLeaveAndCancelKeepsTheSession()
    {
        AppFixture f;
        noPhrase(f);
        auto entry = f.loggedIn();
        TForPri *main = entry->mainWindow();
        QVERIFY(!main->action(QStringLiteral("JanArq"))->isEnabled());
        main->action(QStringLiteral("Cld_Arq"))->trigger();
        QCOMPARE(main->area()->subWindowList().size(), 1);
        QVERIFY(main->action(QStringLiteral("JanArq"))->isEnabled());
        int dialogs = 0;
        auto unexpected = ModalDriver::when<TForDesligar>([&](TForDesligar *d) {
            ++dialogs;
            d->BtCancelar->click();
        });
        // With a child open Esc belongs to the child: the calendar closes.
        QTest::keyClick(main->area()->subWindowList().first()->widget(), Qt::Key_Escape);
        QTRY_VERIFY(main->area()->subWindowList().isEmpty());
        QTest::qWait(50);
        QCOMPARE(dialogs, 0);
        unexpected.reset();

        auto cancel = ModalDriver::when<TForDesligar>([&](TForDesligar *d) {
            ++dialogs;
            QTest::keyClick(d->Rd_Desligar->button(0), Qt::Key_Escape);
        });
        QTest::keyClick(main, Qt::Key_Escape);
        QTRY_VERIFY(cancel->seen());
        QCOMPARE(dialogs, 1);
        QVERIFY(main->isVisible());
        QCOMPARE(main->exitChoice(), QStringLiteral("N"));
        QVERIFY(f.presenceExists(1));
        QVERIFY(QFile::exists(f.markerPath()));
        QVERIFY(!AppLifetime::endRequested());
    }

    void confirmedExitLogsOutAndRemovesTheMarker_data()
    {
        QTest::addColumn<int>("downs");
        QTest::addColumn<QString>("choice");
        QTest::addColumn<QStringList>("power");
        QTest::newRow("leave") << 0 << QStringLiteral("S") << QStringList();
        QTest::newRow("restart") << 1 << QStringLiteral("R") << QStringList{QStringLiteral("restart")};
        QTest::newRow("shut down") << 2 << QStringLiteral("D") << QStringList{QStringLiteral("shutdown")};
    }
    void confirmedExitLogsOutAndRemovesTheMarker()
    {
        QFETCH(int, downs);
        QFETCH(QString, choice);
        QFETCH(QStringList, power);
        AppFixture f;
        noPhrase(f);
        RecordingPower recorded;
        auto entry = f.loggedIn();
        TForPri *main = entry->mainWindow();
        QVERIFY(f.presenceExists(1));
        bool loggedOutFirst = false;
        auto driver = ModalDriver::when<TForDesligar>([&](TForDesligar *) {
            for (int i = 0; i < downs; ++i)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
            // Tab acts as "&Ok" here.
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            loggedOutFirst = !f.presenceExists(1) && recorded.calls.isEmpty();
        });
        main->action(QStringLiteral("Sair1"))->trigger();
        QVERIFY(driver->seen());
        QCOMPARE(main->exitChoice(), choice);
        QVERIFY(loggedOutFirst);
        QVERIFY(!f.presenceExists(1));
        QVERIFY(!QFile::exists(f.markerPath()));
        QVERIFY(AppLifetime::endRequested());
        QCOMPARE(recorded.calls, power);
        QVERIFY(!main->isVisible());
    }

    void phraseOfTheDayOpensOnceWhenTheOperatorWantsIt()
    {
        AppFixture f;
        int shown = 0;
        auto driver = ModalDriver::when<TForFrase>([&](TForFrase *w) {
            ++shown;
            w->Bot_Sair->click();
        });
        auto entry = f.loggedIn();
        QTRY_VERIFY(driver->seen());
        TForPri *main = entry->mainWindow();
        QVERIFY(main->action(QStringLiteral("Fra_Arq"))->isChecked());
        main->FormActivate();
        QTest::qWait(50);
        QCOMPARE(shown, 1);
    }

    void lockingWindowWritesTheSetting()
    {
        AppFixture f;
        noPhrase(f);
        auto entry = f.loggedIn();
        TForPri *main = entry->mainWindow();
        main->action(QStringLiteral("Trv_con"))->trigger();
        auto *trava = qobject_cast<TForTrava *>(main->area()->subWindowList().first()->widget());
        QVERIFY(trava);
        QVERIFY(!trava->Cb_Travamento->isChecked());
        // A second request brings the same window forward.
        main->action(QStringLiteral("Trv_con"))->trigger();
        QCOMPARE(main->area()->subWindowList().size(), 1);
        trava->Cb_Travamento->setChecked(true);
        trava->BtOk->click();
        QVERIFY(Session::values().LockingActive);
        QVERIFY(f.inst.readConfig().contains("TRAVAMENTO=ATIVO"));
        QVERIFY(f.inst.readConfig().contains("LOCAL="));
        QTRY_VERIFY(main->area()->subWindowList().isEmpty());
    }

    void background_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("style");
        QTest::addColumn<QString>("image");
        QTest::addColumn<int>("brushStyle");
        QTest::addColumn<QColor>("topLeft");
        QTest::newRow("solid default") << QStringLiteral("Cor sólida") << QString() << QString() << int(Qt::SolidPattern) << QColor(0, 0, 255);
        QTest::newRow("solid transparent") << QStringLiteral("Cor sólida") << QStringLiteral("Transparente") << QString() << int(Qt::NoBrush) << QColor();
        QTest::newRow("unknown pattern") << QStringLiteral("Cor sólida") << QStringLiteral("Xadrez") << QString() << int(Qt::SolidPattern) << QColor(0, 0, 255);
        QTest::newRow("gradient vertical") << QStringLiteral("Degradê") << QString() << QString() << int(Qt::TexturePattern) << QColor(0, 0, 255);
        QTest::newRow("gradient from bottom right") << QStringLiteral("Degradê") << QStringLiteral("Inferior Direito") << QString()
                                                    << int(Qt::TexturePattern) << QColor(0, 0, 0);
        QTest::newRow("missing image") << QStringLiteral("Imagem") << QString() << QStringLiteral("/nao/existe.png") << int(Qt::NoBrush) << QColor();
        QTest::newRow("none") << QString() << QString() << QString() << int(Qt::NoBrush) << QColor();
    }
    void background()
    {
        QFETCH(QString, kind);
        QFETCH(QString, style);
        QFETCH(QString, image);
        QFETCH(int, brushStyle);
        QFETCH(QColor, topLeft);
        Background::Look look;
        look.tpf = kind;
        look.esl = look.esd = style;
        look.ima = image;
        const QBrush brush = Background::brush(look, QSize(64, 48));
        QCOMPARE(int(brush.style()), brushStyle);
        if (brush.style() == Qt::SolidPattern)
            QCOMPARE(brush.color(), topLeft);
        if (brush.style() == Qt::TexturePattern) {
            const QImage picture = brush.textureImage();
            QCOMPARE(picture.size(), QSize(64, 48));
            const QColor corner = picture.pixelColor(0, 0);
            // The first pixel is sampled at its centre, a step into the gradient.
            QVERIFY(qAbs(corner.red() - topLeft.red()) + qAbs(corner.green() - topLeft.green()) + qAbs(corner.blue() - topLeft.blue()) <= 8);
        }
    }

    void hatchPatternsAndPictureModes()
    {
        QCOMPARE(Background::solidPattern(QStringLiteral("Diagonal Esquerda")), Qt::FDiagPattern);
        QCOMPARE(Background::solidPattern(QStringLiteral("Cruz Diagonal")), Qt::DiagCrossPattern);
        QTemporaryDir dir;
        QImage red(10, 10, QImage::Format_RGB32);
        red.fill(Qt::red);
        const QString file = dir.filePath(QStringLiteral("fundo.png"));
        QVERIFY(red.save(file));
        Background::Look look;
        look.tpf = QStringLiteral("Imagem");
        look.ima = file;
        look.eim = QStringLiteral("Centralizado");
        const QImage centred = Background::brush(look, QSize(30, 30)).textureImage();
        QCOMPARE(centred.pixelColor(0, 0), QColor(Qt::white));
        QCOMPARE(centred.pixelColor(15, 15), QColor(Qt::red));
        look.eim = QString();
        QCOMPARE(Background::brush(look, QSize(30, 30)).textureImage().size(), QSize(10, 10));
    }
};

REMETIX_TEST(MainWindowTest)
#include "MainWindowTest.moc"
