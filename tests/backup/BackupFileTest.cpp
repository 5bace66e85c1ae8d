#include "BackupFixture.h"

#include "backup/Backup.h"
#include "backup/BackupError.h"
#include "backup/BackupIdFile.h"
#include "testsupport/FixedClock.h"
#include "testsupport/ScriptedMessages.h"
#include "testsupport/TestMain.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace BackupFixture;

namespace {

// A data root with global tables, a company, report layouts and files the
// backup must leave out; a destination root and a temporary folder beside it.
struct Site
{
    QTemporaryDir dir;
    QString source() const { return dir.filePath(QStringLiteral("origem")) + QLatin1Char('/'); }
    QString dest() const { return dir.filePath(QStringLiteral("destino")) + QLatin1Char('/'); }
    QString temp() const { return dir.filePath(QStringLiteral("temp")) + QLatin1Char('/'); }
    QString archive(const QString &name = QStringLiteral("Copia.bck")) const { return dir.filePath(name); }

    void fillSource() const
    {
        QByteArray text;
        while (text.size() < 70000)
            text += "JOSE DA SILVA;RUA DAS FLORES 12;CENTRO;SAO PAULO;SP;01001-000\r\n";
        writeFile(source() + QStringLiteral("Tabelas/TbEmp.db"), text);
        writeFile(source() + QStringLiteral("Tabelas/TbEmp.px"), noise(40000, 1));
        writeFile(source() + QStringLiteral("Tabelas/TbStr.db"), "dicionario");
        writeFile(source() + QStringLiteral("Tabelas/Vazio.db"), QByteArray());
        writeFile(source() + QStringLiteral("Tabelas/CEP.db"), "cep");
        writeFile(source() + QStringLiteral("Tabelas/RestTemp.db"), "resto");
        writeFile(source() + QStringLiteral("Tabelas/001/TbCli.db"), noise(32768, 2) + text.left(100));
        writeFile(source() + QStringLiteral("Tabelas/001/TbCli.X02"), QByteArray(32768, 'x'));
    }
    QStringList masks() const
    {
        QStringList list;
        for (const QString &folder : {QStringLiteral("Tabelas/"), QStringLiteral("Tabelas/001/")})
            for (const char *mask : {"*.db", "*.mb", "*.p*", "*.y*", "*.x*"})
                list << source() + folder + QLatin1String(mask);
        return list;
    }
};

struct Events
{
    QList<int> actions;
    QList<int> disks;
    QStringList asked;
    int stopAtAction = -1;
    int stopAfter = 0;
    bool restoreAnswer = true;

    void attach(TBackupFile &backup)
    {
        backup.OnProgress = [this](TBackupFile &, const QString &, int percent, bool &goOn, TActionMode action) {
            QVERIFY(percent >= 0 && percent <= 100);
            if (actions.isEmpty() || actions.last() != action)
                actions << action;
            if (action == stopAtAction && --stopAfter < 0)
                goOn = false;
        };
        backup.OnRestoreFile = [this](TBackupFile &, const QString &name, bool &doRestore) {
            asked << name;
            doRestore = restoreAnswer;
        };
    }
};

TBackupFile *component(TBackupFile &backup, const Site &site)
{
    backup.setTemporaryFolder(site.temp());
    backup.setSaveFileID(true);
    backup.setBackupTitle(QStringLiteral("Backup em 11/12/2026 09:30:00"));
    return &backup;
}

QString errorOf(const std::function<void()> &run)
{
    try {
        run();
    } catch (const BackupError &e) {
        return e.text();
    }
    return {};
}

} // namespace

class BackupFileTest : public QObject
{
    Q_OBJECT
private slots:
    void backupOfNoFilesHoldsHeaderAndEndRecord()
    {
        Site site;
        FixedClock clock;
        TBackupFile backup;
        component(backup, site)->setBackupTitle(QStringLiteral("Vazio"));
        QVERIFY(backup.Backup({site.source() + QStringLiteral("Tabelas/*.db")}, site.archive(), 7, {}, QStringLiteral("ANA")));
        QCOMPARE(readFile(site.archive()), header("Vazio", 0, 0) + le32(0));
        QCOMPARE(backup.ReadTitle(site.archive()), QStringLiteral("Vazio"));
        QCOMPARE(backup.Version(), QStringLiteral("1.30"));
    }

