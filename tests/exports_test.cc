// The tax and stock exports over a fake host that logs every call, then on
// the demo station's month and through posto.
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "bp/bp_exportacao_gam.h"
#include "bp/bp_exportacao_produtos.h"
#include "bp/bp_exportacao_sintegra.h"
#include "bp/bp_exportar_estoque.h"
#include "bp/erros.h"
#include "bp/format.h"
#include "station/session/sessao.h"
#include "support/estacao_demo.h"
#include "support/posto.h"
#include "support/sintegra_checks.h"
#include "support/sintegra_fakes.h"

namespace bp {
namespace {

using testing::FakeSintegraHost;
using testing::ReadFile;
using testing::Registros;

const DateTime kInicio = DateTime::Of(2026, 11, 1);
const DateTime kFim = DateTime::Of(2026, 11, 30);

// A text left-aligned in `n` characters.
std::string Campo(const std::string& texto, size_t n) {
  return texto + std::string(n - texto.size(), ' ');
}

// Record 90 of the fake company with the given pairs.
std::string Registro90(const std::string& pares) {
  return Campo("9011222333000181110042490114  " + pares, 125) + "1";
}

template <class Classe>
struct Cena {
  Cena() {
    classe.SetObBOSistema(host);
    classe.SetDt_Inicial(kInicio);
    classe.SetDt_Final(kFim);
    classe.SetDs_Caminho(caminho);
    classe.SetNm_Funcionario("MARIA");
  }
  std::vector<std::string> Titulos() const {
    std::vector<std::string> t;
    for (const MessageBoxRequest& b : env.boxes) t.push_back(b.caption + " | " + b.text);
    return t;
  }
  std::vector<int> Percentuais() const {
    std::vector<int> p;
    for (const ProgressView& v : env.draws)
      if (v.value != 0 && (p.empty() || p.back() != v.value)) p.push_back(v.value);
    return p;
  }
  testing::TestEnv env;
  std::shared_ptr<FakeSintegraHost> host = std::make_shared<FakeSintegraHost>();
  std::string caminho = env.Path("sintegra.txt");
  Classe classe;
};

TEST(ExportacaoSintegra, MonthWithoutMovementWritesRecords10_11And90) {
  Cena<BPExportacaoSintegra> c;
  c.host->empresa.nome = "AUTO POSTO SÃO JOÃO DA BARRA E CONVENIÊNCIA LTDA";  // cut to 35
  c.classe.SetNm_Funcionario("MARIA APARECIDA DOS SANTOS OLIVEIRA");          // cut to 28
  c.classe.SetIc_Retificacao(Tp_BytesimNao::sim);
  ASSERT_TRUE(c.classe.ExportaSintegra());
  const std::vector<std::string> l = Registros(c.caminho);
  ASSERT_EQ(l.size(), 3u);
  EXPECT_EQ(l[0], "1011222333000181110042490114  " +
                      Campo("AUTO POSTO S\xC3O JO\xC3O DA BARRA E CONV", 35) +
                      Campo("SAO PAULO", 30) + "SP1134567890" + "2026110120261130" + "332");
  EXPECT_EQ(l[1], "11" + Campo("AVENIDA PAULISTA", 34) + "01500" + Campo("LOJA 1", 22) +
                      Campo("BELA VISTA", 15) + "01310100" + "MARIA APARECIDA DOS SANTOS O" +
                      "001134567890");
  EXPECT_EQ(l[2], Registro90("9900000003"));

  // The stock is consolidated forward at the last day before anything is
  // asked of the builder; the day steps run 30 days each, issued first.
  const std::vector<std::string> inicio(c.host->log.begin(), c.host->log.begin() + 7);
  EXPECT_EQ(
      inicio,
      (std::vector<std::string>{
          "BeginWork BPExportacaoSintegra.PreparaEstoqueConsolidado", "Empresa.SetMarcador 1",
          "EndWork BPExportacaoSintegra.PreparaEstoqueConsolidado 1",
          "Empresa.DataUltimaConsolidacaoEstoque", "Empresa.ConsolidarEstoqueAte 30/11/2026 janela",
          "Empresa.Identificacao", "CriarRegistroSintegra"}));
  EXPECT_EQ(c.host->Calls({"R50Emitidas"}).size(), 30u);
  EXPECT_EQ(c.host->Calls({"R50Emitidas"})[0], "R50Emitidas 01/11/2026 SP c=0");
  EXPECT_EQ(c.host->Calls({"R54Recebidas"}).back(), "R54Recebidas 30/11/2026 c=0");
  EXPECT_EQ(c.host->Calls({"R74"}), std::vector<std::string>{"R74 30/11/2026 SP c=0"});
  EXPECT_TRUE(c.host->Calls({"R88"}).empty());

  // Progress: 1, 2, then start + span x i / 29 for each step; 0 shown as 1.
  const std::vector<int> p = c.Percentuais();
  ASSERT_GE(p.size(), 6u);
  EXPECT_EQ(std::vector<int>(p.begin(), p.begin() + 4), (std::vector<int>{1, 2, 3, 4}));
  EXPECT_EQ(std::vector<int>(p.end() - 5, p.end()), (std::vector<int>{41, 57, 68, 92, 100}));
  EXPECT_TRUE(c.env.boxes.empty());
  EXPECT_EQ(c.env.windows_created, c.env.windows_closed);
}

TEST(ExportacaoSintegra, CountsWhatTheBuilderAddsAndNeverResetsIt) {
  Cena<BPExportacaoSintegra> c;
  c.host->dias_de_impressora = {{Value(kInicio), Value(1)}, {Value(kFim), Value(1)}};
  c.host->respostas["R50Emitidas"] = {true, "", 0};
  c.host->respostas["R53Emitidas"] = {true, "", 0};
  c.host->respostas["R54Recebidas"] = {true, "", 2};
  c.host->respostas["R60M"] = {true, "60M", 1};
  c.host->respostas["R60A"] = {true, "60A1\r\n60A2", 2};
  c.host->respostas["R60R"] = {true, "60R", 1};
  c.host->respostas["R74"] = {true, "", 0};
  c.host->respostas["R75"] = {true, "75", 1};
  ASSERT_TRUE(c.classe.ExportaSintegra());
  std::vector<std::string> l = Registros(c.caminho);
  ASSERT_EQ(l.size(), 2u + 2 * 3 + 1 + 1 + 1);
  EXPECT_EQ(l[2], "60M");
  EXPECT_EQ(l[4], "60A2");
  // 54: 60 (30 days x 2), 60: 2 x (1 + 2) + 1, 75: 1; 99 = 68 + 3.
  EXPECT_EQ(l.back(), Registro90("5400000060600000000775000000019900000071"));
  EXPECT_EQ(c.host->Calls({"R60I"}),
            (std::vector<std::string>{"R60I 01/11/2026 1 c=0", "R60I 30/11/2026 1 c=0"}));

  // A second export on the same instance goes on from the same counters.
  c.env.answers = {Answer::Yes};
  ASSERT_TRUE(c.classe.ExportaSintegra());
  EXPECT_EQ(c.host->Calls({"R75"}).back(), "R75 01/11/2026 30/11/2026 c=1");
  EXPECT_EQ(Registros(c.caminho).back().substr(30, 10), "5400000120");
}

TEST(ExportacaoSintegra, EveryFailingStepShowsItsBoxesAndGivesFalse) {
  struct Caso {
    const char* op;
    std::vector<std::string> boxes;
    size_t linhas;  // lines left in the file
  };
  const std::string q = "Erro quando gerava registro";
  const std::string h = "Houve um erro, quando estava sendo gerado os registros";
  const std::vector<Caso> casos = {
      {"R50Recebidas",
       {"Erro registro 50 | Erro quando gerava o registro tipo 50 das notas fiscais recebidas.",
        q + " 50 | " + h + " 50."},
       2},
      {"R53Emitidas",
       {"Erro registro 53 | Erro quando gerava o registro tipo 53 das notas fiscais emitidas.",
        q + " 53 | " + h + " 53."},
       2},
      {"R60D",
       {"Erro geração registros | Erro na geração dos registros 60D.", q + " 60 | " + h + " 60."},
       2},
      {"R60R", {"Erro geração registros | Erro na geração dos registros 60R."}, 2},
      {"R74", {"Erro geração registros | Erro na geração dos registros 74."}, 2},
  };
  for (const Caso& caso : casos) {
    Cena<BPExportacaoSintegra> c;
    c.host->dias_de_impressora = {{Value(kInicio), Value(1)}};
    c.host->respostas[caso.op] = {false, "", 0};
    EXPECT_FALSE(c.classe.ExportaSintegra()) << caso.op;
    EXPECT_EQ(c.Titulos(), caso.boxes) << caso.op;
    EXPECT_EQ(Registros(c.caminho).size(), caso.linhas) << caso.op;
    EXPECT_EQ(c.env.windows_created, c.env.windows_closed) << caso.op;
  }
}

TEST(ExportacaoSintegra, UnexpectedErrorIsLoggedAndRefusedOverwriteKeepsTheFile) {
  Cena<BPExportacaoSintegra> c;
  c.env.module_name = "bpmod";
  std::filesystem::create_directories(c.env.Path("LogErros"));
  c.host->falhas["R53Emitidas"] =
      Erro(kErroNegocio, "falha de R53Emitidas", "Construtor.R53Emitidas");
  EXPECT_FALSE(c.classe.ExportaSintegra());
  ASSERT_EQ(c.env.boxes.size(), 1u);
  EXPECT_EQ(c.env.boxes[0].text, "falha de R53Emitidas");
  EXPECT_EQ(c.env.boxes[0].icon, Icon::Critical);
  const std::string log =
      ReadFile(c.env.Path("LogErros/" + Format(c.env.now, "yyyy-mm-dd") + "bpmod.log"));
  EXPECT_NE(log.find("Fonte...:Construtor.R53Emitidas"), std::string::npos) << log;
  EXPECT_EQ(Registros(c.caminho).size(), 2u);  // the part written stays
  EXPECT_EQ(c.env.windows_created, c.env.windows_closed);

  // The existing file: No (the default) keeps it and nothing is asked of
  // the company or the builder.
  c.host->log.clear();
  c.env.boxes.clear();
  testing::WriteFile(c.caminho, "antigo");
  EXPECT_FALSE(c.classe.ExportaSintegra());
  EXPECT_EQ(c.Titulos(), std::vector<std::string>{
                             "Sobrescrever arquivo | O arquivo:  '" + c.caminho +
                             "'  já existe deseja sobrescreve-lo ? 'Não' cancela a exportaçao."});
  EXPECT_EQ(ReadFile(c.caminho), "antigo");
  EXPECT_TRUE(c.host->log.empty());
}

TEST(ExportacaoSintegra, ValidarChecksThePeriodAndThePath) {
  struct Caso {
    DateTime inicio, fim;
    bool caminho_existe;
    const char* campo;
    const char* box;
  };
  const std::vector<Caso> casos = {
      {kFim, kInicio, true, "Dt_Inicial",
       "Erro no período | A data inicial não pode maior que a final."},
      {DateTime::Of(2026, 11, 20), DateTime::Of(2026, 12, 5), true, "Dt_Inicial",
       "Erro no período | Só é permitido exportar o registro de saída de único mês, para "
       "exportar um período maior deverá faze-lo mês a mês."},
      {DateTime::Of(2026, 1, 1), DateTime::Of(2027, 1, 31), true, "Dt_Inicial",
       "Erro no período | Só é permitido exportar o registro de saída de único mês, para "
       "exportar um período maior deverá faze-lo mês a mês."},
      {kInicio, kFim, false, "Ds_Caminho", "Caminho inválido | Caminho e/ou arquivo inválido."},
      {kInicio, kFim, true, "", nullptr},
  };
  for (const Caso& caso : casos) {
    Cena<BPExportacaoSintegra> c;
    c.classe.SetDt_Inicial(caso.inicio);
    c.classe.SetDt_Final(caso.fim);
    if (caso.caminho_existe) testing::WriteFile(c.caminho, "");
    EXPECT_EQ(c.classe.Validar(), caso.box == nullptr);
    EXPECT_EQ(c.classe.Nm_CampoErroCritica(), caso.campo);
    EXPECT_EQ(c.Titulos(),
              caso.box ? std::vector<std::string>{caso.box} : std::vector<std::string>{});
  }
  Cena<BPExportacaoSintegra> vazio;
  vazio.classe.SetDs_Caminho("");
  EXPECT_FALSE(vazio.classe.Validar());
  EXPECT_EQ(vazio.Titulos(),
            std::vector<std::string>{"Caminho não informado | Caminho não informado."});
}

TEST(ExportacaoSintegra, ConsolidatesFromScratchUnlessTheDateIsLater) {
  Cena<BPExportacaoSintegra> c;
  c.host->ultima_consolidacao = kFim;
  c.classe.PreparaEstoqueConsolidado(kFim.AddSeconds(3600), false, true, nullptr);
  EXPECT_EQ(c.host->log.back(), "Empresa.ConsolidarEstoqueNaData 30/11/2026 sem janela");
  c.classe.PreparaEstoqueConsolidado(kFim.AddDays(1), false, true, nullptr);
  EXPECT_EQ(c.host->log.back(), "Empresa.ConsolidarEstoqueAte 01/12/2026 sem janela");
}

TEST(ExportacaoGam, ReceivedInvoicesProductsAndFuelRecordsOnly) {
  Cena<BPExportacaoGam> c;
  c.host->respostas["R50Recebidas"] = {true, "50", 1};
  c.host->respostas["R74"] = {true, "74", 1};
  c.host->respostas["R88E"] = {true, "", 1};
  ASSERT_TRUE(c.classe.ExportaGAM());
  const std::vector<std::string> l = Registros(c.caminho);
  ASSERT_EQ(l.size(), 33u);
  EXPECT_EQ(l.back(), Registro90("500000003088000000309900000063"));
  EXPECT_EQ(c.host->Calls({"R88E"}).size(), 30u);  // once per day, without the day
  EXPECT_EQ(c.host->Calls({"R88E"})[1], "R88E c=1");
  EXPECT_TRUE(c.host->Calls({"R53", "R74", "R50Emitidas"}).empty());
  // The window shows the title before the overwrite question; the fuel
  // steps run from 50 to 64.
  const std::vector<int> p = c.Percentuais();
  EXPECT_NE(std::find(p.begin(), p.end(), 64), p.end());
  EXPECT_EQ(p.back(), 64);

  c.host->respostas["R88Q"] = {false, "", 0};
  c.env.answers = {Answer::Yes};
  EXPECT_FALSE(c.classe.ExportaGAM());
  EXPECT_EQ(c.Titulos().back(),
            "Erro quando gerava registro 88 | Houve um erro, quando estava sendo gerado os "
            "registros 88.");
  EXPECT_EQ(c.Titulos()[c.Titulos().size() - 2],
            "Erro registro 88q | Erro quando gerava o registro tipo 88q das notas fiscais "
            "recebidas.");
}

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

TEST(ExportsStation, MonthOfTheDemoStationInTheTaxAndStockFiles) {
  testing::TestEnv env;
  env.now = testing::DemoStationNow();
  auto sessao = std::make_shared<station::Sessao>(
      station::Configuracao(testing::CopyDemoStation("exports_mes")));
  testing::ConferirMesDaEstacao(sessao, env);
}

TEST(ExportsStation, UnwritableDestinationGivesFalseAndChangesNothing) {
  testing::TestEnv env;
  env.now = testing::DemoStationNow();
  auto sessao = std::make_shared<station::Sessao>(
      station::Configuracao(testing::CopyDemoStation("exports_destino")));
  db::Connection& c = sessao->Dal().Conexao();
  BPExportacaoSintegra sintegra;
  sintegra.SetObBOSistema(sessao);
  sintegra.SetDt_Inicial(DateTime::Of(2026, 11, 1));
  sintegra.SetDt_Final(DateTime::Of(2026, 11, 30));
  sintegra.SetDs_Caminho(env.Path("sem-pasta/sintegra.txt"));
  EXPECT_FALSE(sintegra.Validar());
  EXPECT_EQ(sintegra.Nm_CampoErroCritica(), "Ds_Caminho");
  EXPECT_FALSE(sintegra.ExportaSintegra());
  ASSERT_EQ(env.boxes.size(), 2u);
  EXPECT_EQ(env.boxes[1].icon, Icon::Critical);
  EXPECT_EQ(c.Query("SELECT COUNT(*) FROM EstoqueConsolidado").Field(0).ToInt32(), 0);
  EXPECT_TRUE(c.Query("SELECT Dt_UltimaConsolidacaoEstoque FROM EmpresaUsuaria").Field(0).IsNull());
  EXPECT_EQ(env.windows_created, env.windows_closed);
}

struct Posto {
  // Runs posto with the demo database, no terminal, and returns its status.
  int operator()(const std::string& args) {
    const testing::Saida s = testing::Posto(env, args + " --db " + db + " </dev/null");
    saida = s.texto;
    return s.rc;
  }
  testing::TestEnv env;
  std::string db = testing::CopyDemoStation("posto_sintegra");
  std::string saida;
};

TEST(PostoSintegra, WritesTheMonthsFilesAndKeepsAFileOfTheUsersWithoutYes) {
  Posto posto;
  const std::string mes = " --de 2026-11-01 --ate 2026-11-30 --now 2026-12-05T10:00";
  const std::string arquivo = posto.env.Path("sintegra.txt");
  ASSERT_EQ(posto("sintegra" + mes + " --arquivo " + arquivo), 0) << posto.saida;
  EXPECT_NE(posto.saida.find("gravado: " + arquivo), std::string::npos) << posto.saida;
  const std::string escrito = testing::ReadFile(arquivo);
  EXPECT_GT(testing::Registros(arquivo).size(), 1000u);

  // The user's file now: kept without a Yes, replaced with --sim.
  EXPECT_EQ(posto("sintegra" + mes + " --arquivo " + arquivo + " --retificacao"), 1);
  EXPECT_NE(posto.saida.find("[Sobrescrever arquivo]"), std::string::npos) << posto.saida;
  EXPECT_EQ(testing::ReadFile(arquivo), escrito);
  ASSERT_EQ(posto("sintegra" + mes + " --arquivo " + arquivo + " --retificacao --sim"), 0);
  EXPECT_EQ(testing::ReadFile(arquivo).substr(123, 3), "332");

  // Two months: refused by Validar, the destination not left behind.
  const std::string outro = posto.env.Path("dois-meses.txt");
  EXPECT_EQ(posto("gam --de 2026-11-01 --ate 2026-12-02 --arquivo " + outro), 1);
  EXPECT_NE(posto.saida.find("mês a mês"), std::string::npos) << posto.saida;
  EXPECT_FALSE(std::filesystem::exists(outro));
  EXPECT_EQ(posto("gam --de 2026-11-01 --ate 2026-11-30 --bogus"), 2);

  ASSERT_EQ(posto("estoque consolidar --data 2026-11-30"), 0) << posto.saida;
  EXPECT_NE(posto.saida.find("Estoque consolidado em 30/11/2026"), std::string::npos);
  ASSERT_EQ(posto("exportar produtos --arquivo " + posto.env.Path("p.txt")), 0) << posto.saida;
  EXPECT_EQ(testing::ReadFile(posto.env.Path("p.txt")).substr(0, 16), "P145997418000153");
  ASSERT_EQ(posto("exportar estoque --data 2026-11-30 --arquivo " + posto.env.Path("e.txt")), 0);
  EXPECT_EQ(testing::Registros(posto.env.Path("e.txt")).size(), 14u);
}

}  // namespace
}  // namespace bp
