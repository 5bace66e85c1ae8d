// remetix-screenshots OUTDIR: renders the program's windows offscreen into
// OUTDIR/<window class>.png (several states as <class>-<state>.png), on a
// throw-away demo installation, so a reviewer can look at them.
#include "access/UniDireito.h"
#include "access/UniPer.h"
#include "app/AppLifetime.h"
#include "app/ProgramEntry.h"
#include "app/UniApr.h"
#include "app/UniDesligar.h"
#include "app/UniLiberar.h"
#include "app/UniPri.h"
#include "app/UniTrava.h"
#include "app/UniVerResult.h"
#include "framework/IntegrityChecker.h"
#include "framework/Messages.h"
#include "framework/UniTabPadroes.h"
#include "framework/WorkingCompany.h"
#include "utilities/UniFrase.h"
#include "utilities/Unisob.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <cstdio>

namespace {

QString g_out;

void settle()
{
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

void save(QWidget *w, const QString &name)
{
    settle();
    const QString file = QDir(g_out).filePath(name + QStringLiteral(".png"));
    if (!w->grab().save(file))
        std::fprintf(stderr, "not written: %s\n", qPrintable(file));
}

template <class W>
void shot(W &window, const QString &name)
{
    window.show();
    save(&window, name);
    window.hide();
}

void setOperator(const QVariantMap &fields)
{
    TTabPadroes *global = TTabPadroes::instance();
    if (!global || !WorkingCompany::LocateSessionOperator())
        return;
    Table &op = global->TbOpr;
    op.edit();
    for (auto it = fields.cbegin(); it != fields.cend(); ++it)
        op.setValue(it.key(), it.value());
    op.post();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Remetix"));
    QApplication::setApplicationVersion(QStringLiteral(REMETIX_VERSION));
    if (app.arguments().size() != 2) {
        std::fprintf(stderr, "usage: remetix-screenshots OUTDIR\n");
        return 2;
    }
    g_out = app.arguments().at(1);
    QDir().mkpath(g_out);

    // Nobody answers boxes here: each takes its default answer.
    StderrMessageService messages;
    ScopedSeam<MessageService> messageSeam(messages);

    QTemporaryDir tmp;
    const QString exeDir = tmp.filePath(QStringLiteral("bin"));
    const QString dataRoot = tmp.filePath(QStringLiteral("dados"));
    QDir().mkpath(exeDir);
    const int built = QProcess::execute(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("remetix-cli")),
                                        {QStringLiteral("--exe-dir"), exeDir, QStringLiteral("init"), QStringLiteral("--demo"),
                                         QStringLiteral("--data-root"), dataRoot});
    if (built != 0) {
        std::fprintf(stderr, "demo installation not built\n");
        return 1;
    }
    QFile config(QDir(exeDir).filePath(QStringLiteral("remetix.ini")));
    if (!config.open(QIODevice::WriteOnly))
        return 1;
    config.write(QByteArrayLiteral("[BD]\r\nLOCAL=") + dataRoot.toUtf8() + QByteArrayLiteral("/\r\n"));
    config.close();

    ProgramEntry entry(QDir(exeDir).filePath(QStringLiteral("remetix")), {});
    if (!entry.start())
        return 1;
    TForApr *apr = entry.openingWindow();
    save(apr, QStringLiteral("TForApr"));
    apr->Barra_Senha->hide();
    apr->showProgress(QStringLiteral("Abrindo Cadastro de operadores"));
    save(apr, QStringLiteral("TForApr-Progresso"));
    apr->showProgress(QString());
    apr->Barra_Senha->show();

    // The phrase of the day opens modally at the first activation.
    QTimer phrase;
    QObject::connect(&phrase, &QTimer::timeout, [&] {
        if (auto *w = qobject_cast<TForFrase *>(QApplication::activeModalWidget())) {
            save(w, QStringLiteral("TForFrase"));
            w->Bot_Prox->click();
            save(w, QStringLiteral("TForFrase-Proxima"));
            w->reject();
            phrase.stop();
        }
    });
    phrase.start(20);
    apr->Ed_Senha->setText(QStringLiteral("ZELNOK"));
    apr->BtSen1->click();
    TForPri *main = entry.mainWindow();
    for (int i = 0; i < 50 && phrase.isActive(); ++i) {
        settle();
        QThread::msleep(20);
    }
    save(main, QStringLiteral("TForPri"));

    main->action(QStringLiteral("Cld_Arq"))->trigger();
    save(main, QStringLiteral("TForPri-Calendario"));
    save(main->area()->activeSubWindow(), QStringLiteral("TForPer"));
    main->area()->closeAllSubWindows();
    main->action(QStringLiteral("Trv_con"))->trigger();
    save(main->area()->activeSubWindow(), QStringLiteral("TForTrava"));
    main->area()->closeAllSubWindows();

    setOperator({{QStringLiteral("tpf_opr"), QStringLiteral("Degradê")}, {QStringLiteral("cid_opr"), QStringLiteral("clNavy")},
                 {QStringLiteral("cfd_opr"), QStringLiteral("clWhite")}, {QStringLiteral("esd_opr"), QStringLiteral("Elipse")}});
    main->applyBackground();
    save(main, QStringLiteral("TForPri-Degrade"));
    setOperator({{QStringLiteral("tpf_opr"), QStringLiteral("Cor sólida")}, {QStringLiteral("csl_opr"), QStringLiteral("clTeal")},
                 {QStringLiteral("esl_opr"), QStringLiteral("Cruz Diagonal")}, {QStringLiteral("bot_opr"), QStringLiteral("L")}});
    main->applyBackground();
    main->applyToolBar();
    save(main, QStringLiteral("TForPri-BarraEsquerda"));

    TForDesligar exitWindow(main);
    shot(exitWindow, QStringLiteral("TForDesligar"));
    TForSob about(main);
    shot(about, QStringLiteral("TForSob"));
    TForDireito override(4, QStringLiteral("CAD_CLI"), main);
    shot(override, QStringLiteral("TForDireito"));
    QFile report(IntegrityChecker::reportPath());
    if (report.open(QIODevice::WriteOnly)) {
        report.write("11/12/26 09:30:00 TbCli.db: índice secundário reconstruído\r\n11/12/26 09:30:01 TbEmp.db: sem erros\r\n");
        report.close();
    }
    auto *result = new TForVerResult(main);
    shot(*result, QStringLiteral("TForVerResult"));
    auto *liberar = new TForLiberar(main);
    shot(*liberar, QStringLiteral("TForLiberar"));
    delete liberar;
    delete result;
    std::printf("%s\n", qPrintable(g_out));
    return 0;
}
