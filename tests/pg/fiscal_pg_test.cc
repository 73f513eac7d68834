// The fiscal day of the demo station on PostgreSQL: the station's fiscal
// objects and record writer on the server's types (bits, money, dates).
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "bp/bp_abrir_dia.h"
#include "bp/ead.h"
#include "station/fiscal/cupom_fiscal.h"
#include "station/fiscal/ecf.h"
#include "station/fiscal/ecf_emulador.h"
#include "station/fiscal/impressora_fiscal.h"
#include "station/seed/seed.h"
#include "station/seed/seed_fiscal.h"
#include "support/pg_cluster.h"
#include "support/test_env.h"
#include "support/test_keys.h"

namespace bp {
namespace {

class FiscalPg : public testing::PgTest {};

TEST_F(FiscalPg, ClosingAndOpeningTheDemoStationsDay) {
  testing::TestEnv env;
  const DateTime hoje = DateTime::Of(2026, 12, 5);
  station::Configuracao config(Url());
  config.pasta_sistema = env.Folder();
  auto sessao = std::make_shared<station::Sessao>(config);
  station::SeedDemoStation(sessao, hoje.AddSeconds(18 * 3600));
  host::BOSistemaRef ref = sessao;

  station::ImpressoraFiscal impressora(*sessao, station::PastaDoEmulador(config));
  station::Ecf ecf(*sessao);
  ecf.Registro().Cd_PessoaUsuaria = 1;
  ecf.Registro().No_Impressora = 1;
  ecf.Carregar();
  station::CupomFiscal cupom(*sessao);
  cupom.Registro().Cd_PessoaUsuaria = 1;
  BPAbrirDia dia;
  dia.SetObBOSistema(ref);
  std::string mensagem;

  env.now = hoje.AddSeconds(23 * 3600);
  EXPECT_EQ(dia.FecharDia(ref, nullptr, &ecf, &impressora, &cupom, nullptr, mensagem), hoje);
  EXPECT_TRUE(dia.FalhasDoFechamento().empty());
  env.now = hoje.AddDays(1).AddSeconds(7 * 3600);
  Tp_EdicaoEnum edicao = Tp_EdicaoEnum::Tp_EdicaoOmitido;
  dia.AbrirDia(ref, nullptr, &ecf, &impressora, &cupom, nullptr, mensagem, edicao);

  db::Connection& c = sessao->Dal().Conexao();
  EXPECT_EQ(c.Query("SELECT COUNT(*) FROM ReducaoZ WHERE Dt_Movimento = ?", {Value(hoje)})
                .Field(0)
                .ToInt32(),
            1);
  EXPECT_EQ(c.Query("SELECT COUNT(*) FROM CupomFiscal WHERE Dt_Emissao = ?", {Value(hoje)})
                .Field(0)
                .ToInt32(),
            station::FiscalDemo::kCuponsDeHoje - 1);
  EXPECT_EQ(dia.CuponsExcluidos().size(), 1u);
  EXPECT_EQ(VerifyEAD(dia.ArquivoGerado(), testing::TestModulus()).status, EadStatus::kOk);
}

}  // namespace
}  // namespace bp
