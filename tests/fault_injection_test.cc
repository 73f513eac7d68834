// The upgrade survives being killed. A small generated station database at
// version 18 is copied, `posto db upgrade` runs on each copy as a child
// process and is killed with SIGKILL at a random moment, twenty times at
// different moments spread over the length of a whole run. After each kill
// (looked at on a duplicate, so that the next run itself meets what the kill
// left) the copy must stand exactly at a committed version V: its schema, its row
// counts and the content of the tables that held rows at version 18 equal
// those of a clean walk of another copy stopped at V (date and time values
// aside, since some steps write the current date). Then a new
// `posto db upgrade` must finish the walk where an uninterrupted run
// finishes it, in the same state. On SQLite and on PostgreSQL (a database of
// the shared test server per copy, copied with CREATE DATABASE ... TEMPLATE).
//
// The moments are drawn from a seed printed at the start; BP_FAULT_SEED
// repeats a run and BP_FAULT_KILLS changes the number of kills.
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "bp/bp_atualizar_banco_de_dados.h"
#include "bp/db/connection.h"
#include "bp/erro.h"
#include "bp/schema/introspect.h"
#include "bp/schema/model.h"
#include "station/session/banco_inicial.h"
#include "station/seed/gerador.h"
#include "station/session/sessao.h"
#include "support/pg_cluster.h"
#include "support/test_env.h"

namespace bp::testing {
namespace {

using Clock = std::chrono::steady_clock;

// Where the copies live: files of a folder, or databases of one server.
class Copias {
 public:
  virtual ~Copias() = default;
  // The populated database at version 18 that every copy starts from.
  virtual std::string Fonte() = 0;
  // A new copy of the source named `nome`; returns its target.
  std::string Copiar(const std::string& nome) { return Duplicar(Fonte(), nome); }
  // Waits until nothing of a killed child holds the copy any more.
  virtual void Assentar(const std::string& alvo) = 0;
  // A copy of a copy as it stands, a killed child's leftovers included.
  virtual std::string Duplicar(const std::string& alvo, const std::string& nome) = 0;
  // Removes a copy once it has been looked at.
  virtual void Descartar(const std::string& alvo) = 0;
};

class CopiasSqlite final : public Copias {
 public:
  explicit CopiasSqlite(std::string pasta) : pasta_(std::move(pasta)) {}
  std::string Fonte() override { return pasta_ + "/fonte.db"; }
  // The journal a killed child leaves is rolled back by the next opening.
  void Assentar(const std::string&) override {}
  // The rollback journal goes along: opening the duplicate undoes the
  // killed turn there, while the original keeps it for the next run.
  std::string Duplicar(const std::string& alvo, const std::string& nome) override {
    const std::string copia = pasta_ + "/" + nome + ".db";
    for (const char* sufixo : {"", "-journal", "-wal"}) {
      std::filesystem::remove(copia + sufixo);
      if (std::filesystem::exists(alvo + sufixo)) {
        std::filesystem::copy_file(alvo + sufixo, copia + sufixo);
      }
    }
    return copia;
  }
  void Descartar(const std::string& alvo) override {
    for (const char* sufixo : {"", "-journal", "-wal"}) std::filesystem::remove(alvo + sufixo);
  }

