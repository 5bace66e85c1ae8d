#include "storage/Query.h"

#include "storage/DbError.h"
#include "storage/FieldCodec.h"
#include "storage/SqlConnection.h"

#include <QDate>
#include <QDateTime>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTime>

namespace {

QVariant bindable(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::QDate: return value.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    case QMetaType::QTime: return value.toTime().toString(QStringLiteral("HH:mm:ss"));
    case QMetaType::QDateTime: return value.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    case QMetaType::Bool: return qlonglong(value.toBool() ? 1 : 0);
    default: return value;
    }
}

} // namespace

Query::Query() = default;

Query::~Query()
{
    close();
}

void Query::setDirectory(const QString &dir)
{
    close();
    directory_ = dir;
}

void Query::setSql(const QString &sql)
{
    close();
    sql_ = sql;
    translated_.clear();
    values_.clear();
}

void Query::bindValue(const QString &name, const QVariant &value)
{
    QString key = name.startsWith(QLatin1Char(':')) ? name.mid(1) : name;
    values_.insert(key.toLower(), value);
}

void Query::fail(const QString &engineMessage) const
{
    throw DbError(engineMessage + QStringLiteral("\nSQL:\n") + sql_);
}

void Query::prepare()
{
    close();
    dialect_ = std::make_unique<SqlDialect>(sql_, directory_);
    translated_ = dialect_->sql();
    db_ = std::make_unique<SqlConnection>(QStringLiteral(":memory:"));
    // The old engine's LIKE told capitals from small letters; SQLite's does not by default.
    db_->exec(QStringLiteral("PRAGMA case_sensitive_like=ON"));
    for (const SqlDialect::Attachment &attachment : dialect_->attachments()) {
        QSqlQuery attach(db_->database());
        attach.prepare(QStringLiteral("ATTACH DATABASE ? AS ") + attachment.schema);
        attach.bindValue(0, attachment.path);
        if (!attach.exec())
            fail(attach.lastError().databaseText() + QStringLiteral(" (arquivo ") + attachment.path + QLatin1Char(')'));
        db_->exec(QStringLiteral("PRAGMA %1.journal_mode=DELETE").arg(attachment.schema));
        db_->exec(QStringLiteral("PRAGMA %1.synchronous=FULL").arg(attachment.schema));
    }
    query_ = std::make_unique<QSqlQuery>(db_->database());
    query_->setForwardOnly(true);
    if (!query_->prepare(translated_))
        fail(query_->lastError().databaseText());
}

void Query::run(QSqlQuery &query)
{
    const QStringList &names = dialect_->parameters();
    for (int i = 0; i < names.size(); ++i) {
        const auto found = values_.constFind(names.at(i).toLower());
        if (found == values_.constEnd())
            fail(QStringLiteral("Parâmetro sem valor: %1").arg(names.at(i)));
        query.bindValue(i, bindable(*found));
    }
    if (!query.exec())
        fail(query.lastError().databaseText());
}

void Query::open()
{
    prepare();
    try {
        run(*query_);
        const QSqlRecord record = query_->record();
        for (int i = 0; i < record.count(); ++i) {
            columns_ << record.fieldName(i);
            kinds_ << dialect_->kindOf(record.fieldName(i));
        }
    } catch (...) {
        close();
        throw;
    }
    open_ = true;
    rowIndex_ = -1;
    readRow();
}

void Query::close()
{
    query_.reset();
    db_.reset();
    dialect_.reset();
    columns_.clear();
    kinds_.clear();
    row_.clear();
    open_ = false;
    eof_ = true;
    rowIndex_ = -1;
}

int Query::execSql()
{
    prepare();
    int changed = 0;
    try {
        run(*query_);
        changed = query_->numRowsAffected();
    } catch (...) {
        close();
        throw;
    }
    close();
    return changed;
}

void Query::readRow()
{
    if (query_->next()) {
        row_.clear();
        for (int i = 0; i < columns_.size(); ++i) {
            const QVariant stored = query_->value(i);
            row_ << (kinds_.at(i) ? FieldCodec::fromStorage(*kinds_.at(i), stored) : stored);
        }
        ++rowIndex_;
        eof_ = false;
    } else {
        if (query_->lastError().isValid())
            fail(query_->lastError().databaseText());
        row_.clear();
        eof_ = true;
    }
}

void Query::first()
{
    if (!open_)
        throw DbError(QStringLiteral("A consulta não está aberta\nSQL:\n") + sql_);
    if (rowIndex_ == 0 && !eof_)
        return;
    rowIndex_ = -1;
    run(*query_);
    readRow();
}

void Query::next()
{
    if (!open_)
        throw DbError(QStringLiteral("A consulta não está aberta\nSQL:\n") + sql_);
    if (!eof_)
        readRow();
}

QVariant Query::value(const QString &column) const
{
    for (int i = 0; i < columns_.size(); ++i)
        if (columns_.at(i).compare(column, Qt::CaseInsensitive) == 0)
            return value(i);
    throw DbError(QStringLiteral("Campo \"%1\" não existe no resultado\nSQL:\n%2").arg(column, sql_));
}

QVariant Query::value(int column) const
{
    return column >= 0 && column < row_.size() ? row_.at(column) : QVariant();
}

QList<QVariantList> Query::rows()
{
    QList<QVariantList> all;
    for (first(); !eof_; next())
        all << row_;
    return all;
}

int Query::recordCount()
{
    if (!open_)
        throw DbError(QStringLiteral("A consulta não está aberta\nSQL:\n") + sql_);
    QSqlQuery count(db_->database());
    if (!count.prepare(QStringLiteral("SELECT count(*) FROM (%1)").arg(translated_)))
        fail(count.lastError().databaseText());
    run(count);
    return count.next() ? count.value(0).toInt() : 0;
}
