#include "framework/RecordLocking.h"

#include "framework/Messages.h"
#include "framework/Session.h"
#include "framework/UniKernix.h"
#include "framework/WaitCursor.h"
#include "storage/DbError.h"
#include "storage/PathCase.h"
#include "storage/RecordLockedError.h"
#include "storage/Table.h"
#include "storage/TableFile.h"

#include <QFile>
#include <QSet>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace RecordLocking {

namespace {

const QString kRetry = QStringLiteral("Para continuar tentando escolha \"Sim\".\r\nPara abortar o processo escolha \"Não\".");

const QSet<QString> &globalTables()
{
    static const QSet<QString> names{
        QStringLiteral("TBEMP"), QStringLiteral("TBOPR"), QStringLiteral("TBOPRLOG"), QStringLiteral("TBOPRLOG1"),
        QStringLiteral("TBNIV"), QStringLiteral("TBMOD"), QStringLiteral("TBETQ"), QStringLiteral("TBCEP"),
        QStringLiteral("TBSTR"), QStringLiteral("TBSTRD"), QStringLiteral("TBVERESTRU"), QStringLiteral("TBJUR"),
        QStringLiteral("TBCTD"), QStringLiteral("TBGIAPAI"), QStringLiteral("TBORG"), QStringLiteral("TBCAE"),
        QStringLiteral("TBCNAE"), QStringLiteral("TBRAMATIV"),
    };
    return names;
}

// The company module's tables and whether they live with the central company.
const QHash<QString, bool> &companyTables()
{
    static const QHash<QString, bool> names{
        {QStringLiteral("TBCLI"), true}, {QStringLiteral("TBCLI2"), true}, {QStringLiteral("TBSITUA"), true},
        {QStringLiteral("TBFOR"), true}, {QStringLiteral("TBPLA"), true}, {QStringLiteral("TBPCLI"), true},
        {QStringLiteral("TBITE"), true}, {QStringLiteral("TBCLIENQ"), true}, {QStringLiteral("TBCLIMV"), true},
        {QStringLiteral("TBCLIQS"), true}, {QStringLiteral("TBCLIFAT"), true}, {QStringLiteral("TBTIT"), false},
        {QStringLiteral("TBLOG"), false},
    };
    return names;
}

QString tabelas() { return PathCase::resolve(Session::values().ProgramDir, QStringLiteral("Tabelas")); }

QString companyFile(int code)
{
    const QString dir = PathCase::resolve(tabelas(), QStringLiteral("%1").arg(code, 3, 10, QLatin1Char('0')));
    return PathCase::resolve(dir, QStringLiteral("Semaforo.trv"));
}

// One exclusive pass over a semaphore file.
class SemaphoreFile
{
public:
    explicit SemaphoreFile(const QString &path, bool create)
    {
        const QByteArray native = QFile::encodeName(path);
        fd_ = ::open(native.constData(), O_RDWR | O_CLOEXEC | (create ? O_CREAT : 0), 0666);
        if (fd_ >= 0 && ::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
            ::close(fd_);
            fd_ = -1;
        }
    }
    ~SemaphoreFile()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    bool isOpen() const { return fd_ >= 0; }

