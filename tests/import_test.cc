// The cash-movement import over a fake host that logs every call, then
// between two demo stations on SQLite through posto importar.
#include <algorithm>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "bp/bp_importar_movimento_caixa.h"
#include "bp/erro.h"
#include "station/import/ponto_de_venda.h"
#include "station/session/sessao.h"
#include "support/db_checks.h"
#include "support/estacao_demo.h"
#include "support/fake_host.h"
#include "support/importacao.h"
#include "support/posto.h"
#include "support/test_keys.h"

namespace bp {
namespace {

namespace fs = std::filesystem;
using host::TipoMovimentoCaixa;
using Calls = std::vector<std::string>;

constexpr const char* kSenha = "s3gr3d0-do-pdv";

// A record that takes only the names it was given.
class FakeRegistro : public host::RegistroPorNome {
 public:
  FakeRegistro(testing::CallLog& log, std::vector<std::string> nomes)
      : log_(log), nomes_(std::move(nomes)) {}
  void LetProperty(std::string_view name, const Value& value) override {
    log_.log.push_back("Let " + std::string(name) + "=" + value.ToText());
    for (const std::string& n : nomes_) {
      if (n == name) {
        valores_[n] = value;
        return;
      }
    }
    RaiseRuntime(rt::kMemberNotSupported, std::string(name));
  }
  Value GetProperty(std::string_view name) const override {
    auto v = valores_.find(std::string(name));
    return v == valores_.end() ? Value() : v->second;
  }
  std::map<std::string, Value> valores_;

 private:
  testing::CallLog& log_;
  std::vector<std::string> nomes_;
};

class FakeObjeto : public host::BOMovimentoCaixa {
 public:
  FakeObjeto(testing::CallLog& log, TipoMovimentoCaixa tipo, std::vector<std::string> nomes)
      : log_(log), tipo_(tipo), registro_(log, std::move(nomes)) {}
  host::RegistroPorNome& NovoRegistro() override {
    registro_.valores_.clear();
    return registro_;
  }
  void Gravar() override {
    log_.log.push_back("Gravar " + std::string(host::TabelaDoMovimento(tipo_)));
  }

 private:
  testing::CallLog& log_;
  TipoMovimentoCaixa tipo_;
  FakeRegistro registro_;
};

struct FakeImportHost : testing::FakeHost {
  std::map<TipoMovimentoCaixa, db::Recordset> conjuntos;
  std::vector<std::string> propriedades = {"A", "B", "Dt_Emissao", "Dt_Movimento",
                                           "Cd_SequenciaNotaCupom"};
  std::vector<std::string> conexoes;

  std::unique_ptr<host::BOLeitorMovimentoCaixa> CriarLeitorMovimentoCaixa() override;
  std::unique_ptr<host::BOMovimentoCaixa> CriarMovimentoCaixa(TipoMovimentoCaixa tipo) override {
    log.push_back("Criar " + std::string(host::TabelaDoMovimento(tipo)));
    return std::make_unique<FakeObjeto>(*this, tipo, propriedades);
  }

