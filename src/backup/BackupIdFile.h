#pragma once

#include "framework/IniFile.h"

#include <QDateTime>
#include <QList>
#include <QPair>
#include <QStringList>

// The identification file that describes a backup: section "CABECALHO" with
// volume, date, time, operator and dictionary version; section "LISTA" with
// the content lines under three-digit keys.
class BackupIdFile
{
public:
    explicit BackupIdFile(const QString &path);

    // Inside a 7-Zip archive: the archive's folder + its base name + ".ID".
    static QString sevenZipName(const QString &archive);
    // Beside the older kind: folder + base name + volume "000" + ".ID".
    static QString volumeName(const QString &backupFile, int volume);

    QString path() const { return ini_.path(); }
    bool exists() const { return ini_.exists(); }
    // Reads the file when it exists; false when it is missing or unreadable.
    bool load() { return ini_.load(); }
    bool save() { return ini_.save(); }
    QString errorText() const { return ini_.errorText(); }

    void setHeader(int volume, const QDateTime &made, const QString &operatorName, int dictionaryVersion);
    // Erases "LISTA" and writes the lines under the given numbers ("000" ...).
    void setLines(const QList<QPair<int, QString>> &lines);
    // Erases "LISTA" and numbers the lines 000, 001, ... in order.
    void setLines(const QStringList &lines);

    QString date() const;  // "dd/mm/yyyy" as stored
    QString time() const;  // "hh:nn:ss" as stored
    QString operatorName() const;
    int dictionaryVersion() const; // 0 when missing

    // The 7-Zip kind's reading: non-empty values of keys "000" to "999" in that order.
    QStringList sevenZipLines() const;
    // The older kind's reading: the section's lines in file order, each without
    // its first four characters (the key and the equals sign).
    QStringList olderKindLines() const;

private:
    IniFile ini_;
};
