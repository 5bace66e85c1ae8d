#pragma once

#include <QString>

#include <exception>

// A failed backup or restore. The text is the one the user is shown.
class BackupError : public std::exception
{
public:
    explicit BackupError(const QString &text) : text_(text), utf8_(text.toUtf8()) {}

    QString text() const { return text_; }
    const char *what() const noexcept override { return utf8_.constData(); }

    static BackupError readFailed();   // "Não foi possível ler arquivo"
    static BackupError writeFailed();  // "Não foi possível gravar arquivo"
    static BackupError invalidType();  // "Tipo de arquivo inválido"

private:
    QString text_;
    QByteArray utf8_;
};
