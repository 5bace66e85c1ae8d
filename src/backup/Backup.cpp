#include "backup/Backup.h"

#include "backup/BackupError.h"
#include "backup/BackupIdFile.h"
#include "backup/BackupReader.h"
#include "backup/BackupText.h"
#include "backup/DosDateTime.h"
#include "backup/Lzrw1kh.h"
#include "backup/StoredPath.h"
#include "framework/Clock.h"
#include "framework/Messages.h"
#include "storage/PathCase.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QScopeGuard>
#include <QStorageInfo>
#include <QtEndian>

#include <filesystem>

namespace {

const QByteArray ChunkMark("ECS\0", 4);
// A floppy volume needs more than this many free bytes.
constexpr qint64 MinFreeBytes = 100000;
// A volume stops taking blocks this many bytes before MaxSize.
constexpr qint64 VolumeMargin = 100;

QString threeDigits(int n) { return QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0')); }

QString normalised(const QString &path)
{
    QString p = path;
    p.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return p;
}

QString folderOf(const QString &file)
{
    const QString folder = QFileInfo(file).absolutePath();
    return folder.isEmpty() ? QStringLiteral(".") : folder;
}

QByteArray littleEndian(qint32 value)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

void letWindowEventsRun()
{
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}

QString diskDialogText(const QString &start, QChar drive)
{
    return start + drive + QStringLiteral(":") + QStringLiteral("\r\n")
        + QStringLiteral("O disco pode estar protegido contra gravação ou danificado.") + QStringLiteral("\r\n")
        + QStringLiteral("Substitua o disco e escolha Ok para continuar!");
}

// Removes the folders below root (root included) that became empty.
void removeEmptyFolders(const QString &root)
{
    QDir dir(root);
    if (!dir.exists())
        return;
    for (const QString &sub : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden))
        removeEmptyFolders(dir.filePath(sub));
    if (dir.isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System))
        QDir().rmdir(root);
}

} // namespace

struct TBackupFile::Writing
{
    QString backupFile;
    int dictionaryVersion = 0;
    QStringList contents;
    QString operatorName;
    QDateTime made;
    QFile volume;
    qint64 volumeSize = 0;

    void write(const QByteArray &bytes)
    {
        if (volume.write(bytes) != bytes.size())
            throw BackupError::writeFailed();
        volumeSize += bytes.size();
    }
    void writeInt(qint32 value) { write(littleEndian(value)); }
    void close()
    {
        if (!volume.flush())
            throw BackupError::writeFailed();
        volume.close();
    }
};

struct TBackupFile::Restoring
{
    struct Copy
    {
        QString temporary;
        QString relative;
        QDateTime date;
    };

    QString backupFile;
    QStringList folders;
    QString root;
    bool dictionary = false;
    QString temporaryRoot;
    QFile volume;
    int volumeNumber = 1;

    QList<Copy> copies;
    QHash<QString, qsizetype> copyIndex;
    // The file whose chunks are being read: restored into `file`, or skipped.
    bool haveFile = false;
    QString storedName;
    std::unique_ptr<QFile> file;

    bool committed = false;

    ~Restoring()
    {
        file.reset();
        if (committed)
            return;
        for (const Copy &copy : copies)
            QFile::remove(copy.temporary);
        removeEmptyFolders(temporaryRoot);
    }
};

TBackupFile::TBackupFile() = default;
TBackupFile::~TBackupFile() = default;

void TBackupFile::setBackupMode(TBackupMode mode)
{
    backupMode_ = mode;
    if (mode == bmIncremental)
        setArchiveFlag_ = true;
}

QString TBackupFile::volumeName(const QString &backupFile, int volume)
{
    if (volume <= 1)
        return backupFile;
    const QString suffix = QFileInfo(backupFile).suffix();
    const QString base = suffix.isEmpty() ? backupFile : backupFile.left(backupFile.size() - suffix.size() - 1);
    return base + QLatin1Char('.') + threeDigits(volume);
}

QString TBackupFile::temporaryFolder() const
{
    if (!temporaryFolder_.isEmpty())
        return temporaryFolder_;
    const QString program = QCoreApplication::instance()
        ? QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName()
        : QStringLiteral("remetix");
    return QDir(QDir::tempPath()).filePath(program) + QLatin1Char('/');
}

qint64 TBackupFile::freeSpace(const QString &folder) const
{
    if (freeSpace_)
        return freeSpace_(folder);
    // A folder still to be created lies on the file system of its nearest existing parent.
    QFileInfo existing(folder);
    while (!existing.exists() && !existing.isRoot() && existing.absolutePath() != existing.absoluteFilePath())
        existing.setFile(existing.absolutePath());
    return QStorageInfo(existing.absoluteFilePath()).bytesAvailable();
}