    void recordsFollowTheFileLayout()
    {
        Site site;
        FixedClock clock;
        const QString file = site.source() + QStringLiteral("Tabelas/TbOpr.db");
        writeFile(file, QByteArray("ABCABCABCABC") + QByteArray(20, 'z'));
        QFile stamp(file);
        QVERIFY(stamp.open(QIODevice::ReadWrite));
        QVERIFY(stamp.setFileTime(QDateTime(QDate(2025, 12, 10), QTime(9, 33, 1)), QFileDevice::FileModificationTime));
        stamp.close();
        TBackupFile backup;
        component(backup, site)->setBackupTitle(QStringLiteral("T"));
        QVERIFY(backup.Backup({file}, site.archive(), 1, {}, {}));
        const QByteArray name = file.toUtf8();
        const QByteArray block = QByteArray::fromHex("40180041424300360000047A");
        QCOMPARE(readFile(site.archive()).toHex(),
                 (header("T", 0, 1) + le32(qint32(name.size())) + name + le32(0x5B8A4C20) + QByteArray("ECS\0", 4)
                  + le32(qint32(block.size() + 4)) + le32(qint32(block.size())) + block + le32(0))
                     .toHex());
    }

    void wholeBackupRestoresIdentically()
    {
        Site site;
        site.fillSource();
        FixedClock clock;
        TBackupFile backup;
        component(backup, site);
        Events events;
        events.attach(backup);
        const QStringList lines{QStringLiteral("000 - ARQUIVOS PADRÕES"), QStringLiteral("001 - EMPRESA UM")};
        QVERIFY(backup.Backup(site.masks(), site.archive(), 12, lines, QStringLiteral("ANA")));
        QCOMPARE(events.actions, (QList<int>{amStart, amCompress, amFinish}));
        QVERIFY(!readFile(site.archive()).contains("NEXT:DISK"));
        QVERIFY(!QFile::exists(site.archive(QStringLiteral("Copia.002"))));

        QStringList read;
        QVERIFY(backup.ReadContents(site.archive(), read));
        QCOMPARE(read, lines);
        QCOMPARE(backup.ReadVersion(site.archive()), 12);

        events.actions.clear();
        const int restored = backup.Restore(site.archive(), {QStringLiteral("Tabelas"), QStringLiteral("Reports"), QStringLiteral("Tabelas\\001")},
                                            site.dest(), true);
        QCOMPARE(restored, 6);
        QCOMPARE(events.actions, (QList<int>{amStart, amDecompress, amCopy, amFinish}));
        QMap<QString, QByteArray> expected = tree(site.source());
        expected.remove(QStringLiteral("Tabelas/CEP.db"));
        expected.remove(QStringLiteral("Tabelas/RestTemp.db"));
        QCOMPARE(tree(site.dest()), expected);
        QCOMPARE(QFileInfo(site.dest() + QStringLiteral("Tabelas/TbEmp.db")).lastModified().toSecsSinceEpoch() / 2,
                 QFileInfo(site.source() + QStringLiteral("Tabelas/TbEmp.db")).lastModified().toSecsSinceEpoch() / 2);
        QVERIFY(!QFileInfo::exists(site.temp()));
    }

    void theBackupDoesNotTakeItself()
    {
        Site site;
        FixedClock clock;
        writeFile(site.archive(QStringLiteral("Tabelas/A.db")), "a");
        TBackupFile backup;
        component(backup, site);
        const QString archive = site.archive(QStringLiteral("Tabelas/Copia.db"));
        QVERIFY(backup.Backup({site.archive(QStringLiteral("Tabelas/*"))}, archive, 1, {}, {}));
        QVERIFY(backup.Backup({site.archive(QStringLiteral("Tabelas/*"))}, archive, 1, {}, {}));
        QCOMPARE(backup.Restore(archive, {}, site.dest(), true), 1);
        QCOMPARE(tree(site.dest()).keys(), (QStringList{QStringLiteral("Tabelas"), QStringLiteral("Tabelas/A.db")}));
    }

