#pragma once

#include "storage/TableDef.h"

#include <QDate>
#include <QHash>
#include <QObject>
#include <QVariantList>
#include <QVector>

#include <functional>
#include <memory>
#include <optional>

class RecordLock;
class SqlConnection;
class QSqlQuery;

struct LocateOptions
{
    bool caseInsensitive = false;
    bool partialKey = false;
};

// The cursor over one table file that every register works with. The records
// in view (filter and range applied) are held as an ordered list of rowids;
// the records themselves are read a page at a time when asked for, so opening
// a table of a million records costs one index walk and eight bytes a record.
//
// Every engine failure throws DbError; a before-event handler returning false
// abandons its operation silently. Posting commits at once and durably (the
// file is synced), so another process sees the record as soon as post returns.
class Table : public QObject
{
    Q_OBJECT
public:
    enum class State { Inactive, Browse, Insert, Edit };
    using BeforeEvent = std::function<bool(Table &)>;
    using AfterEvent = std::function<void(Table &)>;

    explicit Table(QObject *parent = nullptr);
    ~Table() override;

    void setDirectory(const QString &dir);
    const QString &directory() const { return directory_; }
    // The file's base name, without ".db"; matched without case.
    void setTableName(const QString &name);
    const QString &tableName() const { return tableName_; }
    QString filePath() const;

    void open();
    void close();
    bool isOpen() const { return state_ != State::Inactive; }
    // Reads the list of records again (other cursors and processes may have
    // changed it), staying on the same record when it is still there.
    void refresh();

    void first();
    void next();
    void prior();
    void last();
    bool eof() const { return eof_; }
    bool bof() const { return bof_; }
    bool isEmpty() const { return rowids_.isEmpty(); }
    // 1-based; 0 when there is no record.
    int recordNumber() const { return pos_ + 1; }
    int recordCount() const { return int(rowids_.size()); }
    // Makes the record at 0-based position row current (grids).
    void moveTo(int row);

    // The order, as field names separated by ";" (without case); empty gives
    // the primary index's order, or the order of insertion without one.
    void setIndexFieldNames(const QString &fields);
    const QString &indexFieldNames() const { return indexFieldNames_; }
    // The fields that order the cursor now.
    QStringList orderFields() const;

    bool locate(const QString &fields, const QVariantList &values, LocateOptions options = {});
    // The first record whose index fields are equal to or follow values (the
    // last record when none does).
    void findNearest(const QVariantList &values);

    void setFilter(const QString &expression);
    const QString &filter() const { return filter_; }
    void setFiltered(bool on);
    bool filtered() const { return filtered_; }
    void setRange(const QVariantList &start, const QVariantList &end);
    void cancelRange();

    void append();
    void insert();
    void edit();
    void post();
    void cancel();
    void remove();
    State state() const { return state_; }
    bool modified() const { return modified_; }

    const QList<FieldDef> &fieldDefs() const { return fields_; }
    const QList<IndexDef> &indexDefs() const { return indexes_; }
    // Reads the index definitions from the file again (a restructure elsewhere may have changed them).
    void updateIndexDefs();
    bool hasField(const QString &name) const { return fieldIndex(name) >= 0; }
    int fieldIndex(const QString &name) const;

    QVariant value(const QString &field) const;
    void setValue(const QString &field, const QVariant &value);
    bool isNull(const QString &field) const { return value(field).isNull(); }
    QString asString(const QString &field) const;
    qlonglong asInt(const QString &field) const;
    double asDouble(const QString &field) const;
    double asCurrency(const QString &field) const { return asDouble(field); }
    QDate asDate(const QString &field) const;
    bool asBool(const QString &field) const;

    void setDisplayFormat(const QString &field, const QString &format);
    QString displayFormat(const QString &field) const;
    QString displayText(const QString &field) const;

    // The record's identity; survives changes of order and filter.
    qint64 bookmark() const;
    bool gotoBookmark(qint64 bookmark);
    // Posted records are already committed and synced; nothing is left to write.
    void flush();

    // Values of the record at 0-based position row, for grids.
    QVariant valueAt(int row, int field) const;
    QString displayTextAt(int row, int field) const;

    BeforeEvent beforeInsert, beforeEdit, beforeDelete, beforePost, beforeCancel;
    AfterEvent afterInsert, afterEdit, afterDelete, afterPost, afterCancel, afterOpen;

signals:
    // The list of records was read again: counts and positions may all differ.
    void rowsReset();
    // The current record changed (0-based row, -1 without records).
    void currentChanged(int row);
    void stateChanged();

private:
    static constexpr int pageSize = 64;

    void requireOpen() const;
    void requireBrowse();
    void checkBrowseMode();
    int requireField(const QString &name) const;
    QString fieldName(const QString &name) const;
    void load();
    void reloadAt(qint64 rowid, int fallback);
    bool inView(qint64 rowid) const;
    int orderedPosition(qint64 rowid) const;
    void place(qint64 rowid, bool moved);
    void setPosition(int pos);
    void dropCache() const;
    const QVariantList &row(int pos) const;
    QVariantList fetchRow(qint64 rowid) const;
    QString viewCondition(QVariantList &values) const;
    void beginInsert();
    void lockCurrent();
    void releaseLock();
    void setState(State state);
    [[noreturn]] void fail(const QString &what) const;

    QString directory_;
    QString tableName_;
    QString path_;
    QString sqlName_;
    QList<FieldDef> fields_;
    QList<IndexDef> indexes_;
    QHash<QString, QString> displayFormats_;

    QString indexFieldNames_;
    QStringList order_;
    QString filter_;
    bool filtered_ = false;
    QString filterSql_;
    QVariantList filterValues_;
    QString rangeSql_;
    QVariantList rangeValues_;

    State state_ = State::Inactive;
    QVector<qint64> rowids_;
    int pos_ = -1;
    bool eof_ = true;
    bool bof_ = true;
    QVariantList buffer_;
    QVector<bool> dirty_;
    bool modified_ = false;
    qint64 lockedRowid_ = -1;

    std::unique_ptr<SqlConnection> db_;
    std::unique_ptr<QSqlQuery> pageQuery_;
    std::unique_ptr<RecordLock> lock_;
    mutable QHash<int, QVector<QVariantList>> pages_;
};