    QByteArray readAll() const
    {
        QByteArray bytes;
        char buffer[4096];
        ::lseek(fd_, 0, SEEK_SET);
        for (ssize_t n; (n = ::read(fd_, buffer, sizeof buffer)) > 0;)
            bytes.append(buffer, n);
        return bytes;
    }
    bool writeAt(qint64 offset, const QByteArray &bytes) const
    {
        return ::pwrite(fd_, bytes.constData(), size_t(bytes.size()), offset) == bytes.size();
    }

private:
    int fd_ = -1;
};

struct Holder
{
    qint64 offset = -1; // of the matching record, -1 without one
    int code = 0;
};

Holder findHolder(const QByteArray &bytes, const QString &name)
{
    const QByteArray wanted = name.toLatin1();
    for (qint64 at = 0; at + recordSize <= bytes.size(); at += recordSize) {
        QByteArray text = bytes.mid(at, recordSize);
        const qsizetype zero = text.indexOf('\0');
        if (zero >= 0)
            text.truncate(zero);
        const qsizetype eq = text.indexOf('=');
        if (eq < 0 || text.left(eq) != wanted)
            continue;
        return {at, text.mid(eq + 1).toInt()};
    }
    return {};
}

// A holder whose session ended without unlocking keeps its records taken;
// it is only a real holder while some running copy holds its presence record.
bool holderIsRunning(int code)
{
    if (!TableFile::exists(tabelas(), QStringLiteral("TbOprLog")))
        return true;
    try {
        Table presence;
        presence.setDirectory(tabelas());
        presence.setTableName(QStringLiteral("TbOprLog"));
        presence.open();
        for (presence.first(); !presence.eof(); presence.next()) {
            if (presence.asInt(QStringLiteral("cod_opr")) != code)
                continue;
            try {
                presence.edit();
                presence.cancel();
            } catch (const RecordLockedError &) {
                return true;
            }
        }
        return false;
    } catch (const DbError &) {
        return true;
    }
}

QString operatorText(int code)
{
    try {
        Table operators;
        operators.setDirectory(tabelas());
        operators.setTableName(QStringLiteral("TbOpr"));
        operators.open();
        if (operators.locate(QStringLiteral("cod_opr"), {code})) {
            QString text = operators.asString(QStringLiteral("nom_opr")).trimmed();
            const QString dep = operators.asString(QStringLiteral("dep_opr")).trimmed();
            const QString fon = operators.asString(QStringLiteral("fon_opr")).trimmed();
            if (!dep.isEmpty())
                text += QStringLiteral(" do departamento ") + dep;
            if (!fon.isEmpty())
                text += QStringLiteral(" ramal ") + fon;
            return text;
        }
    } catch (const DbError &) {
    }
    return QString::number(code);
}

bool accessQuestion(MsgIcon icon)
{
    return Messages::show(icon, MsgButtons::YesNo,
                          QStringLiteral("ERRO DE TRAVAMENTO\r\nNão foi possível acessar o controle de travamentos (semáforo)!\r\n")
                              + kRetry)
        == MsgAnswer::Yes;
}

bool lockOne(const QString &name, WaitCursor &cursor)
{
    const QString path = semaphoreFile(name);
    if (path.isEmpty())
        return false;
    const int own = Session::values().OperatorCode;
    int count = 0;
    for (;;) {
        SemaphoreFile file(path, true);
        if (!file.isOpen()) {
            if (++count < attempts) {
                Kernix::Delay(1000);
                continue;
            }
            cursor.restore();
            if (!accessQuestion(MsgIcon::Warning))
                return false;
            cursor.again();
            count = 0;
            continue;
        }
        const QByteArray bytes = file.readAll();
        const Holder holder = findHolder(bytes, name);
        if (holder.code > 0 && holder.code != own && holderIsRunning(holder.code)) {
            if (++count < attempts) {
                Kernix::Delay(1000);
                continue;
            }
            cursor.restore();
            const MsgAnswer answer = Messages::show(
                MsgIcon::Warning, MsgButtons::YesNo,
                QStringLiteral("ERRO DE TRAVAMENTO\r\nOperador ") + operatorText(holder.code) + QStringLiteral("\r\n")
                    + QStringLiteral("está travando o registro desejado.") + QStringLiteral("\r\n") + kRetry);
            if (answer != MsgAnswer::Yes)
                return false;
            cursor.again();
            count = 0;
            continue;
        }
        const qint64 at = holder.offset >= 0 ? holder.offset : (bytes.size() / recordSize) * recordSize;
        return file.writeAt(at, record(name, own));
    }
}

} // namespace

QByteArray record(const QString &name, int operatorCode)
{
    QByteArray bytes = (name + QLatin1Char('=') + QString::number(operatorCode)).toLatin1().left(recordSize);
    bytes.append(QByteArray(recordSize - bytes.size(), '\0'));
    return bytes;
}

QString semaphoreFile(const QString &tableName)
{
    const QString name = tableName.trimmed().toUpper();
    const SessionValues &session = Session::values();
    static const QSet<QString> companyCoded{QStringLiteral("TBVENDA"), QStringLiteral("TBBASU"),
                                            QStringLiteral("TBDECO"), QStringLiteral("TBSAIDAS")};
    if (companyCoded.contains(name))
        return companyFile(session.CompanyCode);
    if (globalTables().contains(name))
        return PathCase::resolve(tabelas(), QStringLiteral("Semaforo.trv"));
    const auto company = companyTables().constFind(name);
    if (company != companyTables().constEnd()) {
        const QString dir = *company ? session.CentralDir : session.CompanyDir;
        QString trimmed = dir;
        while (trimmed.endsWith(QLatin1Char('/')))
            trimmed.chop(1);
        bool ok = false;
        const int code = trimmed.right(3).toInt(&ok);
        if (ok && !trimmed.isEmpty())
            return companyFile(code);
    }
    if (session.CompanyCode > 0)
        return companyFile(session.CompanyCode);
    Messages::error(QStringLiteral("ERRO DE TRAVAMENTO DE ARQUIVOS\r\nNão foi possível encontrar objeto ") + name);
    return {};
}

