#include "BackupFixture.h"

#include "backup/Backup.h"
#include "backup/BackupError.h"
#include "backup/BackupReader.h"
#include "backup/Lzrw1kh.h"
#include "testsupport/ScriptedMessages.h"
#include "testsupport/TestMain.h"

#include <QDirIterator>
#include <QTemporaryDir>
#include <QTest>

using namespace BackupFixture;

// The inputs the fuzz targets found (scripts/fuzz), run through the decoder
// and the whole restore: each is refused with one of the known messages or
// read to its end, and nothing lands outside the destination.
class CorpusReplayTest : public QObject
{
    Q_OBJECT
private slots:
    void replay_data()
    {
        QTest::addColumn<QString>("path");
        QDirIterator it(QStringLiteral(REMETIX_CORPUS_DIR), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            QTest::newRow(qPrintable(it.fileInfo().dir().dirName() + QLatin1Char('/') + it.fileName())) << path;
        }
    }
    void replay()
    {
        QFETCH(QString, path);
        const QByteArray bytes = readFile(path);

        QByteArray out;
        if (Lzrw1kh::decompress(bytes, out, BackupReader::MaxBlockOutput))
            QVERIFY(out.size() <= BackupReader::MaxBlockOutput);
        const QByteArrayView plain = QByteArrayView(bytes).first(qMin(bytes.size(), Lzrw1kh::MaxInput));
        QVERIFY(Lzrw1kh::decompress(Lzrw1kh::compress(plain), out, Lzrw1kh::MaxInput));
        QCOMPARE(out, plain.toByteArray());

        QTemporaryDir dir;
        ScriptedMessages messages;
        const QString archive = dir.filePath(QStringLiteral("box/Copia.bck"));
        const QString dest = dir.filePath(QStringLiteral("box/destino/"));
        QVERIFY(writeFile(archive, bytes));
        TBackupFile backup;
        backup.setTemporaryFolder(dir.filePath(QStringLiteral("box/temp/")));
        const QStringList known{QStringLiteral("Não foi possível ler arquivo"), QStringLiteral("Tipo de arquivo inválido")};
        try {
            backup.ReadTitle(archive);
            backup.Restore(archive, {}, dest, true);
        } catch (const BackupError &e) {
            QVERIFY2(known.contains(e.text()), qPrintable(e.text()));
        }
        QMap<QString, QByteArray> left = tree(dir.filePath(QStringLiteral("box")));
        for (auto it = left.begin(); it != left.end(); ++it)
            QVERIFY2(it.key() == QLatin1String("Copia.bck") || it.key().startsWith(QLatin1String("destino")), qPrintable(it.key()));
    }
};

REMETIX_TEST(CorpusReplayTest)
#include "CorpusReplayTest.moc"
