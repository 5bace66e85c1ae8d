#include "framework/OpenTableRegister.h"

#include "framework/ProgressText.h"
#include "framework/UniKernix.h"
#include "framework/UniTabPadroes.h"
#include "framework/WaitCursor.h"
#include "storage/DbError.h"
#include "storage/Table.h"

#include <memory>

namespace {
std::unique_ptr<OpenTableRegister> &current()
{
    static std::unique_ptr<OpenTableRegister> reg = std::make_unique<OpenTableRegister>();
    return reg;
}
} // namespace

OpenTableRegister &OpenTableRegister::instance() { return *current(); }

void OpenTableRegister::renew() { current() = std::make_unique<OpenTableRegister>(); }

bool OpenTableRegister::isRegistered(const Table *table) const
{
    for (const TInfo &info : entries_)
        if (info.table == table)
            return true;
    return false;
}

bool OpenTableRegister::openWindowTables(const QString &window, const QList<TTabela> &tables)
{
    WaitCursor cursor;
    try {
        for (const TTabela &entry : tables) {
            if (!isRegistered(entry.table)) {
                QString description = entry.tableName;
                if (TTabPadroes *global = TTabPadroes::instance())
                    description = global->Dictionary.tableDescription(entry.tableName);
                Progress::show(QStringLiteral("Abrindo ") + description);
                entry.table->close();
                entry.table->setTableName(entry.tableName);
                entry.table->setDirectory(entry.directory);
                entry.table->open();
                Progress::show(QString());
            }
            entries_.append({entry.table, window});
        }
    } catch (const DbError &e) {
        cursor.restore();
        Progress::show(QString());
        Kernix::TrataErro(QStringLiteral("Não foi possível abrir tabelas para o form  ") + window, e.message());
        return false;
    }
    Progress::show(QString());
    return true;
}

bool OpenTableRegister::closeWindowTables(const QString &window)
{
    if (entries_.isEmpty())
        return true;
    WaitCursor cursor;
    const QString name = window.toUpper();
    try {
        for (const TInfo &info : entries_) {
            if (info.window.toUpper() != name)
                continue;
            bool shared = false;
            for (const TInfo &other : entries_)
                shared |= other.table == info.table && other.window.toUpper() != name;
            if (!shared)
                info.table->close();
        }
    } catch (const DbError &e) {
        cursor.restore();
        Kernix::TrataErro(QStringLiteral("Não foi possível fechar tabelas para o form ") + window, e.message());
        return false;
    }
    entries_.removeIf([&](const TInfo &info) { return info.window.toUpper() == name; });
    return true;
}