  std::string DatabasePassword() override { return kSenha; }
};

class FakeLeitor : public testing::Bound<host::BOLeitorMovimentoCaixa, FakeImportHost> {
 public:
  using Bound::Bound;
  void Carregar() override {
    h_.log.push_back("Carregar " + std::to_string(Registro().Cd_PessoaUsuaria) + "/" +
                     std::to_string(Registro().Cd_Caixa));
  }
  db::Recordset Movimento(TipoMovimentoCaixa tipo, const std::string& conexao) override {
    h_.log.push_back("Movimento " + std::string(host::TabelaDoMovimento(tipo)));
    h_.conexoes.push_back(conexao);
    auto c = h_.conjuntos.find(tipo);
    if (c == h_.conjuntos.end()) return db::Recordset({"A"}, {});
    db::Recordset rs = c->second;
    rs.MoveFirst();
    return rs;
  }
};

std::unique_ptr<host::BOLeitorMovimentoCaixa> FakeImportHost::CriarLeitorMovimentoCaixa() {
  return std::make_unique<FakeLeitor>(*this);
}

struct Importacao {
  Importacao() { classe.SetObBOSistema(host); }
  int32_t Importar() {
    std::string instancia = "SERVIDOR\\PDV", banco = "PostoPDV";
    int32_t caixa = 31;
    return classe.Importar(instancia, banco, caixa);
  }
  std::shared_ptr<FakeImportHost> host = std::make_shared<FakeImportHost>();
  BPImportarMovimentoCaixa classe;
};

TEST(ImportMovimentoCaixa, SavesEachRowInItsOwnWorkKindByKindWithTheCouponCorrections) {
  Importacao f;
  f.host->conjuntos[TipoMovimentoCaixa::kPessoa] =
      db::Recordset({"B", "A"}, {{Value(1), Value("X")}, {Value(2), Value("Y")}});
  const DateTime emissao = DateTime::Of(2026, 12, 5), movimento = DateTime::Of(2026, 12, 4);
  f.host->conjuntos[TipoMovimentoCaixa::kCupomFiscal] = db::Recordset(
      {"Dt_Emissao", "Dt_Movimento", "Cd_SequenciaNotaCupom"},
      {{Value(emissao), Value(Null{}), Value(9)}, {Value(emissao), Value(movimento), Value(4)}});
  int eventos = 0;
  f.classe.MostrarMensagem.Connect([&](std::string, std::string) { ++eventos; });
  f.classe.MostrarMensagemTTL.Connect([&](std::string, std::string, int32_t) { ++eventos; });

  EXPECT_EQ(f.Importar(), 0);
  EXPECT_EQ(eventos, 0);
  ASSERT_EQ(f.host->conexoes.size(), 9u);
  EXPECT_EQ(f.host->conexoes[0],
            "Provider=SQLOLEDB.1;Persist Security Info=False;User ID=sa; Password=s3gr3d0-do-pdv"
            ";Initial Catalog=PostoPDV;Data Source=SERVIDOR\\PDV");
  const std::string w = "BPImportarMovimentoCaixa.";
  Calls esperado = {"BeginWork " + w + "Importar", "Carregar 7/31",    "Movimento Abastecimento",
                    "Criar Abastecimento",         "Movimento Pessoa", "Criar Pessoa"};
  for (const char* valores : {"B=1|A=X", "B=2|A=Y"}) {
    const std::string v = valores;
    esperado.insert(esperado.end(), {"Let " + v.substr(0, 3), "Let " + v.substr(4),
                                     "BeginWork " + w + "ImportarPessoa", "Gravar Pessoa",
                                     "EndWork " + w + "ImportarPessoa"});
  }
  for (const char* t : {"Cliente", "Veiculo", "Cardex"})
    esperado.insert(esperado.end(), {std::string("Movimento ") + t, std::string("Criar ") + t});
  esperado.insert(esperado.end(), {"Movimento CupomFiscal", "Criar CupomFiscal"});
  // An empty movement date takes the issue date; the invoice sequence becomes 0.
  const std::string cupom = "BPImportarMovimentoCaixa.ImportarCupomFiscal";
  esperado.insert(
      esperado.end(),
      {"Let Dt_Emissao=05/12/2026", "Let Dt_Movimento=", "Let Cd_SequenciaNotaCupom=9",
       "Let Dt_Movimento=05/12/2026", "Let Cd_SequenciaNotaCupom=0", "BeginWork " + cupom,
       "Gravar CupomFiscal", "EndWork " + cupom, "Let Dt_Emissao=05/12/2026",
       "Let Dt_Movimento=04/12/2026", "Let Cd_SequenciaNotaCupom=4", "Let Cd_SequenciaNotaCupom=0",
       "BeginWork " + cupom, "Gravar CupomFiscal", "EndWork " + cupom});
  for (const char* t : {"ItemCupomFiscal", "Recebimento", "RecebimentoCupom"})
    esperado.insert(esperado.end(), {std::string("Movimento ") + t, std::string("Criar ") + t});
  esperado.push_back("EndWork " + w + "Importar");
  EXPECT_EQ(f.host->log, esperado);
}

TEST(ImportMovimentoCaixa, AColumnWithoutPropertyStopsTheImportWithTheTrailAfterEarlierRows) {
  Importacao f;
  f.host->conjuntos[TipoMovimentoCaixa::kAbastecimento] = db::Recordset({"A"}, {{Value(1)}});
  f.host->conjuntos[TipoMovimentoCaixa::kCardex] =
      db::Recordset({"A", "Nm_Extra"}, {{Value(1), Value(2)}, {Value(3), Value(4)}});
  const Erro e = testing::FailureOf([&] { f.Importar(); });
  EXPECT_EQ(e.number, rt::kMemberNotSupported);
  EXPECT_NE(e.description.find("Nm_Extra"), std::string::npos) << e.description;
  EXPECT_TRUE(e.source.ends_with(
      " -> BPImportarMovimentoCaixa.ImportarCardex -> BPImportarMovimentoCaixa.Importar, "))
      << e.source;
  EXPECT_EQ((e.description + e.source).find(kSenha), std::string::npos);
  const Calls& log = f.host->log;
  // The fuelling was saved, the stock movement never, and every work ended.
  EXPECT_EQ(std::count(log.begin(), log.end(), "Gravar Abastecimento"), 1);
  EXPECT_EQ(std::count(log.begin(), log.end(), "Gravar Cardex"), 0);
  EXPECT_EQ(log.back(), "EndWork BPImportarMovimentoCaixa.Importar");
  EXPECT_EQ(std::count(log.begin(), log.end(), "Movimento CupomFiscal"), 0);
  for (const std::string& linha : log) EXPECT_EQ(linha.find(kSenha), std::string::npos);
}

struct Par {
  Par() {
    env.now = testing::DemoStationNow();
    station::Configuracao config(pdv);
    auto sessao = std::make_shared<station::Sessao>(config);
    caixa = testing::CaixaDoDia(sessao->Dal().Conexao());
    station::OpcoesPontoDeVenda o;
    o.caixa = caixa;
    o.agora = env.now;
    o.cupons = 12;
    station::EscreverDiaDoPontoDeVenda(*sessao, o);
  }
  std::shared_ptr<station::Sessao> Estacao() {
    station::Configuracao config(estacao);
    config.senha_banco = kSenha;
    return std::make_shared<station::Sessao>(config);
  }
  // posto importar; returns the exit status and everything it wrote.
  std::pair<int, std::string> Posto(const std::string& banco) {
    testing::ScopedVariable senha("POSTO_SENHA_ORIGEM", kSenha);
    const testing::Saida s =
        testing::Posto(env, "importar --db " + estacao + " --instancia " +
                                fs::path(pdv).parent_path().string() + " --banco " + banco +
                                " --caixa " + std::to_string(caixa));
    return {s.rc, s.texto};
  }
  testing::TestEnv env;
  std::string pdv = testing::CopyDemoStation("pdv");
  std::string estacao = testing::CopyDemoStation("estacao");
  int32_t caixa = 0;
};

TEST(ImportStation, BringsTheDayInOnceAndASecondImportChangesNothing) {
  Par p;
  const std::string banco = fs::path(p.pdv).filename().string();
  auto [rc, saida] = p.Posto(banco);
  ASSERT_EQ(rc, 0) << saida;
  EXPECT_NE(saida.find("Caixa " + std::to_string(p.caixa) + " importado."), std::string::npos);
  EXPECT_EQ(saida.find(kSenha), std::string::npos) << saida;
  auto estacao = p.Estacao();
  db::Connection& c = estacao->Dal().Conexao();
  auto origem = db::Connection::Open(p.pdv);
  EXPECT_EQ(testing::Contagem(c, p.caixa), testing::Contagem(*origem, p.caixa));
  EXPECT_EQ(testing::Contagem(c, p.caixa),
            "Abastecimento=12 CupomFiscal=12 ItemCupomFiscal=36 Recebimento=2 "
            "RecebimentoCupom=6 Cliente=3");
  EXPECT_EQ(testing::Incoerencia(c, p.caixa), "");

  const std::string antes = testing::Movimento(c);
  std::tie(rc, saida) = p.Posto(banco);
  ASSERT_EQ(rc, 0) << saida;
  EXPECT_TRUE(testing::Movimento(c) == antes) << "rows changed";

  // A source that cannot be opened: the connection error names the source,
  // never the password, and nothing changes.
  std::tie(rc, saida) = p.Posto("nao-existe.db");
  EXPECT_EQ(rc, 2);  // a library error
  EXPECT_NE(saida.find("nao-existe.db"), std::string::npos) << saida;
  EXPECT_EQ(saida.find(kSenha), std::string::npos) << saida;
  BPImportarMovimentoCaixa classe;
  classe.SetObBOSistema(estacao);
  std::string servidor = "127.0.0.1:1", nome = "pdv";
  int32_t caixa = p.caixa;
  const Erro e = testing::FailureOf([&] { classe.Importar(servidor, nome, caixa); });
  EXPECT_EQ(e.number, rt::kConnectionUnusable);
  EXPECT_NE(e.description.find("127.0.0.1:1"), std::string::npos) << e.description;
  EXPECT_EQ((e.description + e.source).find(kSenha), std::string::npos) << e.description;
  EXPECT_TRUE(testing::Movimento(c) == antes) << "rows changed";
}

TEST(ImportStation, AColumnTheRecordLacksStopsAtTheCouponsKeepingTheKindsBefore) {
  Par p;
  db::Connection::Open(p.pdv)->Execute("ALTER TABLE CupomFiscal ADD COLUMN Nm_Extra varchar(10)");
  auto estacao = p.Estacao();
  BPImportarMovimentoCaixa classe;
  classe.SetObBOSistema(estacao);
  std::string pasta = fs::path(p.pdv).parent_path().string();
  std::string banco = fs::path(p.pdv).filename().string();
  const Erro e = testing::FailureOf([&] { classe.Importar(pasta, banco, p.caixa); });
  EXPECT_EQ(e.number, rt::kMemberNotSupported);
  EXPECT_NE(e.description.find("Nm_Extra"), std::string::npos) << e.description;
  EXPECT_NE(e.source.find(" -> BPImportarMovimentoCaixa.ImportarCupomFiscal -> "
                          "BPImportarMovimentoCaixa.Importar, "),
            std::string::npos)
      << e.source;
  EXPECT_EQ(testing::Contagem(estacao->Dal().Conexao(), p.caixa),
            "Abastecimento=12 CupomFiscal=0 ItemCupomFiscal=0 Recebimento=0 "
            "RecebimentoCupom=0 Cliente=3");
}

}  // namespace
}  // namespace bp
