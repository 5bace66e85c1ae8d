#include "framework/Listings.h"

#include "framework/Clock.h"
#include "framework/ListingReport.h"
#include "framework/Messages.h"
#include "framework/Session.h"
#include "framework/UPreview.h"
#include "storage/Table.h"

#include <memory>

namespace Listings {

TFPreview *fListagem_Emp(Table &companies, QMdiArea *area)
{
    companies.refresh();
    if (companies.isEmpty()) {
        Messages::plain(QStringLiteral("Não há empresas para listar!"));
        return nullptr;
    }
    const SessionValues &s = Session::values();
    QString working;
    if (s.CompanyCode > 0) {
        const qint64 here = companies.bookmark();
        if (companies.locate(QStringLiteral("cod_emp"), {s.CompanyCode}))
            working = QStringLiteral("%1 - %2")
                          .arg(s.CompanyCode, 3, 10, QLatin1Char('0'))
                          .arg(companies.asString(QStringLiteral("nom_emp")).trimmed());
        companies.gotoBookmark(here);
    }
    auto report = std::make_shared<ListingReport>(
        QStringLiteral("Empresas"), QStringLiteral("Relação de Empresas"), working, Clocks::current().today(),
        QList<ListingReport::Column>{{QStringLiteral("cod_emp"), QStringLiteral("Código"), 6},
                                     {QStringLiteral("nom_emp"), QStringLiteral("Nome"), 30},
                                     {QStringLiteral("cid_emp"), QStringLiteral("Cidade"), 16},
                                     {QStringLiteral("uf_emp"), QStringLiteral("UF"), 4},
                                     {QStringLiteral("fon_emp"), QStringLiteral("Telefone"), 11},
                                     {QStringLiteral("cgc_emp"), QStringLiteral("CNPJ"), 15}});
    report->readRows(companies);
    return TFPreview::open(report, area);
}

} // namespace Listings
