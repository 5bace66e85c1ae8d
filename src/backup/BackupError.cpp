#include "backup/BackupError.h"

BackupError BackupError::readFailed() { return BackupError(QStringLiteral("Não foi possível ler arquivo")); }

BackupError BackupError::writeFailed() { return BackupError(QStringLiteral("Não foi possível gravar arquivo")); }

BackupError BackupError::invalidType() { return BackupError(QStringLiteral("Tipo de arquivo inválido")); }
