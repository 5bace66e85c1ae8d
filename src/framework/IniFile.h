#pragma once

#include <QString>
#include <QStringList>

#include <memory>

// An INI file with the Windows rules the old installations relied on: section
// and key names compared without regard to case, no escaping, lines before any
// section and duplicate keys tolerated (the first one wins), CRLF or LF ends.
// Read as UTF-8, or as cp1252 when the bytes are not UTF-8; written as UTF-8
// through a save file, so a failed write leaves the old file whole.
class IniFile
{
public:
    explicit IniFile(const QString &path);
    ~IniFile();
    IniFile(const IniFile &) = delete;
    IniFile &operator=(const IniFile &) = delete;

    QString path() const { return path_; }
    bool exists() const;

    // Reads the file; false when it is missing or cannot be read (errorText says why).
    // A missing file leaves an empty one to fill.
    bool load();
    bool save();
    QString errorText() const { return error_; }

    QString value(const QString &section, const QString &key, const QString &def = {}) const;
    int intValue(const QString &section, const QString &key, int def) const;
    void setValue(const QString &section, const QString &key, const QString &value);
    bool contains(const QString &section, const QString &key) const;
    void removeKey(const QString &section, const QString &key);
    void removeSection(const QString &section);

    QStringList sections() const;             // in file order
    QStringList keys(const QString &section) const; // in file order

private:
    struct Data;
    QString path_;
    QString error_;
    std::unique_ptr<Data> data_;
};