 private:
  std::string pasta_;
};

class CopiasPostgres final : public Copias {
 public:
  explicit CopiasPostgres(std::string fonte) : fonte_(std::move(fonte)) {}
  std::string Fonte() override { return fonte_; }
  // A killed client's server process ends its transaction (rolling it back)
  // only when it notices the closed socket, after its current statement.
  void Assentar(const std::string& alvo) override {
    auto admin = db::Connection::Open(PgCluster::Shared().Url());
    const auto limite = Clock::now() + std::chrono::seconds(120);
    while (Clock::now() < limite) {
      const db::Recordset r = admin->Query(
          "SELECT COUNT(*) FROM pg_stat_activity WHERE datname = ?", {Value(Nome(alvo))});
      if (r.Field(0).ToInt32() == 0) return;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ADD_FAILURE() << "o servidor ainda tem sessões abertas em " << alvo;
  }
  std::string Duplicar(const std::string& alvo, const std::string& nome) override {
    auto admin = db::Connection::Open(PgCluster::Shared().Url());
    admin->Execute("DROP DATABASE IF EXISTS " + nome);
    admin->Execute("CREATE DATABASE " + nome + " TEMPLATE " + Nome(alvo));
    return PgCluster::Shared().Url(nome);
  }
  void Descartar(const std::string& alvo) override {
    db::Connection::Open(PgCluster::Shared().Url())->Execute("DROP DATABASE IF EXISTS " + Nome(alvo));
  }

 private:
  static std::string Nome(const std::string& url) {
    std::string nome = url.substr(url.rfind('/') + 1);
    return nome.substr(0, nome.find('?'));
  }
  std::string fonte_;
};

// What a database holds at one moment, as far as these checks compare it.
struct Retrato {
  int32_t versao = 0;
  schema::Model modelo;
  std::map<std::string, int64_t> linhas;     // rows of every table
  std::map<std::string, uint64_t> conteudo;  // digest of the populated tables
};

// Table and column names as keys: PostgreSQL reports them in lower case.
std::string Chave(std::string nome) {
  for (char& ch : nome) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  return nome;
}

// An order-independent digest of a table's rows, over every value that is
// not a date: each row's values are named by column and sorted, so that a
// rebuilt table with another column order digests the same.
uint64_t Digest(db::Connection& c, const std::string& tabela) {
  const db::Recordset r = c.Query("SELECT * FROM " + tabela);
  uint64_t soma = 0;
  for (const auto& linha : r.Rows()) {
    std::vector<std::string> partes;
    for (size_t i = 0; i < linha.size(); ++i) {
      if (linha[i].Type() == ValueType::kDate) continue;
      partes.push_back(Chave(r.FieldName(static_cast<int32_t>(i))) + "=" +
                       (linha[i].IsNull() ? "<null>" : linha[i].ToText()));
    }
    std::sort(partes.begin(), partes.end());
    std::string texto;
    for (const auto& p : partes) texto += p + '\x1f';
    soma += std::hash<std::string>{}(texto) * 0x9E3779B97F4A7C15ull + 1;
  }
  return soma;
}

Retrato Retratar(db::Connection& c, const std::set<std::string>& povoadas) {
  Retrato r;
  r.versao = station::VersaoDoBanco(c);
  r.modelo = schema::Introspect(c);
  for (const schema::Table* t : r.modelo.Tables()) {
    const std::string chave = Chave(t->name);
    r.linhas[chave] = c.Query("SELECT COUNT(*) FROM " + t->name).Field(0).ToInt32();
    if (povoadas.count(chave)) r.conteudo[chave] = Digest(c, t->name);
  }
  return r;
}

// The first difference between two states, or "".
std::string Diferenca(const Retrato& esperado, const Retrato& obtido) {
  if (esperado.versao != obtido.versao) {
    return "versão " + std::to_string(obtido.versao) + ", esperada " +
           std::to_string(esperado.versao);
  }
  if (std::string d = schema::FirstDifference(esperado.modelo, obtido.modelo); !d.empty()) {
    return "esquema: " + d;
  }
  for (const auto& [tabela, n] : esperado.linhas) {
    const auto it = obtido.linhas.find(tabela);
    const int64_t tem = it == obtido.linhas.end() ? -1 : it->second;
    if (tem != n) {
      return tabela + " tem " + std::to_string(tem) + " linhas, esperadas " + std::to_string(n);
    }
  }
  for (const auto& [tabela, d] : esperado.conteudo) {
    const auto it = obtido.conteudo.find(tabela);
    if (it == obtido.conteudo.end() || it->second != d) return "conteúdo de " + tabela + " difere";
  }
  return "";
}

struct Execucao {
  bool morto = false;     // the kill landed while the child ran
  int codigo = -1;        // exit code when it ended by itself
  double segundos = 0;
};

// Runs `posto db upgrade --db alvo`, killing it after `matar_apos` seconds.
Execucao Upgrade(const std::string& alvo, const std::string& log,
                 std::optional<double> matar_apos = std::nullopt) {
  const auto comeco = Clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    const int entrada = open("/dev/null", O_RDONLY);
    const int saida = open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    dup2(entrada, 0);
    dup2(saida, 1);
    dup2(saida, 2);
    execl(POSTO_BINARY, "posto", "db", "upgrade", "--db", alvo.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  Execucao e;
  if (pid < 0) return e;
  if (matar_apos) {
    std::this_thread::sleep_for(std::chrono::duration<double>(*matar_apos));
    kill(pid, SIGKILL);  // a child that already ended is a zombie: nothing happens
  }
  int status = 0;
  waitpid(pid, &status, 0);
  e.segundos = std::chrono::duration<double>(Clock::now() - comeco).count();
  e.morto = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
  e.codigo = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return e;
}

// The history the copies start from: two printers, a month end with its
// bills, receipts and invoices, purchases and fuel deliveries.
station::OpcoesGerador Pequeno() {
  return {.dias = 45, .cupons_dia = 5, .itens_cupom = 2, .produtos = 14, .clientes = 6,
          .funcionarios = 4, .bicos = 5, .impressoras = 2, .semente = 7,
          .inicio = DateTime::Of(2005, 1, 20), .ao_fim_do_dia = nullptr};
}

void Injetar(Copias& copias, const std::string& pasta_logs) {
  TestEnv env;  // the in-process walk: boxes answered, no real pauses
  const char* kills = std::getenv("BP_FAULT_KILLS");
  const int mortes = kills && *kills ? std::atoi(kills) : 20;
  const char* seed = std::getenv("BP_FAULT_SEED");
  const uint64_t semente = seed ? std::strtoull(seed, nullptr, 10) : std::random_device{}();
  std::cout << "Semente da injeção de falhas: " << semente
            << " (repita com BP_FAULT_SEED=" << semente << ")\n";
  ::testing::Test::RecordProperty("semente", std::to_string(semente));
  std::mt19937_64 sorteio(semente);

  // The tables that hold rows at version 18: their content is compared.
  std::set<std::string> povoadas;
  for (const auto& [tabela, n] : Retratar(*db::Connection::Open(copias.Fonte()), {}).linhas)
    if (n > 0) povoadas.insert(tabela);
  ASSERT_TRUE(povoadas.count("cupomfiscal") && povoadas.count("cardex"));

  // An uninterrupted run gives the length of a run and where it ends.
  const std::string log = pasta_logs + "/posto.log";
  const std::string calibracao = copias.Copiar("falha_calibracao");
  const Execucao inteira = Upgrade(calibracao, log);
  ASSERT_FALSE(inteira.morto);
  const Retrato fim_inteira = Retratar(*db::Connection::Open(calibracao), povoadas);
  std::cout << "Execução inteira: " << inteira.segundos << " s, terminou na versão "
            << fim_inteira.versao << " com código " << inteira.codigo << "\n";

  struct Morte {
    double momento = 0;
    Execucao execucao;
    Retrato depois_da_morte, depois_de_retomar;
    Execucao retomada;
  };
  std::vector<Morte> resultado(static_cast<size_t>(mortes));
  std::uniform_real_distribution<double> faixa(0.0, 1.0);
  for (int k = 0; k < mortes; ++k) {
    Morte& m = resultado[static_cast<size_t>(k)];
    // Moments spread over the whole run, a few past its end.
    m.momento = (k + faixa(sorteio)) / mortes * inteira.segundos * 1.1;
    const std::string alvo = copias.Copiar("falha_" + std::to_string(k));
    m.execucao = Upgrade(alvo, log, m.momento);
    copias.Assentar(alvo);
    // What the kill left is looked at on a duplicate, so that the next run
    // meets the leftovers itself (on SQLite, the journal of the killed turn).
    const std::string inspecao = copias.Duplicar(alvo, "falha_" + std::to_string(k) + "_visto");
    m.depois_da_morte = Retratar(*db::Connection::Open(inspecao), povoadas);
    copias.Descartar(inspecao);
    m.retomada = Upgrade(alvo, log);
    m.depois_de_retomar = Retratar(*db::Connection::Open(alvo), povoadas);
    copias.Descartar(alvo);
  }

  // A clean walk in this process, stopping to look at every version a kill
  // left behind.
  std::set<int32_t> versoes;
  for (const Morte& m : resultado) versoes.insert(m.depois_da_morte.versao);
  std::map<int32_t, Retrato> referencia;
  const std::string limpa = copias.Copiar("falha_referencia");
  {
    auto sessao = std::make_shared<station::Sessao>(station::Configuracao(limpa));
    db::Connection& c = sessao->Dal().Conexao();
    referencia[station::VersaoDoBanco(c)] = Retratar(c, povoadas);
    BPAtualizarBancoDeDados driver;
    driver.SetObBOSistema(sessao);
    driver.SetTurnObserver([&](int32_t versao, int32_t, int32_t) {
      if (versoes.count(versao)) referencia[versao] = Retratar(c, povoadas);
    });
    const bool avisar = false;
    try {
      driver.Atualizar(avisar);
    } catch (const Erro&) {
      // Where the walk stops is compared with the child's run below.
    }
    referencia[station::VersaoDoBanco(c)] = Retratar(c, povoadas);
  }
  const int32_t final = fim_inteira.versao;
  EXPECT_EQ(Diferenca(referencia.rbegin()->second, fim_inteira), "")
      << "a execução inteira do posto e a caminhada de referência terminam diferentes";

  int mortos = 0;
  for (int k = 0; k < mortes; ++k) {
    const Morte& m = resultado[static_cast<size_t>(k)];
    SCOPED_TRACE("morte " + std::to_string(k) + " após " + std::to_string(m.momento) + " s");
    mortos += m.execucao.morto;
    if (!m.execucao.morto) {
      EXPECT_EQ(m.execucao.codigo, inteira.codigo);
    }
    const int32_t v = m.depois_da_morte.versao;
    EXPECT_GE(v, 18);
    EXPECT_LE(v, final);
    ASSERT_TRUE(referencia.count(v)) << "a caminhada de referência não passou pela versão " << v;
    EXPECT_EQ(Diferenca(referencia[v], m.depois_da_morte), "") << "na versão " << v;
    EXPECT_FALSE(m.retomada.morto);
    EXPECT_EQ(m.retomada.codigo, inteira.codigo) << "a retomada a partir da versão " << v;
    EXPECT_EQ(Diferenca(fim_inteira, m.depois_de_retomar), "") << "depois de retomar de " << v;
  }
  std::cout << mortos << " de " << mortes << " mortes durante a execução; versões atingidas:";
  for (int32_t v : versoes) std::cout << " " << v;
  std::cout << "\n";
  // Unless the whole run is too short to hit, some kill must land in it.
  if (inteira.segundos > 1.0) {
    EXPECT_GT(mortos, 0);
  }
}

// A folder in memory when the system has one (else `reserva`): the walk
// commits nearly five hundred times, and waiting for the disk at each commit
// would make the runs long without changing what a kill can leave behind.
class PastaRapida {
 public:
  explicit PastaRapida(const std::string& reserva)
      : caminho_("/dev/shm/bp-injecao-" + std::to_string(getpid())) {
    std::error_code erro;
    propria_ = access("/dev/shm", W_OK) == 0 && std::filesystem::create_directories(caminho_, erro);
    if (!propria_) caminho_ = reserva;
  }
  ~PastaRapida() {
    std::error_code erro;
    if (propria_) std::filesystem::remove_all(caminho_, erro);
  }
  const std::string& Caminho() const { return caminho_; }

 private:
  std::string caminho_;
  bool propria_ = false;
};

TEST(InjecaoDeFalhas, UpgradeMortoNoSqliteRetomaSemPerdas) {
  TestEnv env;
  PastaRapida pasta(env.Folder());
  {
    auto c = db::Connection::Open(pasta.Caminho() + "/fonte.db");
    station::CriarBancoVersao18(*c, 1);
    station::GerarMovimento(*c, Pequeno());
  }
  CopiasSqlite copias(pasta.Caminho());
  Injetar(copias, pasta.Caminho());
}

class InjecaoDeFalhasPg : public PgTest {};

TEST_F(InjecaoDeFalhasPg, UpgradeMortoNoPostgresRetomaSemPerdas) {
  TestEnv pasta;
  {
    auto c = Connect();
    station::CriarBancoVersao18(*c, 1);
    station::GerarMovimento(*c, Pequeno());
  }
  CopiasPostgres copias(Url());
  Injetar(copias, pasta.Folder());
}

}  // namespace
}  // namespace bp::testing
