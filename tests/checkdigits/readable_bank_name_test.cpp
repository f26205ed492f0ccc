#include "checkdigits/readable_bank_name.h"

#include <gtest/gtest.h>

namespace minizol {
namespace {

TEST(ReadableBankName, NamesBanksAsPeopleCallThem) {
    struct Case {
        const char *registered, *readable;
    };
    const Case cases[] = {
        // Legal forms and branches, whatever their case and punctuation.
        {"Banco de Depósitos, S.A.", "Banco de Depósitos"},
        {"Banco Ejemplo, S.A.U.", "Banco Ejemplo"},
        {"Gestora Ejemplo, S.L.", "Gestora Ejemplo"},
        {"Banco Pichincha España, S.A..", "Banco Pichincha España"},
        {"Deutsche Bank, Sociedad Anónima Española", "Deutsche Bank"},
        {"Deutsche Bank, A.G., Sucursal en España", "Deutsche Bank"},
        {"Barclays Bank Ireland PLC, Sucursal en España", "Barclays Bank Ireland"},
        {"FCE Bank Plc Sucursal en España", "FCE Bank"},
        {"UBS Europe SE, Sucursal en España", "UBS Europe"},
        {"Triodos Bank, N.V., S.E.", "Triodos Bank"},
        {"Intesa Sanpaolo S.p.A., Sucursal en España", "Intesa Sanpaolo"},
        {"BFF Bank, S.P.A. Sucursal en España", "BFF Bank"},
        {"Volkswagen Bank GmbH, Sucursal en España", "Volkswagen Bank"},
        {"Bank of America Europe DAC, Sucursal en España", "Bank of America Europe"},
        {"Commerzbank Aktiengesellschaft, Sucursal en España", "Commerzbank"},
        {"JPMorgan Chase Bank National Association, Sucursal en España", "JPMorgan Chase Bank"},
        {"Abanca Corporación Bancaria, S.A.", "Abanca"},
        {"Abanca Corporacion Bancaria, S.A.", "Abanca"},
        // Cooperatives.
        {"Caja Rural de Navarra, S. Coop. de Crédito", "Caja Rural de Navarra"},
        {"Caja Rural de Gijón, Sociedad Cooperativa Asturiana de Crédito", "Caja Rural de Gijón"},
        {"Caja Rural de Zamora, Cooperativa de Crédito", "Caja Rural de Zamora"},
        {"Caixa Rural Torrent Cooperativa de Credit Valenciana", "Caixa Rural Torrent"},
        {"Caja Rural de Albal, Coop. de Crédito V.", "Caja Rural de Albal"},
        {"Banca Popolare Etica Società Cooperativa per Azioni, Sucursal en España",
         "Banca Popolare Etica"},
        // Words that only look like legal forms.
        {"Caja Rural Católico Agraria, S. Coop. de Crédito V.", "Caja Rural Católico Agraria"},
        {"Caja Rural de Burgos, Fuentepelayo, Segovia y Castelldans, Sociedad Cooperativa de "
         "Crédito",
         "Caja Rural de Burgos, Fuentepelayo, Segovia y Castelldans"},
        {"Banco Cooperativo Español, S.A.", "Banco Cooperativo Español"},
        {"Instituto de Crédito Oficial", "Instituto de Crédito Oficial"},
        // Names in capitals.
        {"BANCO FINANTIA, S.A., SUCURSAL EN ESPAÑA", "Banco Finantia"},
        {"A&G BANCO, S.A.", "A&G Banco"},
        {"CAJA DE AHORROS DE ÁVILA", "Caja de Ahorros de Ávila"},
        // A name and its description; a hyphenated word stays whole.
        {"Colonya - Caixa D'estalvis de Pollensa", "Colonya"},
        {"Caja Rural de Castilla-La Mancha, S. Coop. de Crédito",
         "Caja Rural de Castilla-La Mancha"},
        // The rural savings bank's title after its own name.
        {"Cajamar Caja Rural, Sociedad Cooperativa de Crédito", "Cajamar"},
        {"Cajasiete, Caja Rural, Sociedad Cooperativa de Crédito", "Cajasiete"},
        {"Caixa Popular-Caixa Rural, S. Coop. de Crédito V.", "Caixa Popular"},
        {"Eurocaja Rural, Sociedad Cooperativa de Crédito", "Eurocaja Rural"},
        // Savings banks that became banks; other banks keep "Banco".
        {"Ibercaja Banco, S.A.", "Ibercaja"},
        {"Cajasur Banco, S.A.", "Cajasur"},
        {"Renta 4 Banco, S.A.", "Renta 4 Banco"},
        {"Evo Banco S.A.", "EVO Banco"},
        // Quotation marks, apostrophes and abbreviations.
        {"Caixa Rural La Vall 'San Isidro', Sociedad Cooperativa de Crédito Valenciana",
         "Caixa Rural La Vall San Isidro"},
        {"Caja Rural 'Nuestra Madre del Sol', S. Coop. Andaluza de Crédito",
         "Caja Rural Nuestra Madre del Sol"},
        {"Caixa Rural D'Algemesí, S. Coop. V. de Crédit", "Caixa Rural d'Algemesí"},
        {"Caixa Rural de L'Alcudia, Sociedad Cooperativa Valenciana de Crédito",
         "Caixa Rural de L'Alcudia"},
        {"Caja Rural de Baena Ntra. Sra. de Guadalupe Sociedad Cooperativa de Crédito Andaluza",
         "Caja Rural de Baena Nuestra Señora de Guadalupe"},
        // Brands' own spellings, and names people know by another.
        {"Ing Bank, N.V. Sucursal en España", "ING Bank"},
        {"Caixabank, S.A.", "CaixaBank"},
        {"Open Bank, S.A.", "Openbank"},
        {"Banco Bilbao Vizcaya Argentaria, S.A.", "BBVA"},
        {"Caja Laboral Popular Coop. de Crédito", "Laboral Kutxa"},
        {"Caixa de Crédit dels Enginyers- Caja de Crédito de los Ingenieros, S. Coop. de Crédito",
         "Caja de Ingenieros"},
        {"Caja Rural de Albacete, Ciudad Real y Cuenca, Sociedad Cooperativa de Crédito",
         "Globalcaja"},
        // Nothing left to drop.
        {"S.A.", "S.A."},
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReadableBankName(c.registered), c.readable) << c.registered;
    }
}

}  // namespace
}  // namespace minizol
