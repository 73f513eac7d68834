// posto faturar on the demo station over PostgreSQL: the server's types
// (bits as smallint, money as numeric) in every billing statement, and a
// failure in the last write of a run leaving nothing behind.
#include <sys/wait.h>

#include <cstdlib>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "bp/bp_atualizar_banco_de_dados.h"
#include "station/seed/seed.h"
#include "station/session/banco_inicial.h"
#include "station/session/sessao.h"
#include "support/db_checks.h"
#include "support/estacao_demo.h"
#include "support/pg_cluster.h"
#include "support/test_env.h"

namespace bp {
namespace {

using D = station::EstacaoDemo;

class FaturamentoPg : public testing::PgTest {};

std::string Tabelas(db::Connection& c) {
  return testing::TablesAsText(c, {"ContaAReceber", "CupomFiscal", "NotaSaida", "ItemNotaSaida"});
}

TEST_F(FaturamentoPg, BillsTheDemoCustomersAndAFailedRunLeavesNothing) {
  testing::TestEnv env;
  auto sessao = testing::SeedDemoStationAt(Url(), env);
  db::Connection& c = sessao->Dal().Conexao();

  auto posto = [&](const std::string& args) {
    const std::string out = env.Path("saida.txt");
    const int rc = std::system((std::string(POSTO_BINARY) + " " + args + " --db '" + Url() +
                                "' --now 2026-12-05T10:00 >" + out + " 2>&1")
                                   .c_str());
    return std::make_pair(WEXITSTATUS(rc), testing::ReadFile(out));
  };
  const std::string fatura =
      "faturar --ate 2026-12-05 --vencimento 2027-01-05 --valor 200 --cliente ";

  // The invoice's last write fails: nothing of the run stays.
  c.Execute(
      "CREATE FUNCTION falha() RETURNS trigger AS $$ BEGIN RAISE EXCEPTION "
      "'falha injetada'; END $$ LANGUAGE plpgsql");
  c.Execute(
      "CREATE TRIGGER falha BEFORE INSERT ON ItemNotaSaida FOR EACH ROW EXECUTE FUNCTION "
      "falha()");
  const std::string antes = Tabelas(c);
  auto r = posto(fatura + "116");
  EXPECT_EQ(r.first, 2) << r.second;
  EXPECT_NE(r.second.find("falha injetada"), std::string::npos) << r.second;
  EXPECT_EQ(Tabelas(c), antes);
  c.Execute("DROP TRIGGER falha ON ItemNotaSaida");

  r = posto(fatura + "116");
  ASSERT_EQ(r.first, 0) << r.second;
  EXPECT_NE(r.second.find("Nota fiscal "), std::string::npos) << r.second;
  r = posto(fatura + std::to_string(D::kClienteCredito));
  ASSERT_EQ(r.first, 0) << r.second;
  const int conta = std::stoi(r.second.substr(r.second.find("Conta a receber ") + 16));
  const db::Recordset rs = c.Query(
      "SELECT r.Vl_Debito, (SELECT SUM(Vl_TotalLiquido) FROM CupomFiscal k WHERE "
      "k.Cd_ContaAReceber = r.Cd_ContaAReceber), (SELECT COUNT(DISTINCT Dt_Emissao) FROM "
      "CupomFiscal k WHERE k.Cd_ContaAReceber = r.Cd_ContaAReceber) FROM ContaAReceber r "
      "WHERE r.Cd_ContaAReceber = ?",
      {Value(conta)});
  EXPECT_EQ(rs.Field(0).ToMoney(), rs.Field(1).ToMoney());
  EXPECT_GE(rs.Field(2).ToInt32(), 5);
  r = posto(fatura + std::to_string(D::kClienteCredito));
  EXPECT_EQ(r.first, 2);
  EXPECT_NE(r.second.find("0x80040660"), std::string::npos) << r.second;
}

}  // namespace
}  // namespace bp
