#pragma once

#include <QObject>

// What the main window follows without the framework knowing it: the working
// company changed (status panel text, company-dependent commands).
class SessionEvents : public QObject
{
    Q_OBJECT
public:
    static SessionEvents &instance();

signals:
    // statusText: "007 - ACME", or empty without a working company.
    void companyChanged(const QString &statusText);
    // The company data module was created anew: company-dependent menus and
    // buttons follow CompanyDir.
    void companyModuleCreated();
};
