#pragma once

#include "storage/Table.h"

#include <QString>

// The company data module: the working company's tables, placed in its own
// directory or its central company's. One instance per working company; the
// windows open its tables through the open-table register.
class TTabEmpresa
{
public:
    TTabEmpresa();
    ~TTabEmpresa();
    TTabEmpresa(const TTabEmpresa &) = delete;
    TTabEmpresa &operator=(const TTabEmpresa &) = delete;

    static TTabEmpresa *instance();
    // Replaces the running instance (freeing the old one first); null frees it.
    static void replace(TTabEmpresa *module);

    // Verifies or creates the tables of company code with central company
    // central (0: none); false when the program must end.
    bool create(int code, int central);

    QString companyDir() const { return companyDir_; }
    QString centralDir() const { return centralDir_; }

    Table TbCli;
    Table TbCli2;
    Table TbSitua;
    Table TbFor;
    Table TbTit;
    Table TbLog;

private:
    void attachEvents();

    QString companyDir_;
    QString centralDir_;
};
