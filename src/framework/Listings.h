#pragma once

class QMdiArea;
class Table;
class TFPreview;

// The registers' printed lists, shown in the report preview.
namespace Listings {

// The company list over TbEmp: "Não há empresas para listar!" and no
// preview when there is no company.
TFPreview *fListagem_Emp(Table &companies, QMdiArea *area);

} // namespace Listings
