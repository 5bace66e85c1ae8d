#include "framework/DataDictionary.h"

#include "framework/IntegrityChecker.h"
#include "framework/Messages.h"
#include "framework/ProgressText.h"
#include "framework/Session.h"
#include "framework/SqlErrorLog.h"
#include "framework/StructureBuilder.h"
#include "framework/UniKernix.h"
#include "storage/DbError.h"
#include "storage/PathCase.h"
#include "storage/Query.h"
#include "storage/RecordLockedError.h"
#include "storage/TableFile.h"

#include <QDir>

namespace {

const QString kIndexPrefix = QStringLiteral("Índice por ");

using PathCase::withSeparator;

bool isCopyName(const QString &name) { return name.right(2).toUpper() == QLatin1String("_X"); }

} // namespace

DataDictionary::DataDictionary()
{
    TbStr.setObjectName(QStringLiteral("TbStr"));
    TbStr.setTableName(QStringLiteral("TbStr"));
    TbStrD.setObjectName(QStringLiteral("TbStrD"));
    TbStrD.setTableName(QStringLiteral("TbStrD"));
    TbVerEstru.setObjectName(QStringLiteral("TbVerEstru"));
    TbVerEstru.setTableName(QStringLiteral("TbVerEstru"));
}

void DataDictionary::readVersion()
{
    TbStr.first();
    version_ = TbStr.eof() ? 0 : int(TbStr.asInt(QStringLiteral("ver_str")));
}

QString DataDictionary::indexDescriptionsSql()
{
    return QStringLiteral("SELECT Cabec.Tab_Str, Detal.Cam_Str, Detal.Des_Str\n"
                          "FROM \"TbStr.db\" Cabec left join \"TbStrD.db\" Detal ON Cabec.Tab_Str = Detal.Tab_Str\n"
                          "WHERE ( Detal.Tip_Str = \"I\") and\n"
                          "      ( Cabec.Apl_Str = \"REMETIX\" OR Apl_Str = \"GENERICO\" )\n"
                          "ORDER BY Tab_Str");
}

bool DataDictionary::loadIndexDescriptions(const QString &tabelasDir)
{
    indexRows_.clear();
    indexesLoaded_ = false;
    Query query;
    query.setDirectory(tabelasDir);
    query.setSql(indexDescriptionsSql());
    try {
        query.open();
        for (query.first(); !query.eof(); query.next())
            indexRows_.append({query.value(0).toString().trimmed(), query.value(1).toString().trimmed(),
                               query.value(2).toString().trimmed()});
    } catch (const DbError &e) {
        indexRows_.clear();
        SqlErrorLog::write(QStringLiteral("QDesCampo"), QStringLiteral("TabPadroes"), query.originalSql());
        Kernix::TrataErro(QStringLiteral("Não foi possível carregar descrição de índices."), e.message());
        return false;
    }
    indexesLoaded_ = true;
    return true;
}

QString DataDictionary::tableDescription(const QString &name)
{
    QString base = name.trimmed();
    const bool copy = isCopyName(base);
    if (copy)
        base.chop(2);
    if (!TbStr.isOpen() || !TbStr.locate(QStringLiteral("tab_str"), {base.toUpper()}))
        return {};
    QString description = Kernix::PrimeiraLetraMaiuscula(TbStr.asString(QStringLiteral("nom_str")).trimmed());
    if (copy)
        description += QStringLiteral(" excluidos");
    return description;
}

QString DataDictionary::indexDescription(const QString &table, const QString &fieldList) const
{
    const QString t = table.toUpper();
    const QString f = fieldList.toUpper();
    for (const IndexRow &row : indexRows_)
        if (row.table == t && row.fields == f)
            return row.description.mid(kIndexPrefix.size());
    return {};
}

QString DataDictionary::indexFields(const QString &table, const QString &description) const
{
    QString wanted = description;
    const qsizetype amp = wanted.indexOf(QLatin1Char('&'));
    if (amp >= 0)
        wanted.remove(amp, 1);
    const QString t = table.toUpper();
    for (const IndexRow &row : indexRows_)
        if (row.table == t && row.description == wanted)
            return row.fields;
    return {};
}

QString DataDictionary::verifiedKey(const QString &directory, const QString &fileBase)
{
    return withSeparator(directory).toUpper() + (fileBase + QStringLiteral(".db")).toUpper();
}

void DataDictionary::releaseStamps(const QString &directory, const QString &tableName)
{
    const TableDef def = TableFile::readDefinition(directory, tableName);
    bool stamped = false;
    for (const FieldDef &field : def.fields)
        stamped |= field.name.compare(QLatin1String("ass_opr"), Qt::CaseInsensitive) == 0;
    if (!stamped)
        return;
    Query update;
    update.setDirectory(directory);
    update.setSql(QStringLiteral("UPDATE ") + tableName + QStringLiteral(" SET ASS_OPR = 0"));
    update.execSql();
}

bool DataDictionary::locateVerified(const QString &key)
{
    return TbVerEstru.locate(QStringLiteral("tab_est"), {key});
}

