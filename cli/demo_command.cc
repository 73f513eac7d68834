// posto demo: the main job. It builds the demo station in a new SQLite
// database, releases a nozzle from micro-terminal 1 for a cash sale, closes
// the fiscal day on the emulated printer, opens the next one, and checks the
// EAD signature of the day's movement file. It makes its own keys in its
// folder on the first run, keeps them for the next, and points the process
// at them.
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "bp/datetime.h"
#include "bp/env.h"
#include "bp/format.h"
#include "bp/keys.h"
#include "cli/banco.h"
#include "cli/commands.h"
#include "station/forecourt/terminais_mt.h"
#include "station/seed/seed.h"
#include "station/session/relogio_ajustavel.h"
#include "station/session/sessao.h"

namespace posto {
namespace {

namespace fs = std::filesystem;

std::string Iso(bp::DateTime t) { return bp::Format(t, "yyyy-mm-dd") + "T" + bp::Format(t, "hh:Nn:ss"); }

// The attendant's keys for a cash sale of R$ 50,00 at nozzle 2 by employee 1:
// code, password, payment 3, nozzle, amount in cents, no discount, automatic
// settlement, then the confirmation after "PERMITIDO".
std::vector<std::string> VendaEmDinheiro() {
  return {"1", "\r", "1234", "\r", "3", "\r", "2", "\r", "5000", "\r", "\r", "\r", "\r"};
}

int LiberarBico(const std::string& banco, bp::DateTime agora) {
  station::RelogioAjustavel relogio;
  relogio.agora = agora;
  auto sessao = AbrirSessao(station::Configuracao(banco), UsoDoBanco::kNaVersaoDaBiblioteca);
  station::TerminaisMT terminais(sessao);
  terminais.ao_atualizar = [](int16_t mt, const station::TerminaisMT::Terminal& tela) {
    std::cout << "  MT" << mt << " passo " << tela.andamento << " | " << tela.linha1 << " | "
              << tela.linha2 << "\n";
  };
  // The idle terminal goes to the main menu, which starts the dialogue.
  terminais.Consultar(1);
  terminais.Consultar(1);
  for (const std::string& resposta : VendaEmDinheiro()) {
    for (char tecla : resposta) terminais.Tecla(1, tecla);
  }
  const bool voltou_ao_menu = terminais.Estado(1).andamento == 0;
  std::cout << (voltou_ao_menu ? "Bico liberado e responsabilidade gravada.\n"
                               : "O terminal não voltou ao menu principal.\n");
  return voltou_ao_menu ? 0 : 1;
}

bool EhChave(const fs::path& arquivo) {
  return arquivo.filename() == bp::kEadKeyFileName || arquivo.filename() == bp::kSerialKeyFileName;
}

// Empties the folder of an earlier run, keeping its keys.
void LimparPasta(const fs::path& pasta) {
  fs::create_directories(pasta);
  for (const auto& entrada : fs::directory_iterator(pasta)) {
    if (!EhChave(entrada.path())) fs::remove_all(entrada.path());
  }
}

// The key file at `arquivo`, made by `gerar` when missing, then read back by
// `ler` (so a file others may read is refused here too) and named in
// `variavel` for the rest of the run.
template <class Gerar, class Ler>
bool PrepararChave(const fs::path& arquivo, const char* variavel, Gerar gerar, Ler ler) {
  const bool nova = !fs::exists(arquivo);
  if (nova) {
    const auto gerada = gerar(arquivo.string());
    if (!gerada.key) {
      std::cerr << gerada.failure << "\n";
      return false;
    }
  }
  const auto lida = ler(arquivo.string());
  if (!lida.key) {
    std::cerr << lida.failure << "\n";
    return false;
  }
  setenv(variavel, arquivo.c_str(), 1);
  std::cout << (nova ? "Criada: " : "Usada: ") << arquivo.string() << "\n";
  return true;
}

// Customer 100's pending credit coupons up to `dia` billed into one
// receivable of their sum, then its three fleet files written beside the
// database.
int FaturarEExportar(const std::string& banco, const fs::path& pasta, bp::DateTime dia,
                     bp::DateTime agora) {
  const std::string cliente = std::to_string(station::EstacaoDemo::kClienteCredito);
  bp::Money pendente;
  {
    auto c = AbrirBanco(banco, UsoDoBanco::kNaVersaoDaBiblioteca);
    const bp::db::Recordset rs = c->Query(
        "SELECT SUM(Vl_TotalLiquido) FROM CupomFiscal WHERE Cd_Cliente = ? AND "
        "Cd_ContaAReceber IS NULL AND Tp_Venda IN (?, ?, ?) AND Dt_Emissao < ?",
        {bp::Value(station::EstacaoDemo::kClienteCredito), bp::Value(11), bp::Value(12),
         bp::Value(13), bp::Value(dia.AddDays(1))});
    if (!rs.Field(0).IsNull()) pendente = rs.Field(0).ToMoney();
  }
  if (int rc = Posto({"faturar", "--db", banco, "--cliente", cliente, "--ate",
                      bp::Format(dia, "yyyy-mm-dd"), "--vencimento",
                      bp::Format(dia.AddDays(30), "yyyy-mm-dd"), "--valor", pendente.ToSql(),
                      "--now", Iso(agora)});
      rc != 0)
    return rc;
  int32_t conta = 0;
  {
    auto c = AbrirBanco(banco, UsoDoBanco::kNaVersaoDaBiblioteca);
    conta = c->Query("SELECT MAX(Cd_ContaAReceber) FROM ContaAReceber WHERE Cd_Cliente = ?",
                     {bp::Value(station::EstacaoDemo::kClienteCredito)})
                .Field(0)
                .ToInt32();
  }
  for (const char* tipo : {"201", "101", "102"}) {
    if (int rc = Posto({"exportar", "cupons", "--db", banco, "--conta", std::to_string(conta),
                        "--tipo", tipo, "--pasta", pasta.string(), "--now", Iso(agora), "--sim"});
        rc != 0)
      return rc;
  }
  return 0;
}

int Demo(const Options& o) {
  const fs::path pasta = fs::absolute(o.Argument(0).empty() ? "posto-demo" : o.Argument(0));
  LimparPasta(pasta);
  const std::string banco = (pasta / "demo.db").string();

  const bp::DateTime hoje = bp::Env::Current().Now().DatePart();
  const bp::DateTime abertura = hoje.AddSeconds(10 * 3600);
  const bp::DateTime fechamento = hoje.AddSeconds(23 * 3600);
  const bp::DateTime amanha = hoje.AddDays(1).AddSeconds(7 * 3600);

  std::cout << "== Chaves da demonstração (par EAD e chave do serial)\n\n";
  if (!PrepararChave(pasta / bp::kEadKeyFileName, bp::kEadKeyVariable, bp::WriteNewEadKey,
                     bp::ReadEadKey) ||
      !PrepararChave(pasta / bp::kSerialKeyFileName, bp::kSerialKeyVariable,
                     bp::WriteNewSerialKey, bp::ReadSerialKey)) {
    return 1;
  }

  // The upgrade's notices are answered at once: the demo asks nothing.
  std::cout << "\n== Estação de demonstração\n\n";
  if (int rc = Posto({"station", "seed", "--db", banco, "--now", Iso(abertura), "--sim"}); rc != 0)
    return rc;

  std::cout << "\n== Liberação de bico no micro-terminal 1 (venda em dinheiro)\n\n";
  if (int rc = LiberarBico(banco, abertura.AddSeconds(5 * 60)); rc != 0) return rc;

  std::cout << "\n== Fechamento do dia fiscal\n\n";
  if (int rc = Posto({"dia", "fechar", "--db", banco, "--now", Iso(fechamento)}); rc != 0) return rc;

  std::cout << "\n== Abertura do dia seguinte\n\n";
  if (int rc = Posto({"dia", "abrir", "--db", banco, "--now", Iso(amanha)}); rc != 0) return rc;

  std::cout << "\n== Assinatura EAD do arquivo de movimento\n\n";
  const fs::path movimento = pasta / "Fiscal" / "ECF" / "Dados ReducaoZ";
  int rc = 1;
  for (const auto& arquivo : fs::directory_iterator(movimento)) {
    rc = Posto({"ead", "verificar", arquivo.path().string()});
    if (rc != 0) return rc;
  }
  std::cout << "\n== Faturamento do cliente " << station::EstacaoDemo::kClienteCredito
            << " e seus arquivos de frota\n\n";
  if (int r = FaturarEExportar(banco, pasta, hoje, amanha); r != 0) return r;

  // The month holding most of the history, from its first to its last day.
  const bp::DateTime meio = hoje.AddDays(-15);
  const bp::DateTime primeiro = bp::DateTime::Of(meio.Year(), meio.Month(), 1);
  const bp::DateTime ultimo = primeiro.AddDays(40).AddDays(-(primeiro.AddDays(40).Day()));
  std::cout << "\n== Arquivo SINTEGRA de " << bp::Format(primeiro, "mm/yyyy") << "\n\n";
  if (int r = Posto({"sintegra", "--db", banco, "--de", bp::Format(primeiro, "yyyy-mm-dd"), "--ate",
                     bp::Format(ultimo, "yyyy-mm-dd"), "--arquivo",
                     (pasta / ("SINTEGRA " + bp::Format(primeiro, "yyyy-mm") + ".txt")).string(),
                     "--contato", "JOAO BATISTA DOS SANTOS", "--now", Iso(amanha)});
      r != 0)
    return r;
  std::cout << "\nTudo em " << pasta.string() << " (chaves, banco, impressora emulada e arquivos).\n";
  return rc;
}

}  // namespace

std::vector<Command> ComandosDemo() {
  return {{"demo",
           "Executa a demonstração completa de um dia do posto.",
           {},
           {{"PASTA", "pasta da demonstração, esvaziada (menos as chaves) a cada vez (padrão: posto-demo)", true}},
           Demo}};
}

}  // namespace posto