QChar TBackupFile::floppyDrive(const QString &path) const
{
    if (floppy_)
        return floppy_(path);
#ifdef Q_OS_WIN
    if (path.size() >= 2 && path[1] == QLatin1Char(':')) {
        const QChar drive = path[0].toUpper();
        if (drive == QLatin1Char('A') || drive == QLatin1Char('B'))
            return drive;
    }
#endif
    return {};
}

int TBackupFile::percentDone() const
{
    if (totalKiB_ <= 0)
        return 0;
    return int(qBound(qint64(0), doneKiB_ * 100 / totalKiB_, qint64(100)));
}

void TBackupFile::progress(const QString &fileName, int percent, TActionMode action)
{
    if (!OnProgress)
        return;
    bool goOn = true;
    OnProgress(*this, fileName, percent, goOn, action);
    if (!goOn)
        continue_ = false;
}

// ---- Backup ---------------------------------------------------------------

QStringList TBackupFile::gatherFiles(const QStringList &filesAndMasks) const
{
    QStringList files;
    for (const QString &entry : filesAndMasks) {
        const QFileInfo info(normalised(entry.trimmed()));
        const QString pattern = info.fileName();
        QStringList names;
        if (pattern.contains(QLatin1Char('*')) || pattern.contains(QLatin1Char('?'))) {
            // Windows matched masks without regard to case ("*.db" finds "TBCLI.DB").
            names = QDir(info.absolutePath())
                        .entryList({pattern}, QDir::Files | QDir::Hidden | QDir::System, QDir::Name | QDir::IgnoreCase);
        } else if (info.isFile()) {
            names << pattern;
        }
        for (const QString &name : names) {
            if (StoredPath::isExcludedName(name))
                continue;
            // No file system here keeps an archive attribute: every file counts
            // as changed, so an incremental backup takes them all.
            const QString path = QDir(info.absolutePath()).filePath(name).trimmed();
            if (!files.contains(path))
                files << path;
        }
    }
    return files;
}

bool TBackupFile::writeIdFile(Writing &w, int volume)
{
    const QString path = BackupIdFile::volumeName(w.backupFile, volume);
    const QChar drive = floppyDrive(path);
    for (;;) {
        BackupIdFile id(path);
        id.load();
        id.setHeader(volume, w.made, w.operatorName, w.dictionaryVersion);
        id.setLines(w.contents);
        if (id.save())
            return true;
        if (drive.isNull())
            throw BackupError::writeFailed();
        const QString text = diskDialogText(QStringLiteral("Não foi possível gravar informações do backup no disco de "), drive);
        if (Messages::show(MsgIcon::Warning, MsgButtons::OkCancel, text) != MsgAnswer::Ok)
            return false;
    }
}

bool TBackupFile::waitForFreeSpace(const QString &volumePath)
{
    const QString folder = folderOf(volumePath);
    const QChar drive = floppyDrive(volumePath);
    for (;;) {
        const qint64 free = freeSpace(folder);
        if (free > MinFreeBytes)
            return true;
        if (drive.isNull())
            throw BackupError::writeFailed();
        const QString text = QStringLiteral("O disco inserido contém apenas ") + QString::number(free / 1024)
            + QStringLiteral(" kbytes livres.") + QStringLiteral("\r\n")
            + QStringLiteral("Para continuar o backup você precisará de um disco com no mínimo 100 kbytes livres.")
            + QStringLiteral("\r\n") + QStringLiteral("Insira um novo disco e escolha Ok para continuar!");
        if (Messages::show(MsgIcon::Warning, MsgButtons::OkCancel, text) != MsgAnswer::Ok)
            return false;
    }
}

bool TBackupFile::createVolume(Writing &w)
{
    const QString path = volumeName(w.backupFile, volume_);
    const QChar drive = floppyDrive(path);
    // On a floppy the caller checked the first disk; the others are checked here.
    if ((drive.isNull() || volume_ > 1) && !waitForFreeSpace(path))
        return false;
    for (;;) {
        w.volume.setFileName(path);
        if (w.volume.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            w.volumeSize = 0;
            return true;
        }
        if (drive.isNull())
            throw BackupError::writeFailed();
        const QString text = diskDialogText(QStringLiteral("Não foi possível gravar arquivo no disco de "), drive);
        if (Messages::show(MsgIcon::Warning, MsgButtons::OkCancel, text) != MsgAnswer::Ok)
            return false;
    }
}

