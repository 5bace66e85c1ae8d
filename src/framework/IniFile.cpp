#include "framework/IniFile.h"

#include "framework/Cp1252.h"

#include <QFile>
#include <QSaveFile>

// Bytes are UTF-8 throughout; the library needs no wide-character layer.
#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

#include <algorithm>

struct IniFile::Data
{
    // Multi-key so that a duplicate key keeps its first value, as Windows reads it.
    Data() : ini(true, true, false) { ini.SetSpaces(false); }
    CSimpleIniA ini;
};

namespace {

QByteArray u8(const QString &s) { return s.toUtf8(); }

template <class Names>
QStringList inLoadOrder(Names names)
{
    names.sort(CSimpleIniA::Entry::LoadOrder());
    QStringList list;
    for (const auto &entry : names)
        list << QString::fromUtf8(entry.pItem);
    return list;
}

} // namespace

IniFile::IniFile(const QString &path) : path_(path), data_(std::make_unique<Data>()) {}

IniFile::~IniFile() = default;

bool IniFile::exists() const { return QFile::exists(path_); }

bool IniFile::load()
{
    data_ = std::make_unique<Data>();
    error_.clear();
    QFile file(path_);
    if (!file.exists()) {
        error_ = QStringLiteral("arquivo não encontrado: ") + path_;
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        error_ = file.errorString();
        return false;
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error_ = file.errorString();
        return false;
    }
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    else if (!Cp1252::isUtf8(bytes))
        bytes = Cp1252::decode(bytes).toUtf8();
    if (data_->ini.LoadData(bytes.constData(), size_t(bytes.size())) < 0) {
        error_ = QStringLiteral("formato inválido: ") + path_;
        return false;
    }
    return true;
}

bool IniFile::save()
{
    std::string text;
    if (data_->ini.Save(text, false) < 0) {
        error_ = QStringLiteral("não foi possível montar o arquivo");
        return false;
    }
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly)) {
        error_ = file.errorString();
        return false;
    }
    QByteArray bytes = QByteArray::fromStdString(text);
    bytes.replace("\r\n", "\n");
    bytes.replace("\n", "\r\n");
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        error_ = file.errorString();
        return false;
    }
    return true;
}

QString IniFile::value(const QString &section, const QString &key, const QString &def) const
{
    const char *v = data_->ini.GetValue(u8(section).constData(), u8(key).constData(), nullptr);
    return v ? QString::fromUtf8(v) : def;
}

int IniFile::intValue(const QString &section, const QString &key, int def) const
{
    bool ok = false;
    const int v = value(section, key).trimmed().toInt(&ok);
    return ok ? v : def;
}

void IniFile::setValue(const QString &section, const QString &key, const QString &value)
{
    data_->ini.SetValue(u8(section).constData(), u8(key).constData(), u8(value).constData(), nullptr, true);
}

bool IniFile::contains(const QString &section, const QString &key) const
{
    return data_->ini.GetValue(u8(section).constData(), u8(key).constData(), nullptr) != nullptr;
}

void IniFile::removeKey(const QString &section, const QString &key)
{
    data_->ini.Delete(u8(section).constData(), u8(key).constData(), true);
}

void IniFile::removeSection(const QString &section)
{
    data_->ini.Delete(u8(section).constData(), nullptr, true);
}

QStringList IniFile::sections() const
{
    CSimpleIniA::TNamesDepend names;
    data_->ini.GetAllSections(names);
    QStringList list = inLoadOrder(names);
    list.removeAll(QString());
    return list;
}

QStringList IniFile::keys(const QString &section) const
{
    CSimpleIniA::TNamesDepend names;
    data_->ini.GetAllKeys(u8(section).constData(), names);
    QStringList list = inLoadOrder(names);
    list.removeDuplicates();
    return list;
}