    void maxSizeZeroNeverChangesVolume()
    {
        Site site;
        FixedClock clock;
        writeFile(site.source() + QStringLiteral("Tabelas/Grande.db"), noise(400000, 5));
        TBackupFile backup;
        component(backup, site)->setMaxSize(0);
        QVERIFY(backup.Backup({site.source() + QStringLiteral("Tabelas/*.db")}, site.archive(), 1, {}, {}));
        QVERIFY(!readFile(site.archive()).contains("NEXT:DISK"));
        QVERIFY(QFileInfo(site.archive()).size() > 400000);
    }

    void volumesSplitByMaxSizeAndRestoreWhole()
    {
        Site site;
        site.fillSource();
        FixedClock clock;
        TBackupFile backup;
        component(backup, site)->setMaxSize(30000);
        QVERIFY(backup.Backup(site.masks(), site.archive(), 3, {QStringLiteral("000 - ARQUIVOS PADRÕES")}, {}));
        const QByteArray first = readFile(site.archive());
        QVERIFY(first.endsWith(le32(12) + "NEXT:DISK002"));
        // A volume stops at the first block that passes MaxSize - 100.
        QVERIFY(first.size() <= 30000 - 100 + 4 + 32769 + 16);
        int volumes = 1;
        while (QFile::exists(TBackupFile::volumeName(site.archive(), volumes + 1)))
            ++volumes;
        QVERIFY(volumes >= 3);
        QCOMPARE(TBackupFile::volumeName(site.archive(), 2), site.archive(QStringLiteral("Copia.002")));
        QVERIFY(readFile(TBackupFile::volumeName(site.archive(), volumes)).endsWith(le32(0)));
        QVERIFY(QFile::exists(site.archive(QStringLiteral("Copia001.ID"))));
        BackupIdFile second(site.archive(QStringLiteral("Copia002.ID")));
        QVERIFY(second.load());
        QCOMPARE(second.dictionaryVersion(), 3);

        QCOMPARE(backup.Restore(site.archive(), {}, site.dest(), true), 6);
        QCOMPARE(readFile(site.dest() + QStringLiteral("Tabelas/TbEmp.px")), readFile(site.source() + QStringLiteral("Tabelas/TbEmp.px")));
        QCOMPARE(readFile(site.dest() + QStringLiteral("Tabelas/001/TbCli.db")),
                 readFile(site.source() + QStringLiteral("Tabelas/001/TbCli.db")));
    }

    // A volume size below the margin still moves on: one block a volume.
    void tinyVolumesStillFinish()
    {
        Site site;
        FixedClock clock;
        writeFile(site.source() + QStringLiteral("Tabelas/A.db"), noise(70000, 9));
        TBackupFile backup;
        component(backup, site)->setMaxSize(10);
        QVERIFY(backup.Backup({site.source() + QStringLiteral("Tabelas/A.db")}, site.archive(), 1, {}, {}));
        QVERIFY(QFile::exists(site.archive(QStringLiteral("Copia.004"))));
        QCOMPARE(backup.Restore(site.archive(), {QStringLiteral("Tabelas")}, site.dest(), false), 1);
        QCOMPARE(readFile(site.dest() + QStringLiteral("Tabelas/A.db")), noise(70000, 9));
    }

