// The schema at version 18: its seed, its real database, and the objects that
// the steps which skip failing operations find in place.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "bp/db/connection.h"
#include "bp/erro.h"
#include "bp/schema/base_schema.h"
#include "bp/schema/model.h"
#include "catalogue/catalogue.h"
#include "support/db_checks.h"
#include "support/schema_walk.h"
#include "support/test_env.h"

namespace bp::schema {
namespace {

using Names = std::vector<std::string>;

Model BuildV18() {
  Model model;
  for (const auto& op : BaseSchemaV18()) model.Apply(op);
  for (const auto& op : SeedV18()) model.Apply(op);
  return model;
}

const Model& V18() {
  static const Model model = BuildV18();
  return model;
}

bool Has(const std::string& table, const std::string& column) {
  const Table* t = V18().Find(table);
  return t && FindColumn(*t, column);
}

// Steps 117, 120 and 157 skip an operation that fails, and step 451 keeps a
// form table it finds: a base schema without the objects they drop (or with
// the tables 451 creates) would go unnoticed, so those objects are checked
// here.
TEST(BaseSchema, ObjectsThatTolerantStepsDropExist) {
  const Model& m = V18();
  const std::vector<std::tuple<std::string, std::string, Names, Names>> named = {
      {"ContaContabil",
       "ContaContabil_02",  // 117
       {"XIF138ContaContabil", "XIF26ContaContabil", "ContaContabil_01"},
       {"R_177", "EmpUsu_ConCon"}},
      {"Abastecimento",
       "Abastecimento_01",  // 120
       {"XIF1Abastecimento", "XIF11Abastecimento", "XIF123Abastecimento", "XIF13Abastecimento",
        "XIF5Abastecimento", "Abastecimento_03", "Abastecimento_04"},
       {"R_161", "ConChe_Abas", "Cai_Aba", "Vei_Aba", "EmpUsu_Abas"}},
      {"ItemNotaEntrada",
       "ItemNotaEntrada_01",  // 157
       {"XIF143ItemNotaEntrada", "XIF146ItemNotaEntrada", "XIF79ItemNotaEntrada",
        "XIF80ItemNotaEntrada", "XIF81ItemNotaEntrada"},
       {"Pro_IteNotEnt", "R_207", "R_194", "Car_IteNotEnt", "NotEnt_IteNotEnt"}},
      {"ItemNotaSaida",
       "XPKItemNotaSaida",  // 157
       {"XIF70ItemNotaSaida", "XIF71ItemNotaSaida", "XIF74ItemNotaSaida"},
       {"Car_IteNotFis", "Pro_IteNotSai", "FK_ItemNotaSaida_NotaSaida"}},
  };
  for (const auto& [table, key, indexes, references] : named) {
    const Table& t = m.Get(table);
    ASSERT_TRUE(t.primary_key) << table;
    EXPECT_EQ(t.primary_key->name, key);
    for (const auto& i : indexes) EXPECT_TRUE(testing::Named(t.indexes, i)) << table << " " << i;
    for (const auto& r : references) EXPECT_TRUE(testing::Named(t.foreign_keys, r)) << table << " " << r;
  }
  // 120 drops the company's counters and two ledger accounts of the
  // receipt types.
  for (const char* column : {"Qt_MaxItens", "Qt_MaxPro", "Qt_MaxSer", "No_SeqDespesa",
                             "No_SeqItemDespesa", "No_SeqLanCCFuncionario", "No_SeqLanCCBancaria",
                             "No_SeqContasAPagar", "No_SeqLanBancoHoras"})
    EXPECT_TRUE(Has("EmpresaUsuaria", column)) << column;
  EXPECT_TRUE(Has("TipoRecebimento", "Cd_ContaContabilVendaAcertada"));
  EXPECT_TRUE(Has("TipoRecebimento", "Cd_ContaContabilVendaACredito"));
  // 451 creates the invoice form's tables.
  EXPECT_EQ(m.Find("LayOutNotaFiscalSaida"), nullptr);
  EXPECT_EQ(m.Find("LayOutCamposNotaFiscalSaida"), nullptr);
}

std::string Digits(const std::string& masked) {
  std::string d;
  for (char c : masked)
    if (c >= '0' && c <= '9') d += c;
  return d;
}

// CNPJ check digits: weights 5..2,9..2 then 6..2,9..2, remainder below 2 -> 0.
bool ValidCnpj(const std::string& masked) {
  const std::string d = Digits(masked);
  if (d.size() != 14) return false;
  const auto digit = [&](size_t n) {
    int sum = 0;
    for (size_t i = 0; i < n; ++i) sum += (d[i] - '0') * static_cast<int>((n - 1 - i) % 8 + 2);
    return sum % 11 < 2 ? 0 : 11 - sum % 11;
  };
  return digit(12) == d[12] - '0' && digit(13) == d[13] - '0';
}

// State registration of São Paulo: twelve digits, check digits 9 and 12.
bool ValidIeSp(const std::string& masked) {
  const std::string d = Digits(masked);
  if (d.size() != 12) return false;
  const auto digit = [&](std::vector<int> weights) {
    int sum = 0;
    for (size_t i = 0; i < weights.size(); ++i) sum += (d[i] - '0') * weights[i];
    return sum % 11 % 10;
  };
  return digit({1, 3, 4, 5, 6, 7, 8, 10}) == d[8] - '0' &&
         digit({3, 2, 10, 9, 8, 7, 6, 5, 4, 3, 2}) == d[11] - '0';
}

TEST(BaseSchema, DemoCompanyHasValidCnpjAndStateRegistration) {
  EXPECT_TRUE(ValidCnpj("11.222.333/0001-81"));  // the checks themselves
  EXPECT_FALSE(ValidCnpj("11.222.333/0001-82"));
  EXPECT_TRUE(ValidIeSp("110.042.490.114"));
  EXPECT_FALSE(ValidIeSp("110.042.490.115"));

  const SeedOptions options;
  EXPECT_TRUE(ValidCnpj(options.cnpj)) << options.cnpj;
  EXPECT_TRUE(ValidIeSp(options.state_registration)) << options.state_registration;
}

TEST(BaseSchema, CreatesARealSQLiteDatabaseEqualToTheModel) {
  testing::TestEnv env;
  auto db = db::Connection::Open(env.Path("v18.db"));
  testing::ExpectBaseSchemaEqualsItsModel(*db);
  EXPECT_EQ(db->Query("SELECT COUNT(*) FROM Parametro").Field(0).ToInt32(), 1);
  auto company = db->Query(
      "SELECT p.Cd_CgcCpf FROM EmpresaUsuaria e JOIN Pessoa p ON p.Cd_Pessoa = e.Cd_PessoaUsuaria");
  ASSERT_EQ(company.RecordCount(), 1);
  EXPECT_EQ(company.Field("Cd_CgcCpf").ToText(), SeedOptions{}.cnpj);
  // References hold: a nozzle of an unknown product is refused.
  const Erro refused = testing::FailureOf([&] {
    db->Execute("INSERT INTO Bomba (Cd_PessoaUsuaria, Cd_Bomba, De_EnderecoLogicoBico, Cd_Produto) "
                "VALUES (1, 1, '01', 99)");
  });
  EXPECT_EQ(refused.number, db::kErroIntegridade) << refused.description;
}

}  // namespace
}  // namespace bp::schema
