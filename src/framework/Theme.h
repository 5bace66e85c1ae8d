#pragma once

#include <QIcon>
#include <QString>

// The operator's theme file (an INI file): icon files per window and tool
// button in "Icones", the opening and closing sounds in "Geral". The files
// it names lie below ExeDir + "bitmaps/".
class Theme
{
public:
    explicit Theme(const QString &themeFile);

    bool exists() const { return exists_; }
    // The full path of the file the theme names under section/key, when
    // both the entry and the file exist; empty otherwise.
    QString file(const QString &section, const QString &key) const;

    // The icon the logged-in operator's theme gives the window named name
    // ("ForPer"), when the operator takes icons from the theme; a null icon
    // otherwise (the window keeps its own).
    static QIcon windowIcon(const QString &name);

private:
    QString path_;
    bool exists_ = false;
};
