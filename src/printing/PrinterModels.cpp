#include "printing/PrinterModels.h"

namespace {

struct Entry
{
    const char *name;
    TPrinterName model;
};

const Entry entries[PrinterModels::count] = {
    {"Amelia 250", pfAmelia250},
    {"Amelia PC", pfAmeliaPC},
    {"Canon BJC 4000", pfCanonBJC4000},
    {"DeskJet 500", pfDeskjet500},
    {"DeskJet 500C", pfDeskJet500C},
    {"DeskJet 560C", pfDeskJet560C},
    {"DeskJet 590", pfDeskJet590},
    {"DeskJet 600", pfDeskjet600},
    {"DeskJet 692C", pfDeskJet692C},
    {"DeskJet 680C", pfDeskJet680C},
    {"Emilia PC", pfEmiliaPC},
    {"Emilia PS", pfEmiliaPS},
    {"Epson 9 pinos", pfEpson9pinos},
    {"Epson 24 pinos", pfEpson24pinos},
    {"Epson Stylus C2", pfEpsonStylusC2},
    {"Fujtsu", pfFujtsu},
    {"Genérico (Somente Texto)", pfNenhuma},
    {"Lady II", pfLadyII},
    {"LaserJet 5L", pfLaserJet5L},
    {"LaserJet 1100", pfLaserJet1100},
    {"Lexmark 1106", pfLexmark1106},
    {"Lexmark Z11", pfLexmarkZ11},
    {"Lazer Jet 1200", pfLazerJet1200},
    {"Padrão IBM", pfPadraoIBM},
    {"Rima", pfRima},
    {"Olivetti", pfOlivetti},
    {"Olivia", pfOlivia},
    {"Xerox 3006", pfXerox3006},
    {"Xerox DC 220 230", pfXeroxDC220230},
};

constexpr int genericPosition = 16;

} // namespace

QStringList PrinterModels::names()
{
    QStringList list;
    for (const Entry &entry : entries)
        list << QString::fromUtf8(entry.name);
    return list;
}

QString PrinterModels::name(int position)
{
    if (position < 0 || position >= count)
        return {};
    return QString::fromUtf8(entries[position].name);
}

int PrinterModels::position(const QString &name)
{
    for (int i = 0; i < count; ++i)
        if (name == QString::fromUtf8(entries[i].name))
            return i;
    return -1;
}

TPrinterName PrinterModels::modelAt(int position)
{
    if (position < 0 || position >= count)
        return pfNenhuma;
    return entries[position].model;
}

bool PrinterModels::modelForOperatorName(const QString &name, TPrinterName *model)
{
    if (name == QLatin1String("HP LASER JET 1200")) {
        *model = pfLazerJet1200;
        return true;
    }
    const int at = position(name);
    if (at < 0 || at == genericPosition)
        return false;
    *model = entries[at].model;
    return true;
}

bool PrinterModels::modelForName(const QString &name, TPrinterName *model)
{
    const int at = position(name);
    if (at < 0)
        return false;
    *model = entries[at].model;
    return true;
}
