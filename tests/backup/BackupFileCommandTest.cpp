#include "BackupFixture.h"

#include "testsupport/CliRun.h"
#include "testsupport/TempInstallation.h"
#include "testsupport/TestMain.h"

#include <QTemporaryDir>
#include <QTest>

using namespace BackupFixture;

namespace {
using Run = CliRun;

Run cli(const QStringList &arguments) { return runCli(QStringList{QStringLiteral("backup-file")} + arguments); }
} // namespace

class BackupFileCommandTest : public QObject
{
    Q_OBJECT
private slots:
    void createListAndRestore()
    {
        QTemporaryDir dir;
        const QString tabelas = dir.filePath(QStringLiteral("dados/Tabelas/"));
        writeFile(tabelas + QStringLiteral("TbEmp.db"), noise(50000, 1));
        writeFile(tabelas + QStringLiteral("TbStr.db"), "dicionario");
        writeFile(tabelas + QStringLiteral("001/TbCli.db"), QByteArray(90000, 'c'));
        const QString archive = dir.filePath(QStringLiteral("Copia.bck"));

        const Run created = cli({QStringLiteral("create"), QStringLiteral("--title"), QStringLiteral("Cópia de dezembro"),
                                 QStringLiteral("--volume-size"), QStringLiteral("20000"), QStringLiteral("--version"),
                                 QStringLiteral("12"), QStringLiteral("--operator"), QStringLiteral("ANA"),
                                 QStringLiteral("--line"), QStringLiteral("000 - ARQUIVOS PADRÕES"), QStringLiteral("--line"),
                                 QStringLiteral("001 - EMPRESA"), archive, tabelas + QStringLiteral("*.db"),
                                 tabelas + QStringLiteral("001/*.db")});
        QCOMPARE(created.exitCode, 0);
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("Copia.002"))));

        const Run listed = cli({QStringLiteral("list"), archive});
        QCOMPARE(listed.exitCode, 0);
        QCOMPARE(listed.out, QStringLiteral("title: Cópia de dezembro\nversion: 12\nline: 000 - ARQUIVOS PADRÕES\nline: 001 - EMPRESA\n"));

        // Onto an installation whose folder has another letter case.
        const QString dest = dir.filePath(QStringLiteral("inst/"));
        writeFile(dest + QStringLiteral("TABELAS/TBEMP.DB"), "antigo");
        const Run global = cli({QStringLiteral("restore"), QStringLiteral("--folder"), QStringLiteral("Tabelas"), archive, dest});
        QCOMPARE(global.exitCode, 0);
        QCOMPARE(global.out, QStringLiteral("restored: 1\n"));
        QCOMPARE(tree(dest).keys(), (QStringList{QStringLiteral("TABELAS"), QStringLiteral("TABELAS/TBEMP.DB")}));
        QCOMPARE(readFile(dest + QStringLiteral("TABELAS/TBEMP.DB")), noise(50000, 1));

        const Run all = cli({QStringLiteral("restore"), QStringLiteral("--restore-dictionary"), archive, dest});
        QCOMPARE(all.out, QStringLiteral("restored: 3\n"));
        QCOMPARE(readFile(dest + QStringLiteral("TABELAS/001/TbCli.db")), QByteArray(90000, 'c'));
        QCOMPARE(readFile(dest + QStringLiteral("TABELAS/TbStr.db")), QByteArray("dicionario"));
    }

    void damagedOrMissingBackups()
    {
        QTemporaryDir dir;
        const QString archive = dir.filePath(QStringLiteral("Velho.bck"));
        writeFile(archive, backup({{"C:\\R\\TABELAS\\A.DB", "abc"}}).left(30));
        const Run restored = cli({QStringLiteral("restore"), archive, dir.filePath(QStringLiteral("inst"))});
        QCOMPARE(restored.exitCode, 1);
        QCOMPARE(restored.err, QStringLiteral("Não foi possível ler arquivo\n"));
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("inst"))));

        const Run listed = cli({QStringLiteral("list"), archive});
        QCOMPARE(listed.exitCode, 1);
        QCOMPARE(listed.out, QStringLiteral("title: Backup de teste\nversion: 0\n"));
        QVERIFY(listed.err.startsWith(QStringLiteral("Não foi possível identificar o conteúdo do backup.\nArquivo não encontrado:\n")));

        QCOMPARE(cli({QStringLiteral("list"), dir.filePath(QStringLiteral("nada.bck"))}).exitCode, 1);
        QCOMPARE(cli({QStringLiteral("create"), archive}).exitCode, 2);
    }
};

REMETIX_TEST(BackupFileCommandTest)
#include "BackupFileCommandTest.moc"