bool TBackupFile::writeChunk(Writing &w, QFile &source, bool continuation)
{
    w.write(ChunkMark);
    const qint64 lengthAt = w.volume.pos();
    w.writeInt(0);
    qint64 length = 0;
    bool wroteBlock = false;
    // A continuation volume takes at least one block, so a MaxSize at or
    // below the margin still makes progress.
    while (!source.atEnd() && continue_
           && (maxSize_ == 0 || w.volumeSize < maxSize_ - VolumeMargin || (continuation && !wroteBlock))) {
        const QByteArray plain = source.read(Lzrw1kh::MaxInput);
        if (plain.isEmpty()) {
            if (source.error() != QFileDevice::NoError)
                throw BackupError::readFailed();
            break;
        }
        const QByteArray block = Lzrw1kh::compress(plain);
        w.writeInt(qint32(block.size()));
        w.write(block);
        length += block.size() + 4;
        wroteBlock = true;
        doneKiB_ += plain.size() / 1024;
        letWindowEventsRun();
        progress(currentFile_, percentDone(), amCompress);
    }
    if (source.error() != QFileDevice::NoError)
        throw BackupError::readFailed();
    const qint64 end = w.volume.pos();
    if (!w.volume.seek(lengthAt) || w.volume.write(littleEndian(qint32(length))) != 4 || !w.volume.seek(end))
        throw BackupError::writeFailed();
    return !source.atEnd();
}

bool TBackupFile::askForDisk(const QString &volumePath, int volume, bool forRestore)
{
    if (OnNeedDisk) {
        bool goOn = true;
        OnNeedDisk(*this, volume, goOn);
        if (!goOn)
            continue_ = false;
        return goOn;
    }
    if (floppyDrive(volumePath).isNull())
        return true;
    const QString text = (forRestore ? QStringLiteral("Por favor insira o disco ") : QStringLiteral("Por favor, insira o disco "))
        + QString::number(volume);
    if (Messages::show(MsgIcon::Information, MsgButtons::OkCancel, text) == MsgAnswer::Ok)
        return true;
    continue_ = false;
    return false;
}

bool TBackupFile::changeVolume(Writing &w)
{
    w.writeInt(12);
    w.write(QByteArrayLiteral("NEXT:DISK") + threeDigits(volume_ + 1).toLatin1());
    w.close();
    ++volume_;
    const QString next = volumeName(w.backupFile, volume_);
    // Disks are asked for only where volumes go onto removable disks.
    if (!floppyDrive(next).isNull() && !askForDisk(next, volume_, false))
        return false;
    if (!createVolume(w))
        return false;
    return !saveFileId_ || writeIdFile(w, volume_);
}

bool TBackupFile::Backup(const QStringList &filesAndMasks, const QString &backupFile, int dictionaryVersion,
                         const QStringList &contents, const QString &operatorName)
{
    busy_ = true;
    const auto notBusy = qScopeGuard([this] { busy_ = false; });
    QStringList files = gatherFiles(filesAndMasks);
    // A mask over the backup's own folder must not take the file being written.
    for (const QString &own : {backupFile, BackupIdFile::volumeName(backupFile, 1)})
        files.removeAll(QFileInfo(normalised(own)).absoluteFilePath());
    continue_ = true;
    progress(QString(), 0, amStart);
    totalKiB_ = 0;
    doneKiB_ = 0;
    fileCount_ = 0;
    for (const QString &file : files) {
        const QFileInfo info(file);
        if (info.exists()) {
            totalKiB_ += info.size() / 1024;
            ++fileCount_;
        }
    }

    Writing w;
    w.backupFile = backupFile;
    w.dictionaryVersion = dictionaryVersion;
    w.contents = contents;
    w.operatorName = operatorName;
    w.made = Clocks::current().now();
    volume_ = 1;
    if (saveFileId_ && !writeIdFile(w, 1))
        return false;
    if (!createVolume(w))
        return false;
    const QByteArray title = BackupText::encode(title_);
    w.writeInt(qint32(title.size()));
    w.write(title);
    w.writeInt(qint32(totalKiB_));
    w.writeInt(fileCount_);

    for (const QString &file : files) {
        if (!continue_)
            break;
        if (!QFileInfo::exists(file))
            continue;
        QFile source(file);
        if (!source.open(QIODevice::ReadOnly))
            throw BackupError::readFailed();
        currentFile_ = file;
        const QByteArray name = BackupText::encode(file);
        w.writeInt(qint32(name.size()));
        w.write(name);
        w.writeInt(qint32(DosDateTime::pack(QFileInfo(source).lastModified())));
        bool continuation = false;
        while (writeChunk(w, source, continuation) && continue_) {
            if (!changeVolume(w))
                return false;
            continuation = true;
        }
    }
    if (!continue_) {
        w.close();
        return false;
    }
    w.writeInt(0);
    w.close();
    progress(QString(), 100, amFinish);
    return true;
}

