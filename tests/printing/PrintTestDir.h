#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// A temporary folder that also stands in as the system's temporary
// directory, so the engine's PF*.txt files of one test never meet another's.
class PrintTestDir
{
public:
    PrintTestDir() : previous_(qgetenv("TMPDIR"))
    {
        QDir().mkpath(path(QStringLiteral("tmp")));
        qputenv("TMPDIR", path(QStringLiteral("tmp")).toLocal8Bit());
    }
    ~PrintTestDir()
    {
        if (previous_.isEmpty())
            qunsetenv("TMPDIR");
        else
            qputenv("TMPDIR", previous_);
    }

    QString path(const QString &name = {}) const { return dir_.filePath(name); }
    QString tempPath(const QString &name) const { return path(QStringLiteral("tmp/") + name); }

    static QByteArray read(const QString &file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    static void write(const QString &file, const QByteArray &bytes)
    {
        QFile f(file);
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
    }

private:
    QTemporaryDir dir_;
    QByteArray previous_;
};
