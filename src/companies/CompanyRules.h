#pragma once

#include "companies/CompanyForm.h"
#include "companies/CompanyOptions.h"

#include <QString>

class TTabPadroes;
class Table;

// The company register's checks and writes over the global tables, apart
// from its widgets. Messages go through the message service; a refusal
// names the box the cursor belongs in.
class CompanyRules
{
public:
    explicit CompanyRules(TTabPadroes &global);

    struct Refusal
    {
        QString box;  // object name of the box to focus; empty: none
        QString page; // "Ficha", "Complemento", ...
        explicit operator bool() const { return !box.isEmpty() || !page.isEmpty(); }
    };

    // A company as the lookup boxes resolve it.
    struct Found
    {
        int code = 0;
        QString name;
    };

    // Typing Enter in the code box of a new company.
    bool checkNewCode(const QString &text);

    // Head office and central company boxes: the company found (code 0 and a
    // message shown when refused); self is the code of the record being edited.
    Found headOffice(const QString &text, int self);
    Found central(const QString &text, int self);
    // Level box: true when acceptable (0 or empty, or an existing cod_niv).
    bool levelExists(const QString &text);
    // Accountant box: its code and name, through the selection list when the
    // text finds none; code 0 when nothing was chosen.
    Found accountant(const QString &text);
    QString accountantName(int code);
    QString companyName(int code);

    // Whether another operator of this program works on the company now.
    bool inUseByOtherOperator(int code);

    // Record claims of the change and delete (ass_opr).
    bool claim(Table &companies);
    void releaseClaim(Table &companies);

    // "&Ok": checks in order, then writes. options holds the stored flags
    // of the record being changed (or a new company's).
    Refusal validate(const CompanyForm &form, bool inserting);
    // Insert: false when refused (the user has been told).
    bool insert(const CompanyForm &form, CompanyOptions options);
    // Change of the record with code; false when it ended without writing.
    enum class ChangeResult { Written, Reloaded, Cancelled };
    ChangeResult change(const CompanyForm &form, int code, CompanyOptions options);

    // "&Excluir" of the company TbEmp stands on, after the confirmation.
    bool remove(int code);
    // The refusals before the confirmation; true when the delete may ask.
    bool mayDelete(int code);

    static QString directoryOf(int code);

private:
    Found lookupCompany(const QString &text, int self, bool central);
    void write(Table &companies, const CompanyForm &form, const CompanyOptions &options, bool inserting);
    bool presenceHeld(int operatorCode, const QString &system);
    bool directoryRemovable(const QString &dir, QString *blocking);

    TTabPadroes &g_;
};
