#pragma once

#include <QDateTime>
#include <QFile>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

enum TBackupMode { bmAll, bmIncremental };
enum TRestoreMode { rmAll, rmNoOverwrite, rmNewer, rmExisting, rmExistingNewer };
// The Action of OnProgress.
enum TActionMode { amStart = 0, amCompress = 1, amDecompress = 2, amCopy = 3, amFinish = 4 };

class BackupReader;

// The older backup file: source files compressed block by block with
// LZRW1-KH into one file, or into volumes of MaxSize bytes (floppy disks), and
// restored through a temporary folder so that the installation is touched
// only after the whole backup was read. Failures throw BackupError.
class TBackupFile
{
public:
    using TProgressEvent = std::function<void(TBackupFile &sender, const QString &fileName, int percent,
                                              bool &continueRun, TActionMode action)>;
    using TNeedDiskEvent = std::function<void(TBackupFile &sender, int diskId, bool &continueRun)>;
    using TRestoreFileEvent = std::function<void(TBackupFile &sender, const QString &fileName, bool &doRestore)>;

    TBackupFile();
    ~TBackupFile();
    TBackupFile(const TBackupFile &) = delete;
    TBackupFile &operator=(const TBackupFile &) = delete;

    QString Version() const { return QStringLiteral("1.30"); }
    QString BackupTitle() const { return title_; }
    void setBackupTitle(const QString &title) { title_ = title; }
    TBackupMode BackupMode() const { return backupMode_; }
    void setBackupMode(TBackupMode mode);
    TRestoreMode RestoreMode() const { return restoreMode_; }
    void setRestoreMode(TRestoreMode mode) { restoreMode_ = mode; }
    qint64 MaxSize() const { return maxSize_; }
    void setMaxSize(qint64 bytes) { maxSize_ = qMax<qint64>(0, bytes); }
    bool SetArchiveFlag() const { return setArchiveFlag_; }
    void setSetArchiveFlag(bool on) { setArchiveFlag_ = on; }
    bool SaveFileID() const { return saveFileId_; }
    void setSaveFileID(bool on) { saveFileId_ = on; }

    TProgressEvent OnProgress;
    TNeedDiskEvent OnNeedDisk;
    TRestoreFileEvent OnRestoreFile;

    bool Backup(const QStringList &filesAndMasks, const QString &backupFile, int dictionaryVersion,
                const QStringList &contents, const QString &operatorName);
    // folders: "Tabelas", "Reports", "Tabelas\NNN"; an empty list takes every
    // folder. destinationRoot holds the "Tabelas" and "Reports" folders.
    int Restore(const QString &backupFile, const QStringList &folders, const QString &destinationRoot,
                bool restoreDictionary);
    QString ReadTitle(const QString &backupFile);
    bool ReadContents(const QString &backupFile, QStringList &lines);
    int ReadVersion(const QString &backupFile);
    void Cancel() { continue_ = false; }
    bool busy() const { return busy_; }

    // Volume N >= 2: the backup file's name with its extension replaced by N as "000".
    static QString volumeName(const QString &backupFile, int volume);

    // Free bytes of the file system holding folder; tests lower it.
    using FreeSpaceProbe = std::function<qint64(const QString &folder)>;
    void setFreeSpaceProbe(FreeSpaceProbe probe) { freeSpace_ = std::move(probe); }
    // The floppy drive letter a path lies on (A or B), or a null QChar. Only
    // Windows has such drives; tests stand in for one.
    using FloppyProbe = std::function<QChar(const QString &path)>;
    void setFloppyProbe(FloppyProbe probe) { floppy_ = std::move(probe); }
    // Where phase 1 of a restore puts the copies: by default the system's
    // temporary folder + the executable's base name.
    void setTemporaryFolder(const QString &folder) { temporaryFolder_ = folder; }
    QString temporaryFolder() const;

private:
    struct Writing;
    struct Restoring;

    QStringList gatherFiles(const QStringList &filesAndMasks) const;
    bool writeIdFile(Writing &w, int volume);
    bool createVolume(Writing &w);
    bool writeChunk(Writing &w, QFile &source, bool continuation);
    bool changeVolume(Writing &w);
    bool askForDisk(const QString &volumePath, int volume, bool forRestore);
    bool waitForFreeSpace(const QString &volumePath);
    bool openRestoreVolume(Restoring &r, int volume);
    bool decideRestore(const Restoring &r, const QString &storedName, const QDateTime &storedDate) const;
    bool readFileChunk(Restoring &r, BackupReader &reader);
    void finishTemporaryCopy(Restoring &r);
    void putCopiesInPlace(Restoring &r);

    void progress(const QString &fileName, int percent, TActionMode action);
    int percentDone() const;
    qint64 freeSpace(const QString &folder) const;
    QChar floppyDrive(const QString &path) const;

    QString title_;
    TBackupMode backupMode_ = bmAll;
    TRestoreMode restoreMode_ = rmAll;
    qint64 maxSize_ = 0;
    bool setArchiveFlag_ = false;
    bool saveFileId_ = false;
    FreeSpaceProbe freeSpace_;
    FloppyProbe floppy_;
    QString temporaryFolder_;

    bool busy_ = false;
    bool continue_ = true;
    qint64 totalKiB_ = 0;
    qint64 doneKiB_ = 0;
    int fileCount_ = 0;
    QString currentFile_;
    int volume_ = 0;
};
