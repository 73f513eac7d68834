#include <gtest/gtest.h>

#include <filesystem>

#include "bp/andamento.h"
#include "bp/erro.h"
#include "support/db_checks.h"
#include "support/test_env.h"

namespace bp {
namespace {

TEST(Andamento, LabelsHeightsAndCancel) {
  testing::TestEnv env;
  Andamento w;
  EXPECT_EQ(w.Percentual(), "%");
  EXPECT_FALSE(w.AnimacaoTocando());  // no clip in the module folder: no error either
  w.Show();
  w.SetIc_MostrarBotaoCancelamento(true);
  EXPECT_EQ(w.Altura(), 2930);
  w.SetIc_MostrarBotaoCancelamento(false);
  EXPECT_EQ(w.Altura(), 2400);
  w.SetIc_MostrarBotaoCancelamento(true);
  EXPECT_EQ(w.Altura(), 2930);

  EXPECT_FALSE(w.Ic_Cancelar());
  w.cmdCancelar_Click();
  w.cmdCancelar_Click();
  EXPECT_TRUE(w.Ic_Cancelar());
  EXPECT_TRUE(w.Carregado());

  w.MostrarLinha(1, 3);
  EXPECT_EQ(w.Percentual(), "33%");
  w.MostrarLinha(3, 3);
  EXPECT_EQ(w.Percentual(), "100%");
  EXPECT_EQ(w.Maximo(), 3);
  w.Unload();
  EXPECT_EQ(env.windows_closed, 1);
  EXPECT_EQ(env.draws.back().percent_label, "100%");
  EXPECT_EQ(env.draws.back().height_twips, 2930);
}

TEST(Andamento, ExporterPercentagePropertyIgnoresOnlyRejectedValues) {
  testing::TestEnv env;
  std::filesystem::path clip = env.Path("FileMove.Avi");
  testing::WriteFile(clip, "RIFF");
  Andamento w;
  EXPECT_TRUE(w.AnimacaoTocando());
  w.Show();
  ProgressoDoExportador p("BPExportacaoSintegra");
  p.SetJanela(&w);
  p.SetPercentualAndamento(0);
  EXPECT_EQ(w.Percentual(), "%");
  p.SetPercentualAndamento(100);
  EXPECT_EQ(w.Percentual(), "100%");
  EXPECT_EQ(w.Valor(), 100);
  const int events = env.do_events;
  EXPECT_NO_THROW(p.SetPercentualAndamento(150));  // the bar rejects it (380)
  EXPECT_EQ(p.PercentualAndamento(), 150);
  EXPECT_EQ(w.Percentual(), "100%");
  EXPECT_EQ(env.do_events, events);

  env.click_cancel = true;
  p.SetPercentualAndamento(5);
  EXPECT_TRUE(w.Ic_Cancelar());

  ProgressoDoExportador orphan("BPExportarEstoque");
  const Erro e = testing::FailureOf([&] { orphan.SetPercentualAndamento(5); });
  EXPECT_EQ(e.number, 91);
  EXPECT_EQ(e.source, "BP -> BPExportarEstoque.PercentualAndamento, ");
}

}  // namespace
}  // namespace bp
