#pragma once

#include <QByteArray>
#include <QString>

// What the company register's boxes hold, as typed (masked boxes already in
// their stored form). The boxes of the head office, central company,
// accountant and level show names; the codes chosen travel beside them.
struct CompanyForm
{
    QString code;
    QString name;
    QString street, number, complement, district, postalCode, city, state;
    QString phone, fax, cnpj, cpf, stateRegistration, cityRegistration, cei, cae, registry;
    QString registryDate; // "99/99/9999" as shown, empty when blank
    QString representative, representativeCpf, position;
    int signer = 0;
    QString site, email;
    int accountant = 0;
    QString observations;
    QByteArray logo;
    int headOffice = 0;
    int central = 0;
    int level = 0;
    QChar modality = QLatin1Char('G');
    QString icms, issqnRate;
    QString startDate;
    bool issqnTaxpayer = true;
    bool ipiTaxpayer = true;
    bool generateClientCodes = false;
    bool sixLinesPerInch = false; // the hidden print-type choice
};
