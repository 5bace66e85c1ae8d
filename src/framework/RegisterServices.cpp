#include "framework/RegisterServices.h"

#include "framework/UniKernix.h"
#include "storage/Table.h"

namespace {

class NoSelection : public SelectionDialog
{
public:
    QVariantList select(const QString &, Table &, const QStringList &, const QStringList &, bool, const QString &) override
    {
        return {};
    }
};

class NoLocate : public LocateWindow
{
public:
    void locate(const QString &, Table &, const QString &) override {}
};

bool lookup(Table &table, const QString &text, const QString &codeField, const QString &nameField, bool partial,
            const QString &caption)
{
    const bool byName = Kernix::EString(text);
    LocateOptions options;
    options.partialKey = partial;
    if (byName ? table.locate(nameField, {text}, options) : table.locate(codeField, {text.trimmed().toInt()}))
        return true;
    const QVariantList chosen = Seam<SelectionDialog>::get().select(
        caption, table, {codeField, nameField}, {QStringLiteral("Código"), QStringLiteral("Descrição")}, false, codeField);
    return !chosen.isEmpty() && table.locate(codeField, {chosen.first()});
}

} // namespace

template <>
SelectionDialog &Seam<SelectionDialog>::fallback()
{
    static NoSelection none;
    return none;
}

template <>
LocateWindow &Seam<LocateWindow>::fallback()
{
    static NoLocate none;
    return none;
}

namespace RegisterServices {

bool lookupInterest(Table &interest, const QString &text)
{
    return lookup(interest, text, QStringLiteral("cod_jur"), QStringLiteral("nom_jur"), true,
                  QStringLiteral("Seleção de Tabela de Juros"));
}

bool lookupSupplier(Table &suppliers, const QString &text)
{
    return lookup(suppliers, text, QStringLiteral("cod_for"), QStringLiteral("nom_for"), false,
                  QStringLiteral("Pesquisa de Fornecedores"));
}

} // namespace RegisterServices
