#pragma once

#include "framework/UniTabPadroes.h"
#include "testsupport/TempInstallation.h"

#include <QString>

#include <memory>

class Table;

// A new installation with the global data module started and MASTER
// (level 0) logged in, as the company register finds it.
class CompanyFixture
{
public:
    CompanyFixture();
    ~CompanyFixture();

    bool start();
    TempInstallation &installation() { return *inst_; }
    TTabPadroes &global() { return *global_; }

    void addCompany(int code, const QString &name, int headOffice = 0, int central = 0);
    // Makes code the working company with its tables.
    bool work(int code);
    QString companyDir(int code) const;
    // The stored record, read through a cursor of its own.
    QVariant stored(int code, const QString &field) const;
    bool companyExists(int code) const;

private:
    std::unique_ptr<TempInstallation> inst_;
    std::unique_ptr<TTabPadroes> global_;
};
