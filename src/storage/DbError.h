#pragma once

#include <QByteArray>
#include <QString>

#include <exception>

// Every failure of the engine: a missing or damaged file, a syntax error, a
// value that does not fit. The text names the file or the SQL it is about.
class DbError : public std::exception
{
public:
    explicit DbError(const QString &message);

    const QString &message() const { return message_; }
    const char *what() const noexcept override { return utf8_.constData(); }

private:
    QString message_;
    QByteArray utf8_;
};
