#pragma once

#include "framework/AppCodes.h"
#include "framework/DataDictionary.h"
#include "framework/TChecaCGC.h"
#include "framework/TChecaCPF.h"
#include "storage/Table.h"

#include <QString>

// The printer engine's design settings, applied to the engine by the printer
// set-up before every job.
struct PrinterDefaults
{
    QString model = QStringLiteral("Epson 9 pinos");
    QString port = QStringLiteral("LPT1");
    QString address = QStringLiteral("LPT1");
    int lines = 60;
    int columns = 80;
    bool pageHeader = false;
    bool checkStatus = false;
    QString lineSpacing = QStringLiteral("1/6");
    bool previewAsChild = true;
};

// The global data module: every global table of the program, the data
// dictionary, the check-digit components and the printer defaults. One
// instance for the whole run, reachable through instance() while it exists.
class TTabPadroes
{
public:
    TTabPadroes();
    ~TTabPadroes();
    TTabPadroes(const TTabPadroes &) = delete;
    TTabPadroes &operator=(const TTabPadroes &) = delete;

    static TTabPadroes *instance();

    // The opening sequence; false when the program must end (the user has
    // been told why). The instance is published only once it succeeded.
    bool create();

    DataDictionary Dictionary;
    Table &TbStr = Dictionary.TbStr;
    Table &TbStrD = Dictionary.TbStrD;
    Table &TbVerEstru = Dictionary.TbVerEstru;
    Table TbEmp;
    Table TbOpr;
    Table TbOprLog;
    Table TbOprLog1;
    Table TbNiv;
    Table TbMod;
    Table Tbetq;
    Table TbCep;
    Table TbJur;
    Table TbCtd;
    Table TbGiaPai;
    TChecaCPF CheckCPF;
    TChecaCGC CheckCGC;
    PrinterDefaults PF;

    QString tabelasDir() const { return tabelas_; }
    const InstalledApplications &applications() const { return applications_; }

private:
    bool openTable(Table &table, const QString &file, const QString &progress, const QString &failure);
    void createFirstOperator();
    void attachEvents();
    bool operatorLock();

    QString tabelas_;
    InstalledApplications applications_;
};
