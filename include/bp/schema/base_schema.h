// The base schema: the tables, keys, indexes and references that a station
// database holds at version 18, before the first version step, and the rows a
// new database starts with. Replaying BaseSchemaV18() and SeedV18() and then
// the version steps 19 to 500 gives the schema the library works with.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "bp/schema/operations.h"

namespace bp::schema {

// The version a database created from the base schema is at.
inline constexpr int32_t kBaseSchemaVersion = 18;

// Every table of version 18 with its primary key, then its indexes, then the
// references between the tables (each reference after both of its tables).
std::vector<Operation> BaseSchemaV18();

// Names at version 18 of things that the early steps rename or drop by name.
namespace v18 {
// The tax-situation code and the ICMS taxation code of Produto,
// ItemCupomFiscal, ItemNotaSaida (and the situation code of ItemNotaEntrada),
// which step 19 renames to No_SitTributaria and No_TribIcms.
inline constexpr const char* kSitTributaria = "Cd_SitTributaria";
inline constexpr const char* kTribIcms = "Cd_TribIcms";
// The indexes and references of ItemNotaSaida on the two columns that step
// 71 drops (Cd_Abastecimento, Cd_SisTubulacao).
inline constexpr const char* kItemNotaSaidaAbastecimentoIndex = "XIF72ItemNotaSaida";
inline constexpr const char* kItemNotaSaidaSisTubulacaoIndex = "XIF73ItemNotaSaida";
inline constexpr const char* kItemNotaSaidaAbastecimentoReference = "Aba_IteNotSai";
inline constexpr const char* kItemNotaSaidaSisTubulacaoReference = "SisTub_IteNotSai";
}  // namespace v18

// The user company a new database starts with, and its person row. The
// defaults describe a demonstration station.
struct SeedOptions {
  int32_t company = 1;  // Cd_PessoaUsuaria, also its Cd_Pessoa
  std::string name = "AUTO POSTO SERRA AZUL LTDA";
  std::string trade_name = "POSTO SERRA AZUL";
  std::string cnpj = "45.997.418/0001-53";
  std::string state_registration = "244.317.553.111";  // IE of São Paulo
  std::string street = "AVENIDA BRASIL";
  std::string number = "2150";
  std::string district = "JARDIM CHAPADAO";
  std::string city = "CAMPINAS";
  std::string state = "SP";
  std::string postal_code = "13070-178";
  std::string phone = "(19) 3241-5500";
};

// The rows of version 18: the one row of Parametro (No_VersaoBD = 18), the
// company's Pessoa row and its EmpresaUsuaria row.
std::vector<Operation> SeedV18(const SeedOptions& options = {});

}  // namespace bp::schema
