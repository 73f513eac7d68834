#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "bp/bp_exportar_movimento_ecf.h"
#include "support/fiscal_fakes.h"

namespace bp {
namespace {

using testing::DiaFiscal;
using testing::ReadFile;

const DateTime kDia4 = DateTime::Of(2026, 12, 4);
const char* kTudo = "R01 BE0123456789AB\r\nR02\r\nR03\r\nR04\r\nR05\r\nR06\r\nR07\r\n";

// Notes how many progress windows existed when each box appeared.
class DiskEnv : public testing::TestEnv {
 public:
  std::vector<int> windows_at_box;
  Answer MessageBox(const MessageBoxRequest& request) override {
    windows_at_box.push_back(windows_created);
    return TestEnv::MessageBox(request);
  }
};

struct Exportacao : DiaFiscal {
  explicit Exportacao(const std::string& caminho) {
    classe.SetObBOSistema(sessao);
    classe.SetDs_Caminho(caminho);
  }
  bool Exportar(bool confirmar) {
    return classe.ExportarMovimentoECF(kDia4, kDia4, confirmar, &fake->ECF());
  }
  BPExportarMovimentoECF classe;
};

TEST(FiscalExportarMovimento, RemovableDiskQuestionComesBeforeTheProgressWindow) {
  Exportacao e("a:\\mov.txt");
  DiskEnv env;  // made current after the fixture's own
  const std::string disco = env.Path("disquete");
  std::filesystem::create_directories(disco);
  testing::WriteFile(disco + "/velho.txt", "x");
  env.drives["A:"] = disco;

  env.answers = {Answer::No};
  EXPECT_TRUE(e.Exportar(true));
  ASSERT_EQ(env.boxes.size(), 1u);
  EXPECT_EQ(env.boxes[0].text, "Deseja apagar todos arquivos existente no disco do drive a:");
  EXPECT_EQ(env.boxes[0].caption, "Apagar todos arquivos do disco?");
  EXPECT_EQ(env.boxes[0].default_button, DefaultButton::Second);
  EXPECT_EQ(env.boxes[0].icon, Icon::Question);
  EXPECT_EQ(env.windows_at_box, std::vector<int>{0});
  EXPECT_EQ(ReadFile(disco + "/velho.txt"), "x");
  EXPECT_EQ(ReadFile(disco + "/mov.txt"), kTudo);

  env.answers = {Answer::Yes};  // empties the disk, then writes the file anew
  EXPECT_TRUE(e.Exportar(true));
  EXPECT_FALSE(std::filesystem::exists(disco + "/velho.txt"));
  EXPECT_EQ(ReadFile(disco + "/mov.txt"), kTudo);
  EXPECT_EQ(env.windows_created, env.windows_closed);
}

TEST(FiscalExportarMovimento, RefusedOverwriteLeavesTheFileAndUnconfirmedReplacesIt) {
  Exportacao e("");
  const std::string caminho = e.env.Path("mov.txt");
  e.classe.SetDs_Caminho(caminho);
  testing::WriteFile(caminho, "antigo");
  e.env.answers = {Answer::No};
  EXPECT_FALSE(e.Exportar(true));
  ASSERT_EQ(e.env.boxes.size(), 1u);
  EXPECT_EQ(e.env.boxes[0].text, "O arquivo:  '" + caminho +
                                     "'  já existe deseja sobrescreve-lo ? 'Não' cancela a exportaçao.");
  EXPECT_EQ(e.env.boxes[0].caption, "Sobrescrever arquivo");
  EXPECT_EQ(ReadFile(caminho), "antigo");
  EXPECT_TRUE(e.fake->Calls({"Registros"}).empty());
  EXPECT_EQ(e.env.windows_closed, 1);

  EXPECT_TRUE(e.Exportar(false));
  EXPECT_EQ(e.env.boxes.size(), 1u);
  EXPECT_EQ(ReadFile(caminho), kTudo);
}

TEST(FiscalExportarMovimento, EmptyTypeWritesNoLineAndFailingTypeLeavesTheEarlierOnes) {
  Exportacao e("");
  e.classe.SetDs_Caminho(e.env.Path("mov.txt"));
  e.fake->script.registros[3] = {true, ""};
  EXPECT_TRUE(e.Exportar(false));
  EXPECT_EQ(ReadFile(e.classe.Ds_Caminho()), "R01 BE0123456789AB\r\nR02\r\nR04\r\nR05\r\nR06\r\nR07\r\n");

  e.fake->log.clear();
  e.fake->script.registros[5] = {false, "R05 meio"};
  EXPECT_FALSE(e.Exportar(false));
  EXPECT_EQ(ReadFile(e.classe.Ds_Caminho()), "R01 BE0123456789AB\r\nR02\r\nR04\r\n");
  ASSERT_EQ(e.env.boxes.size(), 1u);
  EXPECT_EQ(e.env.boxes[0].text, "Erro na geração dos registros R05.");
  EXPECT_EQ(e.env.boxes[0].caption, "Erro geração registros");
  EXPECT_EQ(e.env.boxes[0].icon, Icon::Exclamation);
  EXPECT_EQ(e.fake->Calls({"Registros"}),
            (std::vector<std::string>{"Registros.R01", "Registros.R02", "Registros.R03",
                                      "Registros.R04", "Registros.R05"}));
  EXPECT_EQ(e.env.windows_created, e.env.windows_closed);
  // The company is read afresh before R01, in a unit of work of the export.
  EXPECT_EQ(e.fake->Calls({"BeginWork", "Empresa"}),
            (std::vector<std::string>{"BeginWork BPExportarMovimentoECF.ExportarMovimentoECF",
                                      "BeginWork BPExportarMovimentoECF.ExportarMovimentoECF",
                                      "Empresa.Carregar"}));
}

}  // namespace
}  // namespace bp