// ---- Restore --------------------------------------------------------------

bool TBackupFile::openRestoreVolume(Restoring &r, int volume)
{
    const QString path = volumeName(r.backupFile, volume);
    const bool removable = !floppyDrive(path).isNull();
    // On a hard disk the volumes lie side by side: a missing one is asked for
    // once (through the event), on a floppy until it is inserted.
    bool asked = false;
    while (!QFileInfo::exists(path) || (removable && !asked)) {
        if (asked && !removable)
            throw BackupError::readFailed();
        if ((OnNeedDisk || removable) && !askForDisk(path, volume, true))
            return false;
        asked = true;
    }
    r.volume.close();
    r.volume.setFileName(path);
    if (!r.volume.open(QIODevice::ReadOnly))
        throw BackupError::readFailed();
    r.volumeNumber = volume;
    return true;
}

bool TBackupFile::decideRestore(const Restoring &r, const QString &storedName, const QDateTime &storedDate) const
{
    const StoredPath stored(storedName);
    const QString name = stored.fileName();
    if (StoredPath::isExcludedName(name) || (StoredPath::isDictionaryName(name) && !r.dictionary))
        return false;
    const QString relative = stored.relativeName();
    if (relative.isEmpty() || (!r.folders.isEmpty() && !stored.inFolders(r.folders)))
        return false;
    if (restoreMode_ == rmAll)
        return true;
    QString existing = r.root;
    for (const QString &part : relative.split(QLatin1Char('/')))
        existing = PathCase::resolve(existing, part);
    const QFileInfo target(existing);
    const bool newer = !target.exists() || (storedDate.isValid() && storedDate > target.lastModified());
    switch (restoreMode_) {
    case rmAll: break;
    case rmNoOverwrite: return !target.exists();
    case rmNewer: return newer;
    case rmExisting: return target.exists();
    case rmExistingNewer: return target.exists() && newer;
    }
    return true;
}

void TBackupFile::finishTemporaryCopy(Restoring &r)
{
    if (!r.file)
        return;
    if (!r.file->flush())
        throw BackupError::writeFailed();
    r.file->close();
    r.file.reset();
}

bool TBackupFile::readFileChunk(Restoring &r, BackupReader &reader)
{
    if (!r.file) {
        reader.skipChunk();
        return true;
    }
    return reader.readChunk([&](const QByteArray &plain) {
        if (r.file->write(plain) != plain.size())
            throw BackupError::writeFailed();
        letWindowEventsRun();
        doneKiB_ += plain.size() / 1024;
        progress(r.storedName, percentDone(), amDecompress);
        return continue_;
    });
}

void TBackupFile::putCopiesInPlace(Restoring &r)
{
    qint64 needed = 0;
    for (const Restoring::Copy &copy : r.copies)
        needed += QFileInfo(copy.temporary).size();
    // Better to refuse before the first file than to leave the installation half restored.
    if (freeSpace(r.root) < needed)
        throw BackupError::writeFailed();

    const qsizetype count = r.copies.size();
    for (qsizetype i = 0; i < count; ++i) {
        const Restoring::Copy &copy = r.copies[i];
        progress(copy.temporary, int((i + 1) * 100 / count), amCopy);
        // Onto the folders and files already there, whatever their letter case.
        QString target = r.root;
        const QStringList parts = copy.relative.split(QLatin1Char('/'));
        for (qsizetype p = 0; p < parts.size(); ++p) {
            target = PathCase::resolve(target, parts[p]);
            if (p + 1 < parts.size() && !QFileInfo(target).isDir() && !QDir().mkpath(target))
                throw BackupError::writeFailed();
        }
        // Copied beside the target and renamed over it, so a failed copy
        // leaves the old file whole.
        const QString partial = target + QStringLiteral(".rxpart");
        QFile::remove(partial);
        if (!QFile::copy(copy.temporary, partial))
            throw BackupError::writeFailed();
        std::error_code failed;
        std::filesystem::rename(partial.toStdString(), target.toStdString(), failed);
        if (failed) {
            QFile::remove(partial);
            throw BackupError::writeFailed();
        }
        if (copy.date.isValid()) {
            QFile placed(target);
            if (placed.open(QIODevice::ReadWrite))
                placed.setFileTime(copy.date, QFileDevice::FileModificationTime);
        }
        QFile::remove(copy.temporary);
    }
}

