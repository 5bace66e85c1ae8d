#pragma once

class QMdiArea;
class TForEmp;

// The main window's "Arquivos" → "&Empresas": the module right and the
// backup marker first, then the open register brought to the front or a new
// one shown in normal size. Null when nothing was opened.
TForEmp *openCompanyRegister(QMdiArea *area);
