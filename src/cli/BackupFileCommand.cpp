#include "CliCommand.h"

#include "backup/Backup.h"
#include "backup/BackupError.h"

#include <QDir>
#include <QFileInfo>

// Inspects, writes and restores backups of the older kind from a terminal,
// for users and support recovering old backups.
namespace {

const char *const Usage =
    "backup-file create --title T [--volume-size BYTES] [--version N] [--operator NAME] [--line TEXT]... BACKUP FILE_OR_MASK...\n"
    "  backup-file list BACKUP\n"
    "  backup-file restore [--folder F]... [--restore-dictionary] BACKUP DEST_ROOT";

int usage()
{
    Cli::err(QStringLiteral("usage: remetix-cli ") + QString::fromUtf8(Usage));
    return 2;
}

bool takeNumber(QStringList &arguments, const QString &name, qint64 *number)
{
    QString text;
    if (!Cli::takeOption(arguments, name, &text))
        return true;
    bool ok = false;
    *number = text.toLongLong(&ok);
    return ok && *number >= 0;
}

int create(QStringList arguments)
{
    QString title;
    QString operatorName;
    qint64 volumeSize = 0;
    qint64 version = 0;
    if (!Cli::takeOption(arguments, QStringLiteral("--title"), &title)
        || !takeNumber(arguments, QStringLiteral("--volume-size"), &volumeSize)
        || !takeNumber(arguments, QStringLiteral("--version"), &version))
        return usage();
    Cli::takeOption(arguments, QStringLiteral("--operator"), &operatorName);
    const QStringList lines = Cli::takeOptions(arguments, QStringLiteral("--line"));
    if (arguments.size() < 2)
        return usage();
    const QString backupFile = arguments.takeFirst();
    TBackupFile backup;
    backup.setBackupTitle(title);
    backup.setMaxSize(volumeSize);
    backup.setSaveFileID(true);
    if (!backup.Backup(arguments, backupFile, int(version), lines, operatorName)) {
        Cli::err(QStringLiteral("Backup cancelado ou com falha!"));
        return 1;
    }
    return 0;
}

int list(const QStringList &arguments)
{
    if (arguments.size() != 1)
        return usage();
    TBackupFile backup;
    const QString backupFile = arguments.first();
    if (!QFileInfo::exists(backupFile)) {
        Cli::err(QStringLiteral("Arquivo não encontrado: ") + backupFile);
        return 1;
    }
    Cli::out(QStringLiteral("title: ") + backup.ReadTitle(backupFile));
    QStringList lines;
    const bool described = backup.ReadContents(backupFile, lines);
    Cli::out(QStringLiteral("version: ") + QString::number(described ? backup.ReadVersion(backupFile) : 0));
    for (const QString &line : lines)
        Cli::out(QStringLiteral("line: ") + line);
    return described ? 0 : 1;
}

int restore(QStringList arguments)
{
    const QStringList folders = Cli::takeOptions(arguments, QStringLiteral("--folder"));
    const bool dictionary = Cli::takeFlag(arguments, QStringLiteral("--restore-dictionary"));
    if (arguments.size() != 2)
        return usage();
    const QString backupFile = arguments[0];
    if (!QFileInfo::exists(backupFile)) {
        Cli::err(QStringLiteral("Arquivo não encontrado: ") + backupFile);
        return 1;
    }
    const QString root = QDir(arguments[1]).absolutePath() + QLatin1Char('/');
    TBackupFile backup;
    const int restored = backup.Restore(backupFile, folders, root, dictionary);
    Cli::out(QStringLiteral("restored: ") + QString::number(restored));
    return 0;
}

int backupFile(const CliContext &, const QStringList &arguments)
{
    QStringList rest = arguments;
    if (rest.isEmpty())
        return usage();
    const QString verb = rest.takeFirst();
    try {
        if (verb == QLatin1String("create"))
            return create(rest);
        if (verb == QLatin1String("list"))
            return list(rest);
        if (verb == QLatin1String("restore"))
            return restore(rest);
    } catch (const BackupError &e) {
        Cli::err(e.text());
        return 1;
    }
    return usage();
}

const CliCommand::Registration registration("backup-file", Usage, backupFile);

} // namespace
