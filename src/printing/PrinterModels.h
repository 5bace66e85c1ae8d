#pragma once

#include <QString>
#include <QStringList>

// The printer models the engine has control sequences for, in the order the
// settings file and older callers number them.
enum TPrinterName {
    pfPadraoIBM, pfDeskjet500, pfDeskjet600, pfRima, pfEpson9pinos, pfEmiliaPS, pfEpsonStylusC2,
    pfCanonBJC4000, pfEpson24pinos, pfXerox3006, pfXeroxDC220230, pfOlivia, pfOlivetti, pfLadyII,
    pfLaserJet5L, pfDeskJet692C, pfDeskJet680C, pfDeskJet560C, pfDeskJet590, pfDeskJet500C,
    pfFujtsu, pfEmiliaPC, pfAmelia250, pfAmeliaPC, pfLazerJet1200, pfLexmark1106, pfLexmarkZ11,
    pfLaserJet1100, pfNenhuma
};

// The model list users pick from (printer settings, command line): its
// positions are what "IMPRESSORA" stores, its names what operators store.
class PrinterModels
{
public:
    static constexpr int count = 29;

    static QStringList names();                 // in list order
    static QString name(int position);          // empty outside 0..28
    static int position(const QString &name);   // -1 when unknown
    // The engine model at a list position; pfNenhuma outside 0..28.
    static TPrinterName modelAt(int position);
    // Name matching of the operator's stored model: exact, case included,
    // the generic entry excluded, plus the old spelling of the 1200.
    static bool modelForOperatorName(const QString &name, TPrinterName *model);
    // Every list name, the generic one included, for the command line.
    static bool modelForName(const QString &name, TPrinterName *model);
};