bool DataDictionary::checkStructure(const QString &tableNameIn, const QString &dictNameIn, const QString &directoryIn,
                                    const QString &programDir)
{
    const QString directory = withSeparator(directoryIn);
    QDir().mkpath(directory);

    if (Session::values().IntegrityCheckMode != 0
        && !IntegrityChecker::CheckTable(directory + tableNameIn, programDir, QStringLiteral("RX")))
        return false;

    QString tableName = tableNameIn;
    QString dictName = dictNameIn;
    const bool copy = isCopyName(tableName);
    if (copy) {
        tableName.chop(2);
        if (isCopyName(dictName))
            dictName.chop(2);
    }
    QString fileBase = tableName.trimmed().isEmpty() ? dictName.trimmed() : tableName.trimmed();
    if (copy)
        fileBase += QStringLiteral("_X");
    const QString description = tableDescription(copy ? dictName + QStringLiteral("_x") : dictName);

    if (!TableFile::exists(directory, fileBase))
        return createTable(dictName, directory, programDir, tableName, copy, fileBase, description);
    return verifyTable(dictName, directory, programDir, tableName, copy, fileBase, description);
}

bool DataDictionary::createTable(const QString &dictName, const QString &directory, const QString &programDir,
                                 const QString &tableName, bool copy, const QString &fileBase,
                                 const QString &description)
{
    const QString key = verifiedKey(directory, fileBase);
    QString error;
    bool recorded = false;
    try {
        TbVerEstru.refresh();
        if (locateVerified(key))
            TbVerEstru.edit();
        else
            TbVerEstru.append();
        TbVerEstru.setValue(QStringLiteral("tab_est"), key);
        TbVerEstru.setValue(QStringLiteral("ver_est"), version_);
        recorded = true;
    } catch (const DbError &e) {
        error = e.message();
    }
    Progress::show(QStringLiteral("Criando ") + description);
    if (recorded && StructureBuilder::create(dictName, directory, programDir, tableName, copy, &error)) {
        try {
            TbVerEstru.post();
            Progress::show(QString());
            return true;
        } catch (const DbError &e) {
            error = e.message();
        }
    }
    if (TbVerEstru.state() == Table::State::Insert || TbVerEstru.state() == Table::State::Edit)
        TbVerEstru.cancel();
    Messages::error(QStringLiteral("Erro de criação de") + description + QStringLiteral("\r\n") + QStringLiteral("Caminho: ")
                    + directory + QStringLiteral("\r\n")
                    + QStringLiteral("Verifique se o caminho é valido e se há espaço suficiente em disco.")
                    + QStringLiteral("\r\n") + QStringLiteral("A aplicação será terminada"));
    return false;
}

bool DataDictionary::verifyTable(const QString &dictName, const QString &directory, const QString &programDir,
                                 const QString &tableName, bool copy, const QString &fileBase,
                                 const QString &description)
{
    const QString key = verifiedKey(directory, fileBase);
    const auto failed = [&]() {
        if (TbVerEstru.state() == Table::State::Insert || TbVerEstru.state() == Table::State::Edit)
            TbVerEstru.cancel();
        Messages::error(QStringLiteral("Não foi possível fazer mudança de estrutura de ") + description
                        + QStringLiteral("\r\n") + QStringLiteral("Caminho: ") + directory + QStringLiteral("\r\n")
                        + QStringLiteral("Verifique se o caminho é válido e se há espaço suficiente em disco.")
                        + QStringLiteral("\r\n") + QStringLiteral("A aplicação será terminada."));
        return false;
    };
    try {
        TbVerEstru.refresh();
        if (locateVerified(key)) {
            TbVerEstru.refresh();
            if (TbVerEstru.asInt(QStringLiteral("ver_est")) >= version_)
                return true;
            for (;;) {
                try {
                    TbVerEstru.edit();
                    TbVerEstru.setValue(QStringLiteral("tab_est"), key);
                    TbVerEstru.setValue(QStringLiteral("ver_est"), version_);
                    break;
                } catch (const RecordLockedError &) {
                    const MsgAnswer answer = Messages::show(
                        MsgIcon::Confirmation, MsgButtons::YesCancel,
                        QStringLiteral("Tabela ") + fileBase + QStringLiteral(" está sendo verificada por outro operador.")
                            + QStringLiteral("\r\n")
                            + QStringLiteral("Deseja tentar novamente ou cancelar a execução do sistema?"));
                    if (answer != MsgAnswer::Yes)
                        return false;
                    TbVerEstru.refresh();
                    if (locateVerified(key) && TbVerEstru.asInt(QStringLiteral("ver_est")) >= version_)
                        return true;
                    // Still outdated: take the record again rather than
                    // restructure a file another computer may be rewriting.
                    continue;
                }
            }
        } else {
            TbVerEstru.append();
            TbVerEstru.setValue(QStringLiteral("tab_est"), key);
            TbVerEstru.setValue(QStringLiteral("ver_est"), version_);
        }
    } catch (const DbError &) {
        return failed();
    }
    Progress::show(QStringLiteral("Verificando estrutura de ") + description);
    QString error;
    if (!StructureBuilder::update(dictName, directory, programDir, tableName, copy, &error))
        return failed();
    try {
        if (TbVerEstru.state() == Table::State::Insert || TbVerEstru.state() == Table::State::Edit)
            TbVerEstru.post();
    } catch (const DbError &) {
        return failed();
    }
    return true;
}
