// remetix-cli demo --data-root DIR: fills a new installation with a company to
// try the program on: company 001 with automatic client codes, 200 clients,
// three label models, the operator MASTER working on it, and printer
// settings that write into DIR.
// `init --demo` runs it right after building the installation.
#include "CliCommand.h"

#include "framework/AppCodes.h"
#include "framework/Clock.h"
#include "framework/DataDictionary.h"
#include "framework/GlobalStructure.h"
#include "framework/IniFile.h"
#include "framework/Installation.h"
#include "framework/UniKernix.h"
#include "storage/DbError.h"
#include "storage/Table.h"

#include <QDate>
#include <QDir>

namespace {

constexpr int kClients = 200;

const char *const kFirstNames[] = {"Ana", "João", "Maria", "José", "Antônio", "Francisca", "Carlos", "Paulo", "Lúcia",
                                   "Pedro", "Luiz", "Márcia", "Sebastião", "Raimunda", "Fernando", "Juliana", "Cláudio",
                                   "Patrícia", "Rogério", "Conceição", "Vinícius", "Débora", "Otávio", "Letícia", "Júlio"};
const char *const kSurnames[] = {"Silva", "Santos", "Oliveira", "Souza", "Rodrigues", "Ferreira", "Alves", "Pereira",
                                 "Lima", "Gomes", "Ribeiro", "Carvalho", "Araújo", "Melo", "Barbosa", "Conceição",
                                 "Magalhães", "Simões", "Brandão", "Assunção", "Queiroz", "Falcão", "Guimarães"};
const char *const kStreets[] = {"Rua das Flores", "Avenida Brasil", "Rua São João", "Rua Sete de Setembro",
                                "Avenida Getúlio Vargas", "Rua da Conceição", "Travessa do Comércio", "Rua Tiradentes",
                                "Avenida Independência", "Rua Marechal Deodoro", "Rua Padre Anchieta", "Alameda dos Ipês"};
const char *const kDistricts[] = {"Centro", "Jardim América", "Vila Nova", "São José", "Boa Vista", "Santa Mônica",
                                  "Bela Vista", "Cidade Alta", "Liberdade", "Ipanema"};
struct City
{
    const char *name;
    const char *uf;
    int cepBase; // first five digits
};
const City kCities[] = {{"São Paulo", "SP", 1310},   {"Rio de Janeiro", "RJ", 20040}, {"Belo Horizonte", "MG", 30110},
                        {"Porto Alegre", "RS", 90010}, {"Curitiba", "PR", 80010},      {"Salvador", "BA", 40010},
                        {"Recife", "PE", 50010},      {"Fortaleza", "CE", 60010},     {"Goiânia", "GO", 74010},
                        {"Florianópolis", "SC", 88010}, {"Belém", "PA", 66010},       {"Vitória", "ES", 29010}};
const char *const kComplements[] = {"Apto 101", "Casa 2", "Sala 305", "Bloco B", "Fundos", "Loja 4"};

template <class T, std::size_t N>
const T &pick(const T (&list)[N], int i)
{
    return list[std::size_t(i) % N];
}

QString text(const char *utf8) { return QString::fromUtf8(utf8); }

void addCompany(const QString &tabelas)
{
    Table companies;
    companies.setDirectory(tabelas);
    companies.setTableName(QStringLiteral("TbEmp"));
    companies.open();
    companies.append();
    companies.setValue(QStringLiteral("cod_emp"), 1);
    companies.setValue(QStringLiteral("nom_emp"), QStringLiteral("EMPRESA DEMONSTRACAO"));
    companies.setValue(QStringLiteral("end_emp"), QStringLiteral("Rua Quinze de Novembro"));
    companies.setValue(QStringLiteral("nro_emp"), QStringLiteral("100"));
    companies.setValue(QStringLiteral("bai_emp"), QStringLiteral("Centro"));
    companies.setValue(QStringLiteral("cep_emp"), QStringLiteral("01013-001"));
    companies.setValue(QStringLiteral("cid_emp"), QStringLiteral("São Paulo"));
    companies.setValue(QStringLiteral("uf_emp"), QStringLiteral("SP"));
    companies.setValue(QStringLiteral("cen_emp"), 0);
    companies.setValue(QStringLiteral("niv_emp"), 9);
    // Position 1: client codes are generated.
    companies.setValue(QStringLiteral("cfg_emp"), QStringLiteral("S") + QString(119, QLatin1Char('N')));
    companies.post();
}

// The first operator, as the program would make it on its first start, but
// already working on the demo company.
void addOperator(const QString &tabelas)
{
    Table operators;
    operators.setDirectory(tabelas);
    operators.setTableName(QStringLiteral("TbOpr"));
    operators.open();
    if (!operators.isEmpty())
        return;
    const QDate today = Clocks::current().today();
    operators.append();
    operators.setValue(QStringLiteral("cod_opr"), 1);
    operators.setValue(QStringLiteral("nom_opr"), QStringLiteral("MASTER"));
    operators.setValue(QStringLiteral("sen_opr"), Kernix::Converte(QStringLiteral("ZELNOK"), 8).left(8));
    operators.setValue(QStringLiteral("niv_opr"), 0);
    operators.setValue(QStringLiteral("emp_opr"), 1);
    operators.setValue(QStringLiteral("lpt_opr"), QStringLiteral("LPT1"));
    operators.setValue(QStringLiteral("mes_opr"), QStringLiteral("%1").arg(today.month(), 2, 10, QLatin1Char('0')));
    operators.setValue(QStringLiteral("ano_opr"), QString::number(today.year()));
    operators.post();
}

void addClients(const QString &centralDir)
{
    Table clients;
    clients.setDirectory(centralDir);
    clients.setTableName(QStringLiteral("TbCli"));
    clients.open();
    for (int i = 0; i < kClients; ++i) {
        const City &city = pick(kCities, i * 7 + 3);
        // Spread the picks so neighbours differ in every part of the name.
        const QString name = text(pick(kFirstNames, i)) + QLatin1Char(' ') + text(pick(kSurnames, i * 5 + 1))
            + (i % 3 == 0 ? QLatin1Char(' ') + text(pick(kSurnames, i * 11 + 4)) : QString());
        clients.append();
        clients.setValue(QStringLiteral("cod_cli"), i + 1);
        clients.setValue(QStringLiteral("nom_cli"), name.toUpper());
        clients.setValue(QStringLiteral("end_cli"), text(pick(kStreets, i * 3)));
        if (i % 9 != 4)
            clients.setValue(QStringLiteral("num_cli"), QString::number(10 + (i * 37) % 1900));
        if (i % 4 == 1)
            clients.setValue(QStringLiteral("com_cli"), text(pick(kComplements, i)));
        clients.setValue(QStringLiteral("bai_cli"), text(pick(kDistricts, i * 13)));
        clients.setValue(QStringLiteral("cid_cli"), text(city.name));
        clients.setValue(QStringLiteral("uf_cli"), text(city.uf));
        clients.setValue(QStringLiteral("cep_cli"), QStringLiteral("%1-%2")
                                                        .arg(city.cepBase + (i % 90), 5, 10, QLatin1Char('0'))
                                                        .arg((i * 17) % 1000, 3, 10, QLatin1Char('0')));
        clients.setValue(QStringLiteral("pai_cli"), QStringLiteral("BRASIL"));
        if (i % 5 == 2)
            clients.setValue(QStringLiteral("con_cli"), text(pick(kFirstNames, i * 3 + 2)));
        clients.setValue(QStringLiteral("tel_cli"), QStringLiteral("(11) 3%1-%2").arg(100 + i, 3, 10, QLatin1Char('0')).arg(1000 + i * 7));
        clients.setValue(QStringLiteral("sit_cli"), QStringLiteral("A"));
        clients.setValue(QStringLiteral("cad_cli"), QDate(2024, 1, 1).addDays(i * 3));
        if (i % 2 == 0)
            clients.setValue(QStringLiteral("ani_cli"), QDate(1950 + i % 50, 1 + i % 12, 1 + i % 28));
        clients.post();
    }
}

void addLabelModels(const QString &tabelas)
{
    Table models;
    models.setDirectory(tabelas);
    models.setTableName(QStringLiteral("TbEtq"));
    models.open();
    struct Model
    {
        const char *name;
        int columns;
        double widthCm;
    };
    for (const Model &m : {Model{"ETIQUETA 1 COLUNA", 1, 10.0}, Model{"ETIQUETA 2 COLUNAS", 2, 8.5}, Model{"ETIQUETA 3 COLUNAS", 3, 6.5}}) {
        models.append();
        models.setValue(QStringLiteral("nom_etq"), QString::fromLatin1(m.name));
        models.setValue(QStringLiteral("qcl_etq"), m.columns);
        models.setValue(QStringLiteral("qli_etq"), 1);
        models.setValue(QStringLiteral("mge_etq"), 2);
        models.setValue(QStringLiteral("lee_etq"), 1);
        models.setValue(QStringLiteral("cee_etq"), m.columns > 1 ? 2 : 0);
        models.setValue(QStringLiteral("lge_etq"), m.widthCm);
        models.setValue(QStringLiteral("epc_etq"), 10);
        models.setValue(QStringLiteral("flg_etq"), QStringLiteral("S"));
        models.setValue(QStringLiteral("cpp_etq"), QStringLiteral("10"));
        models.post();
    }
}

bool writePrinterSettings(const QString &exeDir, const QString &dataRoot)
{
    IniFile ini(QDir(exeDir).filePath(QStringLiteral("Impressoras.ini")));
    ini.load();
    const QString section = QStringLiteral("CONFIGURACOES");
    const std::pair<const char *, QString> keys[] = {
        {"ESTACAO", QStringLiteral("S")},
        {"IMPRESSORA", QStringLiteral("12")}, // "Epson 9 pinos"
        {"PORTA", QStringLiteral("LPT1")},
        {"ENDERECO", QDir(dataRoot).absoluteFilePath(QStringLiteral("impressora.prn"))},
        {"SPOOL", QStringLiteral("N")},
        {"ESTADO", QStringLiteral("N")},
        {"CARACTER", QStringLiteral("S")},
        {"BOLETIM", QString()},
        {"DARF_NORMAL", QString()},
        {"DARF_SIMPLES", QString()},
        {"IMPRESSORA_CON", QString()},
        {"PORTA_CON", QString()},
    };
    for (const auto &[key, value] : keys)
        ini.setValue(section, QString::fromLatin1(key), value);
    return ini.save();
}

int demo(const CliContext &context, const QStringList &args)
{
    QStringList arguments = args;
    QString dataRoot;
    if (!Cli::takeOption(arguments, QStringLiteral("--data-root"), &dataRoot) || !arguments.isEmpty()) {
        Cli::err(QStringLiteral("usage: remetix-cli demo --data-root DIR"));
        return 2;
    }
    Installation installation(context.programPath());
    installation.setDataRoot(dataRoot);
    if (!installation.start()) {
        installation.finish();
        return 1;
    }
    const QString tabelas = installation.tabelasDir();
    const InstalledApplications apps = InstalledApplications::load(tabelas);
    InstalledApplications::setCurrent(&apps);
    int result = 0;
    try {
        Table companies;
        companies.setDirectory(tabelas);
        companies.setTableName(QStringLiteral("TbEmp"));
        companies.open();
        if (!companies.isEmpty()) {
            Cli::err(QStringLiteral("A instalação já tem empresas: ") + tabelas);
            result = 1;
        } else {
            companies.close();
            addCompany(tabelas);
            const QString companyDir = tabelas + QStringLiteral("001/");
            QDir().mkpath(companyDir);
            DataDictionary dictionary;
            GlobalStructure structure(dictionary, installation.programDir());
            if (!structure.runGlobal() || !structure.checkCompanyTables(companyDir, companyDir)) {
                Cli::err(QStringLiteral("Não foi possível criar as tabelas da empresa 001."));
                result = 1;
            } else {
                addOperator(tabelas);
                addClients(companyDir);
                addLabelModels(tabelas);
                if (!writePrinterSettings(context.exeDir, installation.programDir())) {
                    Cli::err(QStringLiteral("Não foi possível gravar Impressoras.ini."));
                    result = 1;
                }
            }
        }
    } catch (const DbError &e) {
        Cli::err(e.message());
        result = 1;
    }
    InstalledApplications::setCurrent(nullptr);
    installation.finish();
    if (result == 0)
        Cli::out(QStringLiteral("demo: empresa 001 EMPRESA DEMONSTRACAO, %1 clientes, 3 modelos de etiqueta").arg(kClients));
    return result;
}

const CliCommand::Registration registration("demo", "demo --data-root DIR", demo);

} // namespace
