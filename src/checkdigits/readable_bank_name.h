#pragma once

#include <string>
#include <string_view>

namespace minizol {

// A bank's registered name as people call the bank: without its legal form, branch or
// cooperative status, in the brand's own spelling ("Ing Bank, N.V. Sucursal en España" is
// "ING Bank", "Cajamar Caja Rural, Sociedad Cooperativa de Crédito" is "Cajamar").
std::string ReadableBankName(std::string_view registered);

}  // namespace minizol