int TBackupFile::Restore(const QString &backupFile, const QStringList &folders, const QString &destinationRoot,
                         bool restoreDictionary)
{
    if (!QFileInfo::exists(backupFile))
        return 0;
    continue_ = true;
    progress(QString(), 0, amStart);
    busy_ = true;
    const auto notBusy = qScopeGuard([this] { busy_ = false; });

    Restoring r;
    r.backupFile = backupFile;
    r.folders = folders;
    r.root = destinationRoot;
    r.dictionary = restoreDictionary;
    r.temporaryRoot = temporaryFolder();
    r.volume.setFileName(backupFile);
    if (!r.volume.open(QIODevice::ReadOnly))
        throw BackupError::readFailed();
    BackupReader reader(&r.volume);
    const BackupReader::Header header = reader.readHeader();
    totalKiB_ = header.totalKiB;
    doneKiB_ = 0;
    fileCount_ = 0;
    volume_ = 1;

    while (continue_) {
        const BackupReader::Record record = reader.readRecord();
        if (record.kind == BackupReader::Kind::End) {
            finishTemporaryCopy(r);
            break;
        }
        if (record.kind == BackupReader::Kind::VolumeChange) {
            // A volume ends only inside a file, and the next one follows it.
            if (!r.haveFile || record.nextVolume != r.volumeNumber + 1)
                throw BackupError::invalidType();
            if (!openRestoreVolume(r, record.nextVolume))
                break;
            volume_ = r.volumeNumber;
            reader.setVolume(&r.volume);
            if (!readFileChunk(r, reader))
                break;
            continue;
        }
        finishTemporaryCopy(r);
        r.haveFile = true;
        r.storedName = record.name;
        currentFile_ = record.name;
        const QDateTime date = DosDateTime::unpack(record.packedDate);
        bool restore = decideRestore(r, record.name, date);
        if (restore && OnRestoreFile)
            OnRestoreFile(*this, record.name, restore);
        if (restore) {
            const QString relative = StoredPath(record.name).relativeName();
            const QString temporary = QDir(r.temporaryRoot).filePath(relative);
            if (!QDir().mkpath(QFileInfo(temporary).path()))
                throw BackupError::writeFailed();
            r.file = std::make_unique<QFile>(temporary);
            if (!r.file->open(QIODevice::WriteOnly | QIODevice::Truncate))
                throw BackupError::writeFailed();
            // A file stored twice is put in place once, with its last copy.
            const auto known = r.copyIndex.constFind(temporary);
            if (known == r.copyIndex.cend()) {
                r.copyIndex.insert(temporary, r.copies.size());
                r.copies.append({temporary, relative, date});
                ++fileCount_;
            } else {
                r.copies[*known].date = date;
            }
        }
        if (!readFileChunk(r, reader))
            break;
    }
    finishTemporaryCopy(r);
    r.volume.close();
    // A stopped restore puts nothing in place and so restored nothing.
    if (!continue_)
        return 0;
    if (!r.copies.isEmpty())
        putCopiesInPlace(r);
    r.committed = true;
    removeEmptyFolders(r.temporaryRoot);
    progress(QString(), 100, amFinish);
    return fileCount_;
}

// ---- Readers ----------------------------------------------------------------

QString TBackupFile::ReadTitle(const QString &backupFile)
{
    QFile file(backupFile);
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly))
        throw BackupError::readFailed();
    return BackupReader(&file).readTitle();
}

namespace {

bool loadIdFile(BackupIdFile &id)
{
    if (id.exists() && id.load())
        return true;
    Messages::plain(QStringLiteral("Não foi possível identificar o conteúdo do backup.\r\nArquivo não encontrado:\r\n")
                    + id.path());
    return false;
}

} // namespace

bool TBackupFile::ReadContents(const QString &backupFile, QStringList &lines)
{
    lines.clear();
    BackupIdFile id(BackupIdFile::volumeName(backupFile, 1));
    if (!loadIdFile(id))
        return false;
    lines = id.olderKindLines();
    return true;
}

int TBackupFile::ReadVersion(const QString &backupFile)
{
    BackupIdFile id(BackupIdFile::volumeName(backupFile, 1));
    return loadIdFile(id) ? id.dictionaryVersion() : 0;
}
