#include "storage/Table.h"

#include "storage/DbError.h"
#include "storage/DisplayFormat.h"
#include "storage/FieldCodec.h"
#include "storage/FilterExpression.h"
#include "storage/RecordLock.h"
#include "storage/RecordLockedError.h"
#include "storage/SqlConnection.h"
#include "storage/SqlText.h"
#include "storage/TableFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

namespace {

const QVariantList &emptyRow()
{
    static const QVariantList row;
    return row;
}

QString likePattern(const QString &text, bool partial)
{
    QString escaped;
    for (const QChar c : text) {
        if (c == QLatin1Char('%') || c == QLatin1Char('_') || c == QLatin1Char('\\'))
            escaped += QLatin1Char('\\');
        escaped += c;
    }
    return partial ? escaped + QLatin1Char('%') : escaped;
}

} // namespace

Table::Table(QObject *parent)
    : QObject(parent)
{
}

Table::~Table()
{
    pageQuery_.reset();
    db_.reset();
}

void Table::setDirectory(const QString &dir)
{
    if (isOpen())
        fail(QStringLiteral("não é possível mudar o diretório de uma tabela aberta"));
    directory_ = dir;
}

void Table::setTableName(const QString &name)
{
    if (isOpen())
        fail(QStringLiteral("não é possível mudar o nome de uma tabela aberta"));
    tableName_ = name.endsWith(QLatin1String(".db"), Qt::CaseInsensitive) ? name.chopped(3) : name;
}

QString Table::filePath() const
{
    return path_.isEmpty() ? TableFile::path(directory_, tableName_) : path_;
}

void Table::open()
{
    if (isOpen())
        return;
    const QString path = TableFile::path(directory_, tableName_);
    if (!QFileInfo(path).isFile())
        throw DbError(QStringLiteral("Tabela não encontrada: %1").arg(path));
    const TableDef definition = TableFile::readDefinition(path);
    auto db = std::make_unique<SqlConnection>(path);
    path_ = path;
    sqlName_ = SqlText::quote(definition.name);
    fields_ = definition.fields;
    indexes_ = definition.indexes;
    db_ = std::move(db);
    QStringList selected{QStringLiteral("rowid")};
    for (const FieldDef &field : fields_)
        selected << SqlText::quote(field.name);
    QStringList marks;
    for (int i = 0; i < pageSize; ++i)
        marks << QStringLiteral("?");
    try {
        pageQuery_ = std::make_unique<QSqlQuery>(db_->prepare(QStringLiteral("SELECT %1 FROM %2 WHERE rowid IN (%3)")
                                                                  .arg(selected.join(QLatin1String(", ")), sqlName_, marks.join(QLatin1Char(',')))));
        pageQuery_->setForwardOnly(true);
        order_.clear();
        for (const QString &name : indexFieldNames_.split(QLatin1Char(';'), Qt::SkipEmptyParts))
            order_ << fieldName(name.trimmed());
        if (filtered_ && !filter_.trimmed().isEmpty()) {
            const FilterExpression expression(filter_, fields_);
            filterSql_ = expression.sql();
            filterValues_ = expression.values();
        }
        state_ = State::Browse;
        load();
    } catch (...) {
        state_ = State::Inactive;
        pageQuery_.reset();
        db_.reset();
        path_.clear();
        throw;
    }
    setPosition(rowids_.isEmpty() ? -1 : 0);
    bof_ = true;
    emit rowsReset();
    emit stateChanged();
    if (afterOpen)
        afterOpen(*this);
}

void Table::close()
{
    if (!isOpen())
        return;
    releaseLock();
    lock_.reset();
    pageQuery_.reset();
    db_.reset();
    rowids_.clear();
    dropCache();
    buffer_.clear();
    modified_ = false;
    pos_ = -1;
    eof_ = bof_ = true;
    path_.clear();
    filterSql_.clear();
    filterValues_.clear();
    rangeSql_.clear();
    rangeValues_.clear();
    state_ = State::Inactive;
    emit rowsReset();
    emit stateChanged();
}

void Table::refresh()
{
    requireOpen();
    checkBrowseMode();
    reloadAt(bookmark(), pos_);
}

void Table::requireOpen() const
{
    if (!isOpen())
        fail(QStringLiteral("a tabela não está aberta"));
}

void Table::requireBrowse()
{
    requireOpen();
    checkBrowseMode();
}

