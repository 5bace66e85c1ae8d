#pragma once

#include <QList>
#include <QString>

class Table;

// One table a window needs: the data module's table object and where its file is.
struct TTabela
{
    Table *table = nullptr;
    QString tableName;
    QString directory;
};

// Which window uses which table: a table is opened by the first window that
// needs it and closed when the last one leaves.
class OpenTableRegister
{
public:
    static OpenTableRegister &instance();
    // Forgets every entry without closing tables (a change of working company,
    // whose data module closes them itself).
    static void renew();

    bool openWindowTables(const QString &window, const QList<TTabela> &tables);
    bool closeWindowTables(const QString &window);

    int count() const { return int(entries_.size()); }
    bool isRegistered(const Table *table) const;

private:
    struct TInfo
    {
        Table *table;
        QString window;
    };
    QList<TInfo> entries_;
};