    void folderFilter_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QStringList>("folders");
        QTest::addColumn<bool>("dictionary");
        QTest::addColumn<QString>("restoredAs"); // empty: not restored
        const QStringList global{QStringLiteral("Tabelas"), QStringLiteral("Reports")};
        const QStringList company{QStringLiteral("Tabelas\\001")};
        QTest::newRow("global table") << "C:\\REMETIX\\TABELAS\\TBEMP.DB" << global << false << "Tabelas/TbEmp.db";
        QTest::newRow("company table with global list") << "C:\\REMETIX\\TABELAS\\001\\TBCLI.DB" << global << false << "";
        QTest::newRow("company table") << "C:\\REMETIX\\TABELAS\\001\\TBCLI.DB" << company << false << "Tabelas/001/TbCli.db";
        QTest::newRow("other company") << "C:\\REMETIX\\TABELAS\\002\\TBCLI.DB" << company << false << "";
        QTest::newRow("global table with company list") << "C:\\REMETIX\\TABELAS\\TBEMP.DB" << company << false << "";
        QTest::newRow("folder ending in las") << "D:\\X\\Tabelas\\Escolas\\A.DB" << global << false << "Tabelas/Escolas/A.DB";
        QTest::newRow("report layout") << "C:\\REMETIX\\REPORTS\\ETQ.RNF" << global << false << "Reports/ETQ.RNF";
        QTest::newRow("slashes") << "/srv/dados/Tabelas/001/TbCli.db" << company << false << "Tabelas/001/TbCli.db";
        QTest::newRow("dictionary skipped") << "C:\\REMETIX\\TABELAS\\TBSTR.DB" << global << false << "";
        QTest::newRow("dictionary index skipped") << "C:\\REMETIX\\TABELAS\\TbStrD.PX" << global << false << "";
        QTest::newRow("dictionary restored") << "C:\\REMETIX\\TABELAS\\TBSTR.DB" << global << true << "Tabelas/TBSTR.DB";
        QTest::newRow("dictionary outside the list") << "C:\\REMETIX\\TABELAS\\TBSTR.DB" << company << true << "";
        QTest::newRow("postal codes") << "C:\\REMETIX\\TABELAS\\CEP.DB" << global << true << "";
        QTest::newRow("restore leftovers") << "C:\\REMETIX\\TABELAS\\RESTTEMP.DB" << global << true << "";
        QTest::newRow("no Tabelas nor Reports") << "C:\\ESCOLAS\\A.DB" << global << false << "";
        QTest::newRow("climbing out") << "C:\\R\\TABELAS\\..\\..\\FORA.DB" << global << false << "";
        QTest::newRow("every folder") << "C:\\REMETIX\\TABELAS\\002\\TBCLI.DB" << QStringList() << false << "Tabelas/002/TBCLI.DB";
    }
    void folderFilter()
    {
        QFETCH(QString, stored);
        QFETCH(QStringList, folders);
        QFETCH(bool, dictionary);
        QFETCH(QString, restoredAs);
        Site site;
        // The installation as it stands, names in its own letter case.
        writeFile(site.dest() + QStringLiteral("Tabelas/TbEmp.db"), "antigo");
        writeFile(site.dest() + QStringLiteral("Tabelas/001/TbCli.db"), "antigo");
        writeFile(site.dest() + QStringLiteral("Reports/leia.txt"), "x");
        QMap<QString, QByteArray> expected = tree(site.dest());
        writeFile(site.archive(), backup({{stored, "novo"}}));

        TBackupFile restore;
        component(restore, site);
        Events events;
        events.attach(restore);
        QCOMPARE(restore.Restore(site.archive(), folders, site.dest(), dictionary), restoredAs.isEmpty() ? 0 : 1);
        if (!restoredAs.isEmpty()) {
            expected.insert(restoredAs, "novo");
            for (QString folder = QFileInfo(restoredAs).path(); folder != QLatin1String("."); folder = QFileInfo(folder).path())
                expected.insert(folder, "<dir>");
            QCOMPARE(events.asked, QStringList{stored});
        }
        QCOMPARE(tree(site.dest()), expected);
        QVERIFY(!QDir(site.dir.path()).exists(QStringLiteral("FORA.DB")));
    }

    void restoreQuestionCanRefuseAFile()
    {
        Site site;
        writeFile(site.archive(), backup({{"C:\\R\\TABELAS\\A.DB", "a"}, {"C:\\R\\TABELAS\\B.DB", "b"}}));
        TBackupFile restore;
        component(restore, site);
        Events events;
        events.attach(restore);
        restore.OnRestoreFile = [](TBackupFile &, const QString &name, bool &doRestore) { doRestore = name.endsWith(QLatin1String("B.DB")); };
        QCOMPARE(restore.Restore(site.archive(), {QStringLiteral("Tabelas")}, site.dest(), false), 1);
        QCOMPARE(tree(site.dest()).keys(), (QStringList{QStringLiteral("TABELAS"), QStringLiteral("TABELAS/B.DB")}));
    }

    // The modes the program itself never picks: an existing file A.DB, older
    // or newer than the stored one, and a file B.DB the installation lacks.
    void restoreModes_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("existingIsNewer");
        QTest::addColumn<bool>("restoresExisting");
        QTest::addColumn<bool>("restoresMissing");
        QTest::newRow("all") << int(rmAll) << true << true << true;
        QTest::newRow("no overwrite") << int(rmNoOverwrite) << false << false << true;
        QTest::newRow("newer, existing older") << int(rmNewer) << false << true << true;
        QTest::newRow("newer, existing newer") << int(rmNewer) << true << false << true;
        QTest::newRow("existing") << int(rmExisting) << true << true << false;
        QTest::newRow("existing newer, existing older") << int(rmExistingNewer) << false << true << false;
        QTest::newRow("existing newer, existing newer") << int(rmExistingNewer) << true << false << false;
    }
    void restoreModes()
    {
        QFETCH(int, mode);
        QFETCH(bool, existingIsNewer);
        QFETCH(bool, restoresExisting);
        QFETCH(bool, restoresMissing);
        Site site;
        const QString existing = site.dest() + QStringLiteral("Tabelas/A.DB");
        writeFile(existing, "antigo");
        QFile stamp(existing);
        QVERIFY(stamp.open(QIODevice::ReadWrite));
        stamp.setFileTime(QDateTime(QDate(existingIsNewer ? 2030 : 2020, 1, 1), QTime(0, 0)), QFileDevice::FileModificationTime);
        stamp.close();
        writeFile(site.archive(), backup({{"C:\\R\\TABELAS\\A.DB", "novo"}, {"C:\\R\\TABELAS\\B.DB", "novo"}}));
        TBackupFile restore;
        component(restore, site)->setRestoreMode(TRestoreMode(mode));
        QCOMPARE(restore.Restore(site.archive(), {QStringLiteral("Tabelas")}, site.dest(), false),
                 int(restoresExisting) + int(restoresMissing));
        QCOMPARE(readFile(existing), QByteArray(restoresExisting ? "novo" : "antigo"));
        QCOMPARE(QFile::exists(site.dest() + QStringLiteral("Tabelas/B.DB")), restoresMissing);
    }

    void damagedBackupsFailAndTouchNothing_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        const StoredFile good{"C:\\R\\TABELAS\\A.DB", QByteArray(5000, 'a') + noise(3000, 3)};
        const QByteArray whole = backup({good, {"C:\\R\\TABELAS\\B.DB", noise(40000, 4)}});
        const QString read = QStringLiteral("Não foi possível ler arquivo");
        const QString type = QStringLiteral("Tipo de arquivo inválido");
        QTest::newRow("cut inside the header") << whole.left(10) << read;
        QTest::newRow("cut inside a name") << whole.left(header("Backup de teste", 0, 0).size() + 8) << read;
        QTest::newRow("cut inside a block") << whole.left(whole.size() - 1000) << read;
        QTest::newRow("cut before the end record") << whole.left(whole.size() - 4) << read;
        QByteArray noMark = whole;
        noMark.replace(QByteArray("ECS\0", 4), QByteArray("EXS\0", 4));
        QTest::newRow("chunk without ECS") << noMark << type;
        QByteArray bad = header("T", 0, 1) + fileRecord(good);
        const QByteArray block = QByteArray::fromHex("40400041 0036"); // copies from before the start
        bad += QByteArray("ECS\0", 4) + le32(qint32(block.size() + 4)) + le32(qint32(block.size())) + block + le32(0);
        QTest::newRow("block that does not decompress") << bad << type;
        QByteArray overlong = header("T", 0, 1) + fileRecord(good) + QByteArray("ECS\0", 4) + le32(8) + le32(100) + "abcd" + le32(0);
        QTest::newRow("block longer than its chunk") << overlong << type;
        QTest::newRow("control character in a name")
            << (header("T", 0, 1) + fileRecord({QStringLiteral("C:\\R\\TABELAS\\A") + QChar(0) + QStringLiteral("B.DB"), {}}) + chunk("abc") + le32(0)) << type;
        QTest::newRow("negative name length") << (header("T", 0, 0) + le32(-5)) << type;
        QTest::newRow("volume change to a missing volume")
            << (header("T", 0, 1) + fileRecord(good) + chunk("abc") + le32(12) + "NEXT:DISK002") << read;
        QTest::newRow("volume change before any file") << (header("T", 0, 0) + le32(12) + "NEXT:DISK002") << type;
        QTest::newRow("volume change going back")
            << (header("T", 0, 1) + fileRecord(good) + chunk("abc") + le32(12) + "NEXT:DISK001") << type;
    }
    void damagedBackupsFailAndTouchNothing()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        Site site;
        writeFile(site.dest() + QStringLiteral("Tabelas/A.DB"), "antigo");
        const QMap<QString, QByteArray> before = tree(site.dest());
        writeFile(site.archive(), bytes);
        TBackupFile restore;
        component(restore, site);
        QCOMPARE(errorOf([&] { restore.Restore(site.archive(), {QStringLiteral("Tabelas")}, site.dest(), true); }), message);
        QCOMPARE(tree(site.dest()), before);
        QVERIFY(!restore.busy());
        QVERIFY(tree(site.temp()).isEmpty());
    }

    void fullDisks()
    {
        Site site;
        site.fillSource();
        FixedClock clock;
        TBackupFile backup;
        component(backup, site);
        backup.setFreeSpaceProbe([](const QString &) { return qint64(100000); });
        QCOMPARE(errorOf([&] { backup.Backup(site.masks(), site.archive(), 1, {}, {}); }),
                 QStringLiteral("Não foi possível gravar arquivo"));

        backup.setFreeSpaceProbe({});
        QCOMPARE(errorOf([&] { backup.Backup(site.masks(), site.archive(QStringLiteral("nada/Copia.bck")), 1, {}, {}); }),
                 QStringLiteral("Não foi possível gravar arquivo"));
        QVERIFY(backup.Backup(site.masks(), site.archive(), 1, {}, {}));
        writeFile(site.dest() + QStringLiteral("Tabelas/TbEmp.db"), "antigo");
        const QMap<QString, QByteArray> before = tree(site.dest());
        // The temporary folder has room, the installation's disk not.
        backup.setFreeSpaceProbe([&](const QString &folder) { return folder == site.dest() ? qint64(1000) : qint64(1) << 40; });
        QCOMPARE(errorOf([&] { backup.Restore(site.archive(), {}, site.dest(), true); }), QStringLiteral("Não foi possível gravar arquivo"));
        QCOMPARE(tree(site.dest()), before);
    }

    void floppyDisksAreAskedForWithTheirFreeSpace_data()
    {
        QTest::addColumn<qint64>("free");
        QTest::addColumn<bool>("asksForAnother");
        QTest::newRow("exactly 100000 bytes") << qint64(100000) << true;
        QTest::newRow("100001 bytes") << qint64(100001) << false;
    }
    void floppyDisksAreAskedForWithTheirFreeSpace()
    {
        QFETCH(qint64, free);
        QFETCH(bool, asksForAnother);
        Site site;
        FixedClock clock;
        ScriptedMessages messages;
        writeFile(site.source() + QStringLiteral("Tabelas/A.db"), noise(70000, 9));
        TBackupFile backup;
        component(backup, site)->setMaxSize(40000);
        backup.setFloppyProbe([](const QString &) { return QLatin1Char('A'); });
        backup.setFreeSpaceProbe([&](const QString &) { return free; });
        messages.answer(MsgAnswer::Ok);     // "insira o disco 2"
        messages.answer(MsgAnswer::Cancel); // not enough room: give up
        const bool done = backup.Backup({site.source() + QStringLiteral("Tabelas/A.db")}, site.archive(), 1, {}, {});
        QCOMPARE(done, !asksForAnother);
        QCOMPARE(messages.shown().first().text, QStringLiteral("Por favor, insira o disco 2"));
        QCOMPARE(messages.shown().first().icon, MsgIcon::Information);
        if (asksForAnother) {
            QCOMPARE(messages.shown().size(), 2);
            QCOMPARE(messages.shown()[1].text,
                     QStringLiteral("O disco inserido contém apenas 97 kbytes livres.\r\nPara continuar o backup você precisará de um "
                                    "disco com no mínimo 100 kbytes livres.\r\nInsira um novo disco e escolha Ok para continuar!"));
            QCOMPARE(messages.shown()[1].buttons, MsgButtons::OkCancel);
            return;
        }
        // Restoring from floppies asks for each further disk, without leading zeros.
        messages.clear();
        QVERIFY(backup.Restore(site.archive(), {QStringLiteral("Tabelas")}, site.dest(), false) == 1);
        QCOMPARE(messages.texts().first(), QStringLiteral("Por favor insira o disco 2"));
        QCOMPARE(readFile(site.dest() + QStringLiteral("Tabelas/A.db")), noise(70000, 9));
    }

    void needDiskEventCanStopARestore()
    {
        Site site;
        FixedClock clock;
        writeFile(site.source() + QStringLiteral("Tabelas/A.db"), noise(70000, 9));
        TBackupFile backup;
        component(backup, site)->setMaxSize(40000);
        QVERIFY(backup.Backup({site.source() + QStringLiteral("Tabelas/A.db")}, site.archive(), 1, {}, {}));
        QFile::rename(site.archive(QStringLiteral("Copia.002")), site.archive(QStringLiteral("fora.002")));
        QList<int> disks;
        backup.OnNeedDisk = [&](TBackupFile &, int disk, bool &goOn) {
            disks << disk;
            goOn = false;
        };
        QCOMPARE(backup.Restore(site.archive(), {QStringLiteral("Tabelas")}, site.dest(), false), 0);
        QCOMPARE(disks, QList<int>{2});
        QVERIFY(tree(site.dest()).isEmpty());
        QVERIFY(tree(site.temp()).isEmpty());
    }

    void stoppingLeavesNoEndRecordAndRestoresNothing()
    {
        Site site;
        site.fillSource();
        FixedClock clock;
        TBackupFile backup;
        component(backup, site);
        Events events;
        events.attach(backup);
        events.stopAtAction = amCompress;
        events.stopAfter = 1;
        QVERIFY(!backup.Backup(site.masks(), site.archive(), 1, {}, {}));
        QVERIFY(!readFile(site.archive()).endsWith(le32(0)));

        events.stopAtAction = -1;
        QVERIFY(backup.Backup(site.masks(), site.archive(), 1, {}, {}));
        events.stopAtAction = amDecompress;
        events.stopAfter = 3;
        QCOMPARE(backup.Restore(site.archive(), {}, site.dest(), true), 0);
        QVERIFY(tree(site.dest()).isEmpty());

        backup.OnProgress = [&](TBackupFile &sender, const QString &, int, bool &, TActionMode action) {
            if (action == amDecompress)
                sender.Cancel();
        };
        QCOMPARE(backup.Restore(site.archive(), {}, site.dest(), true), 0);
        QVERIFY(tree(site.dest()).isEmpty());
    }

    void readersOfAMissingOrForeignFile()
    {
        Site site;
        ScriptedMessages messages;
        TBackupFile backup;
        QCOMPARE(backup.ReadTitle(site.archive()), QString());
        QCOMPARE(backup.Restore(site.archive(), {}, site.dest(), true), 0);
        writeFile(site.archive(), "\x05\x00\x00\x00Sem");
        QCOMPARE(errorOf([&] { backup.ReadTitle(site.archive()); }), QStringLiteral("Não foi possível ler arquivo"));
        QStringList lines{QStringLiteral("velha")};
        QVERIFY(!backup.ReadContents(site.archive(), lines));
        QVERIFY(lines.isEmpty());
        QCOMPARE(backup.ReadVersion(site.archive()), 0);
        const QString expected = QStringLiteral("Não foi possível identificar o conteúdo do backup.\r\nArquivo não encontrado:\r\n")
            + site.archive(QStringLiteral("Copia001.ID"));
        QCOMPARE(messages.texts(), (QStringList{expected, expected}));
    }

    void windowsTitleAndNamesInCp1252()
    {
        Site site;
        const QByteArray title = "C\xf3pia de seguran\xe7" "a";
        writeFile(site.archive(), backup({{QString::fromLatin1("C:\\R\\TABELAS\\A\xc7\xc3O.DB"), "x"}}, title));
        TBackupFile restore;
        component(restore, site);
        QCOMPARE(restore.ReadTitle(site.archive()), QStringLiteral("Cópia de segurança"));
        QCOMPARE(restore.Restore(site.archive(), {QStringLiteral("Tabelas")}, site.dest(), false), 1);
        QVERIFY(QFile::exists(site.dest() + QStringLiteral("TABELAS/AÇÃO.DB")));
    }
};

REMETIX_TEST(BackupFileTest)
#include "BackupFileTest.moc"
