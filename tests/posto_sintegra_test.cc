// posto sintegra, gam, exportar produtos | estoque and estoque consolidar on
// the demo station, as a new user would try them.
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "support/estacao_demo.h"
#include "support/sintegra_checks.h"
#include "support/test_env.h"

namespace {

using bp::testing::ReadFile;

struct Posto {
  // Runs posto with the demo database, no terminal, and returns its status.
  int operator()(const std::string& args) {
    const std::string comando = std::string(POSTO_BINARY) + " " + args + " --db " + db +
                                " </dev/null >" + env.Path("saida.txt") + " 2>&1";
    const int rc = std::system(comando.c_str());
    saida = ReadFile(env.Path("saida.txt"));
    return WEXITSTATUS(rc);
  }
  bp::testing::TestEnv env;
  std::string db = bp::testing::CopyDemoStation("posto_sintegra");
  std::string saida;
};

TEST(PostoSintegra, WritesTheMonthsFilesAndKeepsAFileOfTheUsersWithoutYes) {
  Posto posto;
  const std::string mes = " --de 2026-11-01 --ate 2026-11-30 --now 2026-12-05T10:00";
  const std::string arquivo = posto.env.Path("sintegra.txt");
  ASSERT_EQ(posto("sintegra" + mes + " --arquivo " + arquivo), 0) << posto.saida;
  EXPECT_NE(posto.saida.find("gravado: " + arquivo), std::string::npos) << posto.saida;
  const std::string escrito = ReadFile(arquivo);
  EXPECT_GT(bp::testing::Registros(arquivo).size(), 1000u);

  // The user's file now: kept without a Yes, replaced with --sim.
  EXPECT_EQ(posto("sintegra" + mes + " --arquivo " + arquivo + " --retificacao"), 1);
  EXPECT_NE(posto.saida.find("[Sobrescrever arquivo]"), std::string::npos) << posto.saida;
  EXPECT_EQ(ReadFile(arquivo), escrito);
  ASSERT_EQ(posto("sintegra" + mes + " --arquivo " + arquivo + " --retificacao --sim"), 0);
  EXPECT_EQ(ReadFile(arquivo).substr(123, 3), "332");

  // Two months: refused by Validar, the destination not left behind.
  const std::string outro = posto.env.Path("dois-meses.txt");
  EXPECT_EQ(posto("gam --de 2026-11-01 --ate 2026-12-02 --arquivo " + outro), 1);
  EXPECT_NE(posto.saida.find("mês a mês"), std::string::npos) << posto.saida;
  EXPECT_FALSE(std::filesystem::exists(outro));
  EXPECT_EQ(posto("gam --de 2026-11-01 --ate 2026-11-30 --bogus"), 2);

  ASSERT_EQ(posto("estoque consolidar --data 2026-11-30"), 0) << posto.saida;
  EXPECT_NE(posto.saida.find("Estoque consolidado em 30/11/2026"), std::string::npos);
  ASSERT_EQ(posto("exportar produtos --arquivo " + posto.env.Path("p.txt")), 0) << posto.saida;
  EXPECT_EQ(ReadFile(posto.env.Path("p.txt")).substr(0, 16), "P145997418000153");
  ASSERT_EQ(posto("exportar estoque --data 2026-11-30 --arquivo " + posto.env.Path("e.txt")), 0);
  EXPECT_EQ(bp::testing::Registros(posto.env.Path("e.txt")).size(), 14u);
}

}  // namespace