// Moving away from a record being changed keeps the change, as the registers
// expect; an untouched insert or edit is simply left.
void Table::checkBrowseMode()
{
    if (state_ == State::Insert || state_ == State::Edit) {
        if (modified_)
            post();
        else
            cancel();
    }
}

void Table::fail(const QString &what) const
{
    throw DbError(QStringLiteral("%1: %2").arg(filePath(), what));
}

void Table::updateIndexDefs()
{
    requireOpen();
    indexes_ = TableFile::readDefinition(path_).indexes;
}

int Table::fieldIndex(const QString &name) const
{
    for (int i = 0; i < fields_.size(); ++i)
        if (fields_.at(i).name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int Table::requireField(const QString &name) const
{
    const int index = fieldIndex(name);
    if (index < 0)
        fail(QStringLiteral("campo \"%1\" não existe").arg(name));
    return index;
}

QString Table::fieldName(const QString &name) const
{
    return fields_.at(requireField(name)).name;
}

QStringList Table::orderFields() const
{
    if (!order_.isEmpty())
        return order_;
    for (const IndexDef &index : indexes_)
        if (index.primary)
            return index.fields;
    return {};
}

QString Table::viewCondition(QVariantList &values) const
{
    values << filterValues_ << rangeValues_;
    return SqlText::conjunction({filterSql_, rangeSql_});
}

void Table::load()
{
    QVariantList values;
    const QString where = viewCondition(values);
    QString sql = QStringLiteral("SELECT rowid FROM ") + sqlName_;
    if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where;
    sql += QStringLiteral(" ORDER BY ") + SqlText::orderBy(orderFields());
    rowids_ = db_->integers(sql, values);
    dropCache();
}

void Table::reloadAt(qint64 rowid, int fallback)
{
    load();
    int pos = rowid >= 0 ? int(rowids_.indexOf(rowid)) : -1;
    if (pos < 0)
        pos = qMin(qMax(fallback, 0), int(rowids_.size()) - 1);
    emit rowsReset();
    setPosition(pos);
}

void Table::setPosition(int pos)
{
    pos_ = rowids_.isEmpty() ? -1 : qBound(0, pos, int(rowids_.size()) - 1);
    eof_ = bof_ = rowids_.isEmpty();
    emit currentChanged(pos_);
}

void Table::dropCache() const
{
    pages_.clear();
}

void Table::first()
{
    requireBrowse();
    setPosition(0);
    bof_ = true;
}

void Table::last()
{
    requireBrowse();
    setPosition(int(rowids_.size()) - 1);
    eof_ = true;
}

void Table::next()
{
    requireBrowse();
    if (pos_ + 1 < rowids_.size()) {
        setPosition(pos_ + 1);
    } else {
        eof_ = true;
    }
}

void Table::prior()
{
    requireBrowse();
    if (pos_ > 0) {
        setPosition(pos_ - 1);
    } else {
        bof_ = true;
    }
}

void Table::moveTo(int row)
{
    requireBrowse();
    if (row != pos_)
        setPosition(row);
}

void Table::setIndexFieldNames(const QString &fields)
{
    QStringList order;
    if (isOpen()) {
        for (const QString &name : fields.split(QLatin1Char(';'), Qt::SkipEmptyParts))
            order << fieldName(name.trimmed());
        checkBrowseMode();
    }
    indexFieldNames_ = fields;
    if (!isOpen())
        return;
    order_ = order;
    // A range belongs to the order it was set on.
    rangeSql_.clear();
    rangeValues_.clear();
    reloadAt(bookmark(), 0);
}

bool Table::locate(const QString &fields, const QVariantList &values, LocateOptions options)
{
    requireBrowse();
    const QStringList names = fields.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    if (names.size() != values.size())
        fail(QStringLiteral("localização com %1 campos e %2 valores").arg(names.size()).arg(values.size()));
    QVariantList bound;
    QStringList conditions{viewCondition(bound)};
    for (int i = 0; i < names.size(); ++i) {
        const FieldDef &field = fields_.at(requireField(names.at(i).trimmed()));
        const QString column = SqlText::quote(field.name);
        const std::optional<QVariant> stored = FieldCodec::toStorage(field, values.at(i));
        if (!stored)
            return false; // a value the field cannot hold matches nothing
        if (stored->isNull()) {
            conditions << column + QLatin1String(" IS NULL");
            continue;
        }
        const bool text = field.kind == FieldKind::Text || field.kind == FieldKind::Memo;
        if (text && options.caseInsensitive) {
            conditions << column + QLatin1String(" LIKE ? ESCAPE '\\'");
            bound << likePattern(stored->toString(), options.partialKey);
        } else if (text && options.partialKey) {
            // The lower bound lets SQLite seek in an index on the field.
            conditions << QStringLiteral("%1 >= ? AND substr(%1, 1, %2) = ?").arg(column).arg(stored->toString().size());
            bound << *stored << *stored;
        } else {
            conditions << column + QLatin1String(" = ?");
            bound << *stored;
        }
    }
    const QString sql = QStringLiteral("SELECT rowid FROM %1 WHERE %2 ORDER BY %3 LIMIT 1")
                            .arg(sqlName_, SqlText::conjunction(conditions), SqlText::orderBy(orderFields()));
    const QVariant found = db_->scalar(sql, bound);
    if (found.isNull())
        return false;
    return gotoBookmark(found.toLongLong());
}

void Table::findNearest(const QVariantList &values)
{
    requireBrowse();
    const QStringList order = orderFields();
    if (values.size() > order.size())
        fail(QStringLiteral("busca com mais valores que campos do índice"));
    QVariantList keys;
    for (int i = 0; i < values.size(); ++i)
        keys << FieldCodec::toStorage(fields_.at(requireField(order.at(i))), values.at(i)).value_or(values.at(i));
    QVariantList bound;
    const QString view = viewCondition(bound);
    const QString key = SqlText::compareKey(order, keys, QStringLiteral(">="), bound);
    QString sql = QStringLiteral("SELECT rowid FROM ") + sqlName_;
    if (const QString where = SqlText::conjunction({view, key}); !where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where;
    sql += QStringLiteral(" ORDER BY ") + SqlText::orderBy(order) + QStringLiteral(" LIMIT 1");
    const QVariant found = db_->scalar(sql, bound);
    if (found.isNull() || !gotoBookmark(found.toLongLong()))
        last();
}

void Table::setFilter(const QString &expression)
{
    if (isOpen() && filtered_) {
        const FilterExpression parsed(expression, fields_);
        checkBrowseMode();
        filter_ = expression;
        filterSql_ = parsed.sql();
        filterValues_ = parsed.values();
        reloadAt(bookmark(), 0);
        return;
    }
    filter_ = expression;
}

void Table::setFiltered(bool on)
{
    if (!isOpen()) {
        filtered_ = on;
        return;
    }
    if (on == filtered_)
        return;
    if (on) {
        const FilterExpression parsed(filter_, fields_);
        checkBrowseMode();
        filterSql_ = parsed.sql();
        filterValues_ = parsed.values();
    } else {
        checkBrowseMode();
        filterSql_.clear();
        filterValues_.clear();
    }
    filtered_ = on;
    reloadAt(bookmark(), 0);
}

void Table::setRange(const QVariantList &start, const QVariantList &end)
{
    requireBrowse();
    const QStringList order = orderFields();
    if (order.isEmpty() || start.size() > order.size() || end.size() > order.size())
        fail(QStringLiteral("intervalo sem índice correspondente"));
    auto keys = [&](const QVariantList &values) {
        QVariantList converted;
        for (int i = 0; i < values.size(); ++i)
            converted << FieldCodec::toStorage(fields_.at(requireField(order.at(i))), values.at(i)).value_or(values.at(i));
        return converted;
    };
    QVariantList bound;
    const QString low = SqlText::compareKey(order, keys(start), QStringLiteral(">="), bound);
    const QString high = SqlText::compareKey(order, keys(end), QStringLiteral("<="), bound);
    rangeSql_ = SqlText::conjunction({low, high});
    rangeValues_ = bound;
    reloadAt(-1, 0);
}

void Table::cancelRange()
{
    requireBrowse();
    if (rangeSql_.isEmpty())
        return;
    rangeSql_.clear();
    rangeValues_.clear();
    reloadAt(bookmark(), 0);
}

void Table::setState(State state)
{
    state_ = state;
    emit stateChanged();
}

void Table::beginInsert()
{
    requireBrowse();
    if (beforeInsert && !beforeInsert(*this))
        return;
    buffer_ = QVariantList(fields_.size());
    dirty_ = QVector<bool>(fields_.size(), false);
    modified_ = false;
    setState(State::Insert);
    if (afterInsert)
        afterInsert(*this);
}

void Table::append()
{
    beginInsert();
}

void Table::insert()
{
    beginInsert();
}

void Table::lockCurrent()
{
    const qint64 rowid = bookmark();
    if (rowid < 0)
        fail(QStringLiteral("não há registro atual"));
    if (!lock_) {
        const QFileInfo file(path_);
        lock_ = std::make_unique<RecordLock>(file.dir().filePath(file.completeBaseName() + QLatin1String(".lck")));
    }
    if (!lock_->tryLock(rowid))
        throw RecordLockedError(QStringLiteral("Registro travado por outro usuário.\nTabela: %1").arg(path_));
    lockedRowid_ = rowid;
}

void Table::releaseLock()
{
    if (lock_ && lockedRowid_ >= 0)
        lock_->unlock(lockedRowid_);
    lockedRowid_ = -1;
}

void Table::edit()
{
    requireBrowse();
    if (rowids_.isEmpty())
        fail(QStringLiteral("não há registro para alterar"));
    if (beforeEdit && !beforeEdit(*this))
        return;
    QVariantList fresh;
    try {
        lockCurrent();
        // The record as it is now on disk, not as this cursor last read it.
        fresh = fetchRow(bookmark());
        if (fresh.isEmpty()) {
            releaseLock();
            fail(QStringLiteral("o registro foi excluído por outro usuário"));
        }
    } catch (...) {
        // The edit never began: what the before-event took (a semaphore
        // lock, say) is given back as for a cancelled edit.
        if (afterCancel)
            afterCancel(*this);
        throw;
    }
    buffer_ = fresh;
    dirty_ = QVector<bool>(fields_.size(), false);
    modified_ = false;
    setState(State::Edit);
    if (afterEdit)
        afterEdit(*this);
}

void Table::post()
{
    requireOpen();
    if (state_ != State::Insert && state_ != State::Edit)
        return;
    if (beforePost && !beforePost(*this))
        return;
    QStringList columns;
    QStringList marks;
    QVariantList values;
    bool reorders = !filterSql_.isEmpty() || !rangeSql_.isEmpty();
    const QStringList order = orderFields();
    qint64 rowid = -1;
    if (state_ == State::Insert) {
        for (int i = 0; i < fields_.size(); ++i) {
            const FieldDef &field = fields_.at(i);
            columns << SqlText::quote(field.name);
            if (field.kind == FieldKind::AutoInc && buffer_.at(i).isNull()) {
                marks << QStringLiteral("(SELECT ifnull(max(%1), 0) + 1 FROM %2)").arg(columns.last(), sqlName_);
            } else {
                marks << QStringLiteral("?");
                values << FieldCodec::toStorage(field, buffer_.at(i)).value_or(QVariant());
            }
        }
        QSqlQuery query = db_->prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                           .arg(sqlName_, columns.join(QLatin1String(", ")), marks.join(QLatin1String(", "))));
        db_->run(query, values);
        rowid = query.lastInsertId().toLongLong();
        reorders = true;
    } else {
        rowid = lockedRowid_;
        for (int i = 0; i < fields_.size(); ++i) {
            if (!dirty_.at(i))
                continue;
            columns << SqlText::quote(fields_.at(i).name) + QLatin1String(" = ?");
            values << FieldCodec::toStorage(fields_.at(i), buffer_.at(i)).value_or(QVariant());
            reorders = reorders || order.contains(fields_.at(i).name, Qt::CaseInsensitive);
        }
        if (!columns.isEmpty()) {
            values << rowid;
            QSqlQuery query = db_->prepare(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?").arg(sqlName_, columns.join(QLatin1String(", "))));
            db_->run(query, values);
            if (query.numRowsAffected() == 0)
                fail(QStringLiteral("o registro foi excluído por outro usuário"));
        }
        releaseLock();
    }
    buffer_.clear();
    modified_ = false;
    setState(State::Browse);
    place(rowid, reorders);
    if (afterPost)
        afterPost(*this);
}

namespace {

// SQLite's order of stored values, on the program's form of them: empty
// first, then numbers, then text compared by character codes.
int compareValues(const QVariant &a, const QVariant &b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull() ? 0 : (a.isNull() ? -1 : 1);
    const auto rank = [](const QVariant &v) {
        switch (v.typeId()) {
        case QMetaType::LongLong:
        case QMetaType::Int:
        case QMetaType::Double:
        case QMetaType::Bool: return 0;
        case QMetaType::QByteArray: return 2;
        default: return 1;
        }
    };
    if (rank(a) != rank(b))
        return rank(a) < rank(b) ? -1 : 1;
    if (rank(a) == 0) {
        if (a.typeId() == QMetaType::LongLong && b.typeId() == QMetaType::LongLong)
            return a.toLongLong() < b.toLongLong() ? -1 : (a.toLongLong() > b.toLongLong() ? 1 : 0);
        return a.toDouble() < b.toDouble() ? -1 : (a.toDouble() > b.toDouble() ? 1 : 0);
    }
    if (rank(a) == 2)
        return a.toByteArray().compare(b.toByteArray());
    const auto text = [](const QVariant &v) {
        switch (v.typeId()) {
        case QMetaType::QDate: return v.toDate().toString(Qt::ISODate);
        case QMetaType::QTime: return v.toTime().toString(QStringLiteral("HH:mm:ss"));
        case QMetaType::QDateTime: return v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        default: return v.toString();
        }
    };
    const QString left = text(a);
    const QString right = text(b);
    return left.compare(right);
}

} // namespace

bool Table::inView(qint64 rowid) const
{
    QVariantList values;
    const QString where = viewCondition(values);
    if (where.isEmpty())
        return true;
    values << rowid;
    return !db_->scalar(QStringLiteral("SELECT 1 FROM %1 WHERE %2 AND rowid = ?").arg(sqlName_, where), values).isNull();
}

// Where a record belongs in the ordered list, found by bisection over the
// records' keys, so posting into a large table does not read the list again.
int Table::orderedPosition(qint64 rowid) const
{
    QList<int> keyFields;
    for (const QString &name : orderFields())
        keyFields << requireField(name);
    const QVariantList record = fetchRow(rowid);
    auto before = [&](int pos) {
        const QVariantList &other = row(pos);
        if (other.isEmpty())
            return rowids_.at(pos) < rowid;
        for (const int field : keyFields) {
            const int c = compareValues(other.at(field), record.value(field));
            if (c != 0)
                return c < 0;
        }
        return rowids_.at(pos) < rowid;
    };
    int low = 0;
    int high = int(rowids_.size());
    while (low < high) {
        const int mid = low + (high - low) / 2;
        if (before(mid))
            low = mid + 1;
        else
            high = mid;
    }
    return low;
}

void Table::place(qint64 rowid, bool moved)
{
    dropCache();
    if (!moved) {
        emit rowsReset();
        emit currentChanged(pos_);
        return;
    }
    const int old = pos_ >= 0 && pos_ < rowids_.size() && rowids_.at(pos_) == rowid ? pos_ : int(rowids_.indexOf(rowid));
    if (old >= 0)
        rowids_.removeAt(old);
    int pos = pos_;
    if (inView(rowid)) {
        pos = orderedPosition(rowid);
        rowids_.insert(pos, rowid);
        dropCache();
    }
    emit rowsReset();
    setPosition(pos);
}

void Table::cancel()
{
    requireOpen();
    if (state_ != State::Insert && state_ != State::Edit)
        return;
    if (beforeCancel && !beforeCancel(*this))
        return;
    releaseLock();
    buffer_.clear();
    modified_ = false;
    setState(State::Browse);
    emit currentChanged(pos_);
    if (afterCancel)
        afterCancel(*this);
}

void Table::remove()
{
    requireBrowse();
    if (rowids_.isEmpty())
        fail(QStringLiteral("não há registro para excluir"));
    if (beforeDelete && !beforeDelete(*this))
        return;
    const qint64 rowid = bookmark();
    try {
        lockCurrent();
    } catch (...) {
        if (afterCancel)
            afterCancel(*this);
        throw;
    }
    try {
        QSqlQuery query = db_->prepare(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(sqlName_));
        db_->run(query, {rowid});
    } catch (...) {
        releaseLock();
        if (afterCancel)
            afterCancel(*this);
        throw;
    }
    releaseLock();
    rowids_.removeAt(pos_);
    dropCache();
    emit rowsReset();
    setPosition(pos_);
    if (afterDelete)
        afterDelete(*this);
}

QVariant Table::value(const QString &field) const
{
    requireOpen();
    const int index = requireField(field);
    if (state_ == State::Insert || state_ == State::Edit)
        return buffer_.at(index);
    const QVariantList &values = row(pos_);
    return index < values.size() ? values.at(index) : QVariant();
}

void Table::setValue(const QString &field, const QVariant &value)
{
    requireOpen();
    const int index = requireField(field);
    if (state_ != State::Insert && state_ != State::Edit)
        fail(QStringLiteral("a tabela não está em inclusão ou alteração"));
    const FieldDef &def = fields_.at(index);
    const std::optional<QVariant> stored = FieldCodec::toStorage(def, value);
    if (!stored)
        fail(QStringLiteral("\"%1\" não é um valor válido para o campo %2").arg(value.toString(), def.name));
    buffer_[index] = FieldCodec::fromStorage(def.kind, *stored);
    dirty_[index] = true;
    modified_ = true;
}

QString Table::asString(const QString &field) const
{
    const QVariant v = value(field);
    const FieldKind kind = fields_.at(requireField(field)).kind;
    if (kind == FieldKind::Date || kind == FieldKind::Time || kind == FieldKind::Timestamp || kind == FieldKind::Number
        || kind == FieldKind::Currency)
        return DisplayFormat::text(v, kind);
    return v.toString();
}

qlonglong Table::asInt(const QString &field) const
{
    return value(field).toLongLong();
}

double Table::asDouble(const QString &field) const
{
    return value(field).toDouble();
}

QDate Table::asDate(const QString &field) const
{
    const QVariant v = value(field);
    return v.typeId() == QMetaType::QDateTime ? v.toDateTime().date() : v.toDate();
}

bool Table::asBool(const QString &field) const
{
    return value(field).toBool();
}

void Table::setDisplayFormat(const QString &field, const QString &format)
{
    displayFormats_.insert(field.toLower(), format);
}

QString Table::displayFormat(const QString &field) const
{
    return displayFormats_.value(field.toLower());
}

QString Table::displayText(const QString &field) const
{
    const int index = requireField(field);
    return DisplayFormat::text(value(field), fields_.at(index).kind, displayFormat(field));
}

qint64 Table::bookmark() const
{
    return pos_ >= 0 && pos_ < rowids_.size() ? rowids_.at(pos_) : -1;
}

bool Table::gotoBookmark(qint64 bookmark)
{
    requireBrowse();
    int pos = int(rowids_.indexOf(bookmark));
    if (pos < 0) {
        // The list may predate the record (posted through another cursor).
        load();
        emit rowsReset();
        pos = int(rowids_.indexOf(bookmark));
        if (pos < 0) {
            setPosition(pos_);
            return false;
        }
    }
    setPosition(pos);
    return true;
}

void Table::flush()
{
    requireOpen();
}

QVariant Table::valueAt(int row, int field) const
{
    requireOpen();
    if (row == pos_ && (state_ == State::Edit))
        return buffer_.value(field);
    const QVariantList &values = this->row(row);
    return field >= 0 && field < values.size() ? values.at(field) : QVariant();
}

QString Table::displayTextAt(int row, int field) const
{
    if (field < 0 || field >= fields_.size())
        return QString();
    return DisplayFormat::text(valueAt(row, field), fields_.at(field).kind, displayFormat(fields_.at(field).name));
}

const QVariantList &Table::row(int pos) const
{
    if (pos < 0 || pos >= rowids_.size())
        return emptyRow();
    const int page = pos / pageSize;
    auto found = pages_.constFind(page);
    if (found == pages_.constEnd()) {
        if (pages_.size() >= 64)
            dropCache();
        const int start = page * pageSize;
        const int count = qMin(pageSize, int(rowids_.size()) - start);
        for (int i = 0; i < pageSize; ++i)
            pageQuery_->bindValue(i, rowids_.at(start + qMin(i, count - 1)));
        if (!pageQuery_->exec())
            db_->fail(pageQuery_->lastError(), pageQuery_->lastQuery());
        QHash<qint64, QVariantList> byRowid;
        while (pageQuery_->next()) {
            QVariantList values;
            values.reserve(fields_.size());
            for (int i = 0; i < fields_.size(); ++i)
                values << FieldCodec::fromStorage(fields_.at(i).kind, pageQuery_->value(i + 1));
            byRowid.insert(pageQuery_->value(0).toLongLong(), values);
        }
        pageQuery_->finish();
        QVector<QVariantList> rows(count);
        for (int i = 0; i < count; ++i)
            rows[i] = byRowid.value(rowids_.at(start + i));
        found = pages_.insert(page, rows);
    }
    return found->at(pos - page * pageSize);
}

QVariantList Table::fetchRow(qint64 rowid) const
{
    QStringList selected;
    for (const FieldDef &field : fields_)
        selected << SqlText::quote(field.name);
    QSqlQuery query = db_->prepare(QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?").arg(selected.join(QLatin1String(", ")), sqlName_));
    db_->run(query, {rowid});
    QVariantList values;
    if (query.next())
        for (int i = 0; i < fields_.size(); ++i)
            values << FieldCodec::fromStorage(fields_.at(i).kind, query.value(i));
    return values;
}