bool lock(const QStringList &names)
{
    if (!Session::values().LockingActive)
        return true;
    WaitCursor cursor;
    QStringList taken;
    for (const QString &raw : names) {
        const QString name = raw.trimmed().toUpper();
        if (name.isEmpty())
            continue;
        if (!lockOne(name, cursor)) {
            for (auto it = taken.crbegin(); it != taken.crend(); ++it)
                unlock({*it});
            return false;
        }
        taken << name;
    }
    return true;
}

bool unlock(const QStringList &names)
{
    if (!Session::values().LockingActive)
        return true;
    WaitCursor cursor;
    for (const QString &raw : names) {
        const QString name = raw.trimmed().toUpper();
        if (name.isEmpty())
            continue;
        const QString path = semaphoreFile(name);
        if (path.isEmpty())
            return false;
        if (!QFile::exists(path))
            continue;
        int count = 0;
        for (;;) {
            SemaphoreFile file(path, false);
            if (!file.isOpen()) {
                if (++count < attempts) {
                    Kernix::Delay(30);
                    continue;
                }
                cursor.restore();
                if (!accessQuestion(MsgIcon::Confirmation))
                    return false;
                cursor.again();
                count = 0;
                continue;
            }
            const Holder holder = findHolder(file.readAll(), name);
            if (holder.offset >= 0)
                file.writeAt(holder.offset, record(name, 0));
            break;
        }
    }
    return true;
}

Table::BeforeEvent lockEvent(const QString &name)
{
    return [name](Table &) { return lock({name}); };
}

Table::AfterEvent unlockEvent(const QString &name)
{
    return [name](Table &) { unlock({name}); };
}

QString stampOperatorText(int code)
{
    try {
        Table operators;
        operators.setDirectory(tabelas());
        operators.setTableName(QStringLiteral("TbOpr"));
        operators.open();
        if (operators.locate(QStringLiteral("cod_opr"), {code}))
            return QStringLiteral("pelo usuário ") + operators.asString(QStringLiteral("nom_opr")).trimmed();
    } catch (const DbError &) {
    }
    return QStringLiteral("por outro usuário.");
}

Conflict editConflict(Table &table, ConflictMode mode)
{
    const int stamp = int(table.asInt(QStringLiteral("ass_opr")));
    const int own = Session::values().OperatorCode;
    const bool free = stamp == 0 || stamp == own;
    const QString reload = QStringLiteral("Para recarregar o registro escolha \"Sim\".\r\nPara cancelar a operação escolha \"Cancelar\".");
    switch (mode) {
    case ConflictMode::StampTest:
        return stamp == own ? Conflict::Proceed : Conflict::Cancel;
    case ConflictMode::Change:
    case ConflictMode::DeleteConfirmed: {
        if (free)
            return Conflict::Proceed;
        const QString head = mode == ConflictMode::Change
            ? QStringLiteral("ERRO DE ATUALIZAÇÃO\r\nNão foi possível completar esta alteração.\r\n")
            : QStringLiteral("ERRO DE EXCLUSÃO\r\nNão foi possível completar a exclusão.\r\n");
        const MsgAnswer answer = Messages::show(MsgIcon::Warning, MsgButtons::YesCancel,
                                                head + QStringLiteral("Registro já modificado ") + stampOperatorText(stamp)
                                                    + QStringLiteral("\r\n") + reload);
        return answer == MsgAnswer::Yes ? Conflict::Reload : Conflict::Cancel;
    }
    case ConflictMode::Delete: {
        if (free)
            return Conflict::Proceed;
        const QString who = stampOperatorText(stamp);
        if (Messages::show(MsgIcon::Warning, MsgButtons::YesNo,
                           QStringLiteral("ERRO DE EXCLUSÃO\r\nRegistro está sendo modificado ") + who
                               + QStringLiteral("\r\nDeseja exclui-lo mesmo assim?"))
            == MsgAnswer::Yes)
            return Conflict::Proceed;
        const MsgAnswer answer = Messages::show(MsgIcon::Warning, MsgButtons::YesCancel,
                                                QStringLiteral("ERRO DE EXCLUSÃO\r\nRegistro está sendo modificado ") + who
                                                    + QStringLiteral("\r\n") + reload);
        return answer == MsgAnswer::Yes ? Conflict::Reload : Conflict::Cancel;
    }
    }
    return Conflict::Cancel;
}

bool clearStamp(Table &table)
{
    try {
        table.edit();
        if (table.state() != Table::State::Edit)
            return false;
        table.setValue(QStringLiteral("ass_opr"), 0);
        table.post();
        table.flush();
        return true;
    } catch (const DbError &) {
        if (table.state() == Table::State::Edit)
            table.cancel();
        return false;
    }
}

} // namespace RecordLocking
