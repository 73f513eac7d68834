// The SINTEGRA file of a busy month on the station host over SQLite and
// PostgreSQL (BP_BENCH_PG_URL): a
// station generated with 400 coupons a day of about three items for the 30
// days of November 2026 on two printers, upgraded, with one Z reduction per
// printer day taken from its daily summary. The export (stock consolidation
// included) against the floor of reading the rows the records come from
// (coupon items, Z reductions, received invoices and their items, products,
// the stock card up to the month's end) and writing a file of the same size.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include <unistd.h>

#include "bp/bp_atualizar_banco_de_dados.h"
#include "bp/bp_exportacao_sintegra.h"
#include "bp/format.h"
#include "bp/text_file.h"
#include "station/seed/gerador.h"
#include "station/session/banco_inicial.h"
#include "station/session/relogio_ajustavel.h"
#include "station/session/sessao.h"

#include "bancos.h"

namespace {

namespace fs = std::filesystem;
using bp::Value;

const bp::DateTime kInicio = bp::DateTime::Of(2026, 11, 1);
const bp::DateTime kFim = bp::DateTime::Of(2026, 11, 30);

class Ambiente final : public station::RelogioAjustavel {
 public:
  bp::Answer MessageBox(const bp::MessageBoxRequest& r) override {
    return r.buttons == bp::Buttons::YesNo ? bp::Answer::Yes : r.DefaultAnswer();
  }
};

// The Z reductions of the generated month, from the printers' daily summaries.
void Reducoes(bp::db::Connection& c) {
  std::string colunas, valores;
  for (int i = 1; i <= 16; ++i) {
    for (const char* p : {"Tp_T", "Vl_T", "Al_T"}) {
      colunas += std::string(", ") + p + bp::Format(i, "00");
    }
  }
  c.Execute(
      "INSERT INTO ReducaoZ (Cd_PessoaUsuaria, Dt_Movimento, No_Impressora, Qt_ContReducoes, "
      "No_ContadorReducaoZ, Qt_ContOperacoes, Vl_GTotalFinal, Vl_IsentasICMS, "
      "Vl_NaoIncidenciaICMS, Vl_SubTribICMS, Vl_CancelamentosICMS, Vl_DescontosICMS" +
      colunas +
      ") SELECT Cd_PessoaUsuaria, Dt_Movimento, No_Impressora, Qt_ContReducoes, "
      "Qt_ContReducoes, No_CupomFiscalFinal, Vl_GTotalFinal, Vl_Isentas, Vl_NaoIncidencia, "
      "Vl_SubTrib, Vl_Cancelamentos, Vl_Descontos" +
      colunas + " FROM MapaResumoECF");
}

struct Base {
  explicit Base(bool postgres) : banco(postgres) {
    pasta = fs::temp_directory_path() / ("bp_sintegra_bench_" + std::to_string(::getpid()));
    fs::create_directories(pasta);
    ambiente.agora = bp::DateTime::Of(2026, 12, 1, 8, 0, 0);
    sessao = std::make_shared<station::Sessao>(station::Configuracao(
        banco.Novo(postgres ? "bp_sintegra_bench" : "bp-sintegra-bench")));
    bp::db::Connection& c = sessao->Dal().Conexao();
    station::CriarBancoVersao18(c, 1);
    station::OpcoesGerador o;
    o.cupons_dia = 400;
    o.impressoras = 2;
    o.inicio = kInicio;
    station::GerarMovimento(c, o);
    bp::BPAtualizarBancoDeDados driver;
    driver.SetObBOSistema(sessao);
    driver.Atualizar(false);
    Reducoes(c);
  }
  ~Base() {
    std::error_code ignorado;
    fs::remove_all(pasta, ignorado);
  }
  std::string Arquivo() const { return (pasta / "sintegra.txt").string(); }

  bench::Banco banco;
  fs::path pasta;
  Ambiente ambiente;
  std::shared_ptr<station::Sessao> sessao;
};

Base& Unica(bool postgres) {
  static Base sqlite(false);
  if (!postgres) return sqlite;
  static Base pg(true);
  return pg;
}

void BM_Sintegra(benchmark::State& state, bool postgres) {
  if (bench::SemPostgres(state, postgres)) return;
  Base& base = Unica(postgres);
  for (auto _ : state) {
    bp::BPExportacaoSintegra sintegra;
    sintegra.SetObBOSistema(base.sessao);
    sintegra.SetDt_Inicial(kInicio);
    sintegra.SetDt_Final(kFim);
    sintegra.SetDs_Caminho(base.Arquivo());
    if (!sintegra.ExportaSintegra()) state.SkipWithError("export failed");
  }
  state.counters["bytes"] = static_cast<double>(fs::file_size(base.Arquivo()));
}
NOS_DOIS_BANCOS(BM_Sintegra);

void BM_SintegraPiso(benchmark::State& state, bool postgres) {
  if (bench::SemPostgres(state, postgres)) return;
  Base& base = Unica(postgres);
  bp::db::Connection& c = base.sessao->Dal().Conexao();
  if (!fs::exists(base.Arquivo())) {
    state.SkipWithError("run BM_Sintegra first: the floor writes a file of its size");
    return;
  }
  const uintmax_t tamanho = fs::file_size(base.Arquivo());
  const std::string piso = (base.pasta / "piso.txt").string();
  const Value de(kInicio), ate(kFim.AddDays(1));
  for (auto _ : state) {
    int64_t linhas = 0;
    for (const char* sql :
         {"SELECT * FROM ItemCupomFiscal WHERE Dt_Emissao >= ? AND Dt_Emissao < ?",
          "SELECT * FROM ReducaoZ WHERE Dt_Movimento >= ? AND Dt_Movimento < ?",
          "SELECT * FROM NotaEntrada n JOIN ItemNotaEntrada i ON i.No_Entrada = n.No_Entrada "
          "WHERE n.Dt_Entrega >= ? AND n.Dt_Entrega < ?",
          "SELECT * FROM Cardex WHERE Dt_Emissao >= ? AND Dt_Emissao < ?"}) {
      linhas += c.Query(sql, {de, ate}).RecordCount();
    }
    linhas += c.Query("SELECT * FROM Produto").RecordCount();
    benchmark::DoNotOptimize(linhas);
    bp::TextFile arquivo(piso, bp::OpenMode::Output);
    const std::string linha(126, 'x');
    for (uintmax_t escrito = 0; escrito < tamanho; escrito += 128) arquivo.WriteLine(linha);
    arquivo.Close();
  }
}
NOS_DOIS_BANCOS(BM_SintegraPiso);

}  // namespace
