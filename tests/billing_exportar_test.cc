// The fleet files of a receivable of the demo station's customer 100.
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "bp/bp_exportar_cupom_fiscal.h"
#include "bp/bp_faturamento.h"
#include "bp/erros.h"
#include "station/seed/seed.h"
#include "station/session/sessao.h"
#include "support/db_checks.h"
#include "support/estacao_demo.h"
#include "support/test_env.h"

namespace bp {
namespace {

using D = station::EstacaoDemo;

std::vector<std::string> Linhas(const std::string& arquivo) {
  std::istringstream in(testing::ReadFile(arquivo));
  std::vector<std::string> linhas;
  for (std::string l; std::getline(in, l);) {
    if (!l.empty() && l.back() == '\r') l.pop_back();
    linhas.push_back(l);
  }
  return linhas;
}

TEST(BillingExportar, WritesTheThreeLayoutsOfAReceivable) {
  testing::TestEnv env;
  env.now = testing::DemoStationNow();
  auto sessao = std::make_shared<station::Sessao>(
      station::Configuracao(testing::CopyDemoStation("exportar_cupons")));
  BPFaturamento faturamento;
  faturamento.SetObBOSistema(sessao);
  const int32_t conta = faturamento.Faturar(D::kClienteCredito, env.now.DatePart(),
                                            env.now.AddDays(30), 1, 1, Money::FromInt(100));
  ASSERT_GT(conta, 0);

  BPExportarCupomFiscal exportador;
  exportador.SetObBOSistema(sessao);
  EXPECT_THROW(exportador.Validar(), Erro);  // no receivable yet
  exportador.SetCd_ContaAReceber(conta);
  exportador.SetDs_Path(env.Folder());
  const std::string base = env.Folder() + "/CF Conta " + std::to_string(conta);

  // Text: one line per vehicle, 26 characters, the amounts adding up to the
  // receivable (the export checks it).
  ASSERT_TRUE(exportador.Exportar(nullptr, kArquivoCupomTexto));
  EXPECT_EQ(exportador.Nm_ArqDestino(), base + ".Txt");
  const std::vector<std::string> texto = Linhas(base + ".Txt");
  ASSERT_EQ(texto.size(), 3u);
  double soma = 0;
  for (const std::string& l : texto) {
    EXPECT_EQ(l.size(), 26u) << l;
    EXPECT_EQ(l[23], '.') << l;
    soma += std::stod(l.substr(14));
  }
  const double debito =
      sessao->Dal()
          .Conexao()
          .Query("SELECT Vl_Debito FROM ContaAReceber WHERE Cd_ContaAReceber = ?", {Value(conta)})
          .Field(0)
          .ToDouble();
  EXPECT_NEAR(soma, debito, 0.001);

  ASSERT_TRUE(exportador.Exportar(nullptr, kArquivoCupomAnalitico));
  const std::vector<std::string> analitico = Linhas(base + " Analitico.Csv");
  EXPECT_EQ(analitico.at(0),
            "Produto;Data;Quantidade;Preco;Total;Matricula;Placa;ID;Km;Consumo;Nome");
  EXPECT_GE(analitico.size(), 21u);

  ASSERT_TRUE(exportador.Exportar(nullptr, kArquivoCupomSintetico));
  const std::vector<std::string> sintetico = Linhas(base + " Sintetico.Csv");
  ASSERT_EQ(sintetico.size(), 4u);
  EXPECT_EQ(sintetico[0], "Placa;Marca;Cor;Km Final;Km Inicial;Km Rodado;Quantidade;Media");
  EXPECT_EQ(sintetico[1].rfind("ABC1234;MERCEDES-BENZ;BRANCO;45.210,0;", 0), 0u) << sintetico[1];

  // An unknown kind writes nothing; an existing file is kept when the
  // question is answered No (the default).
  const size_t arquivos =
      static_cast<size_t>(std::distance(std::filesystem::directory_iterator(env.Folder()), {}));
  EXPECT_THROW(exportador.Exportar(nullptr, 7), Erro);
  EXPECT_EQ(
      static_cast<size_t>(std::distance(std::filesystem::directory_iterator(env.Folder()), {})),
      arquivos);
  const Erro e = testing::FailureOf([&] { exportador.Exportar(nullptr, kArquivoCupomTexto); });
  EXPECT_EQ(e.description, "Erro durante exportação");
  EXPECT_EQ(e.number, kErroNegocio);
}

}  // namespace
}  // namespace bp
