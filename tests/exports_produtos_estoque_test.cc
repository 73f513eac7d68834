// The product-register and stock exports over a fake host that logs every call.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "bp/bp_exportacao_produtos.h"
#include "bp/bp_exportar_estoque.h"
#include "support/sintegra_fakes.h"
#include "support/test_env.h"

namespace bp {
namespace {

using testing::FakeSintegraHost;
using testing::ReadFile;

TEST(ExportacaoProdutos, AsksTheThreeGroupsInOrderAndWritesWhatTheyGive) {
  testing::TestEnv env;
  auto host = std::make_shared<FakeSintegraHost>();
  BPExportacaoProdutos produtos;
  produtos.SetObBOSistema(host);
  produtos.SetDs_Caminho(env.Path("produtos.txt"));
  EXPECT_TRUE(produtos.Validar());

  // Empty texts everywhere: an empty file and True.
  ASSERT_TRUE(produtos.ExportaProdutos());
  EXPECT_EQ(ReadFile(env.Path("produtos.txt")), "");
  EXPECT_EQ(host->log,
            (std::vector<std::string>{
                "BeginWork BPExportacaoProdutos.ExportaProdutos", "Empresa.SetMarcador 1",
                "EndWork BPExportacaoProdutos.ExportaProdutos 1", "Empresa.Identificacao",
                "CriarRegistroSintegra", "Construtor.SetObDAL",
                "P1 11.222.333/0001-81 110.042.490.114 1234567 AUTO POSTO EXEMPLO "
                "LTDA c=0",
                "P2 11.222.333/0001-81 c=0", "P9 11.222.333/0001-81 110.042.490.114 c=0"}));
  ASSERT_FALSE(env.draws.empty());
  EXPECT_EQ(env.draws.back().caption, "Exportação Cadastro de Produtos");
  EXPECT_EQ(env.draws.back().action, "Exportando os registros tipo P9");

  // A failing group: its box, False, the groups before it in the file.
  host->respostas["P1"] = {true, "P1", 0};
  host->respostas["P2"] = {false, "", 0};
  env.answers = {Answer::Yes};
  EXPECT_FALSE(produtos.ExportaProdutos());
  EXPECT_EQ(env.boxes.back().caption, "Erro geração registros");
  EXPECT_EQ(env.boxes.back().text, "Erro na geração dos registros P2.");
  EXPECT_EQ(ReadFile(env.Path("produtos.txt")), "P1\r\n");
  EXPECT_EQ(env.windows_created, env.windows_closed);
}

TEST(ExportarEstoque, PassesTheDateAndCountsTheItems) {
  testing::TestEnv env;
  auto host = std::make_shared<FakeSintegraHost>();
  host->respostas["E2"] = {true, "E2a\r\nE2b", 2};
  host->respostas["E9"] = {false, "", 0};
  BPExportarEstoque estoque;
  estoque.SetObBOSistema(host);
  estoque.SetDs_Caminho(env.Path("estoque.txt"));
  EXPECT_FALSE(estoque.ExportarEstoque(DateTime::Of(2026, 11, 30)));
  EXPECT_EQ(host->Calls({"E2"}), std::vector<std::string>{"E2 11.222.333/0001-81 30/11/2026 c=0"});
  EXPECT_EQ(host->Calls({"E9"}),
            std::vector<std::string>{"E9 11.222.333/0001-81 110.042.490.114 c=2"});
  EXPECT_EQ(env.boxes.back().text, "Erro na geração dos registros E9.");
  EXPECT_EQ(ReadFile(env.Path("estoque.txt")), "E2a\r\nE2b\r\n");
}

}  // namespace
}  // namespace bp
