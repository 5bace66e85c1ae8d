#include "StorageFixture.h"

#include "storage/Table.h"
#include "storage/TableFile.h"

#include <QDate>

namespace {

FieldDef text(const char *name, int size)
{
    return {QString::fromLatin1(name), FieldKind::Text, size};
}

FieldDef kind(const char *name, FieldKind k)
{
    return {QString::fromLatin1(name), k, 0};
}

} // namespace

TableDef StorageFixture::clientDef()
{
    TableDef def;
    def.name = QStringLiteral("TbCli");
    def.fields = {kind("cod_cli", FieldKind::Integer), text("nom_cli", 60), text("end_cli", 60), text("bai_cli", 30),
                  text("cid_cli", 30), text("Uf_cli", 2), text("cep_cli", 9), text("est_cli", 1), kind("ani_cli", FieldKind::Date),
                  kind("lim_cli", FieldKind::Currency), kind("ass_opr", FieldKind::Integer), text("ROT_CLI", 10)};
    def.indexes = {{QString(), {QStringLiteral("cod_cli")}, true, true}, {QStringLiteral("ind_nome"), {QStringLiteral("nom_cli")}, false, false}};
    return def;
}

void StorageFixture::make(const QString &name, const TableDef &definition, const QList<QVariantList> &rows) const
{
    TableFile::create(dir(), name, definition);
    Table table;
    table.setDirectory(dir());
    table.setTableName(name);
    table.open();
    for (const QVariantList &row : rows) {
        table.append();
        for (int i = 0; i < row.size(); ++i)
            table.setValue(definition.fields.at(i).name, row.at(i));
        table.post();
    }
}

StorageFixture::StorageFixture()
{
    const auto d = [](int y, int m, int day) { return QDate(y, m, day); };
    make(QStringLiteral("TbCli"), clientDef(),
         {{1, "SILVA JOSE", "RUA XV NORTE 10", "CENTRO", "CURITIBA", "PR", "80000-000", "A", d(1980, 5, 10), 1234.5, 7, "R1"},
          {2, "SILVEIRA ANA", "AV XV 200", "BATEL", "CURITIBA", "PR", "80010-000", "A", d(1975, 12, 15), 10.0, 0, "R2"},
          {3, "ABREU CARLOS", "RUA AUGUSTA 5", "SE", "SAO PAULO", "SP", "01000-000", "I", d(1990, 5, 20), 0.0, 3, "R1"},
          {4, "silva maria", "RUA DAS FLORES 1", "CENTRO", "CURITIBA", "PR", "80000-000", "A", d(1985, 1, 12), QVariant(), 0, QVariant()},
          {5, "BRAGA O'NEIL", "RUA SETE 7", "COPACABANA", "RIO", "RJ", "22000-000", "A", d(1970, 7, 7), 99.9, 0, "R2"},
          {6, "COSTA 100% LTDA", "AV PAULISTA 1000", "BELA VISTA", "SAO PAULO", "SP", "01310-000", "A", d(2001, 5, 30), 5.0, 0, "R1"},
          {7, "ZANETTI", "RUA XIV 14", "CENTRO", "CURITIBA", "PR", "80020-000", "I", d(1962, 11, 2), 1.0, 0, "R3"}});

    TableDef cli2;
    cli2.name = QStringLiteral("TbCli2");
    cli2.fields = {kind("cod_cli", FieldKind::Integer), text("C01_cli", 20), text("C02_cli", 20)};
    cli2.indexes = {{QString(), {QStringLiteral("cod_cli")}, true, true}};
    make(QStringLiteral("TbCli2"), cli2, {{1, "VIP", "X"}, {2, "NORMAL", "Y"}, {3, "VIP", "Z"}});

    TableDef str;
    str.name = QStringLiteral("TbStr");
    str.fields = {text("tab_str", 20), text("nom_str", 60), kind("ver_str", FieldKind::Integer), text("Apl_Str", 20)};
    str.indexes = {{QString(), {QStringLiteral("tab_str")}, true, true}};
    make(QStringLiteral("TbStr"), str,
         {{"TBCLI", "clientes", 5, "REMETIX"}, {"TBEMP", "empresas", 5, "GENERICO"}, {"TBPLA", "plano de contas", 5, "LEDGER"}});

    TableDef strd;
    strd.name = QStringLiteral("TbStrD");
    strd.fields = {text("Tab_Str", 20), text("Tip_Str", 1), text("Cam_Str", 60), text("Des_Str", 60)};
    make(QStringLiteral("TbStrD"), strd,
         {{"TBCLI", "I", "COD_CLI", QString::fromUtf8("Índice por Código")},
          {"TBCLI", "I", "NOM_CLI", QString::fromUtf8("Índice por Nome")},
          {"TBCLI", "C", "NOM_CLI", "campo"},
          {"TBEMP", "I", "COD_EMP", QString::fromUtf8("Índice por Código")},
          {"TBPLA", "I", "COD_PLA", QString::fromUtf8("Índice por Conta")}});

    TableDef mod;
    mod.name = QStringLiteral("TbMod");
    mod.fields = {text("cod_mod", 10), text("des_mod", 40), kind("RX_mod", FieldKind::Logical), kind("ST_mod", FieldKind::Logical)};
    make(QStringLiteral("TbMod"), mod,
         {{"CAD_CLI", "Clientes", true, true}, {"CAD_EMP", "Empresas", true, false}, {"FIN_PLA", "Plano", false, true},
          {"CAD_ETQ", "Etiquetas", true, false}});
}
