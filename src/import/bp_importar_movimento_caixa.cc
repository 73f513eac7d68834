#include "bp/bp_importar_movimento_caixa.h"

#include <algorithm>
#include <optional>
#include <string>

#include "bp/erro.h"
#include "bp/host/data_access.h"
#include "bp/host/unit_of_work.h"
#include "bp/registry.h"
#include "bp/trap.h"

namespace bp {
namespace {

constexpr const char* kClasse = "BPImportarMovimentoCaixa";

// The password only ever lives in the connection text of one call, wiped
// when the call ends on any path.
class TextoSecreto {
 public:
  explicit TextoSecreto(std::string texto) : texto_(std::move(texto)) {}
  ~TextoSecreto() { std::fill(texto_.begin(), texto_.end(), '\0'); }
  TextoSecreto(const TextoSecreto&) = delete;
  TextoSecreto& operator=(const TextoSecreto&) = delete;
  const std::string& Texto() const { return texto_; }

 private:
  std::string texto_;
};

bool DataVazia(const Value& v) {
  return v.IsNull() || v.IsEmpty() || (v.Type() == ValueType::kDate && v.ToDate().IsEmpty());
}

}  // namespace

BPImportarMovimentoCaixa::BPImportarMovimentoCaixa() = default;
BPImportarMovimentoCaixa::~BPImportarMovimentoCaixa() = default;

const ClassInfo& BPImportarMovimentoCaixa::Info() const {
  return typelib::BPImportarMovimentoCaixa();
}

host::BOSistema& BPImportarMovimentoCaixa::Sessao() {
  if (!ObBOSistema()) RaiseRuntime(rt::kObjectNotSet, "ObBOSistema");
  return *ObBOSistema();
}

void BPImportarMovimentoCaixa::OnSessionSet() {
  if (!ObBOSistema()) return;
  if (!leitor_) leitor_ = ObBOSistema()->CriarLeitorMovimentoCaixa();
  leitor_->SetObBOSistema(ObBOSistema());
}

std::string BPImportarMovimentoCaixa::TextoDeConexao(const std::string& senha,
                                                     const std::string& banco,
                                                     const std::string& instancia) {
  return "Provider=SQLOLEDB.1;Persist Security Info=False;User ID=sa; Password=" + senha +
         ";Initial Catalog=" + banco + ";Data Source=" + instancia;
}

int32_t BPImportarMovimentoCaixa::Importar(std::string& Ds_InstanciaBancoDeDados,
                                           std::string& Nm_BancoDeDados, int32_t& Cd_Caixa) {
  return Direct(kClasse, "Importar", [&] {
    host::BOSistema& sessao = Sessao();
    const TextoSecreto conexao(TextoDeConexao(sessao.ObDAL().DatabasePassword(), Nm_BancoDeDados,
                                              Ds_InstanciaBancoDeDados));
    std::unique_ptr<host::BOLeitorMovimentoCaixa> leitor = sessao.CriarLeitorMovimentoCaixa();
    leitor->SetObBOSistema(ObBOSistema());
    host::UnitOfWork work(sessao, host::Origem(kClasse, "Importar"));
    leitor->Registro().Cd_PessoaUsuaria = sessao.Cd_PessoaUsuaria();
    leitor->Registro().Cd_Caixa = Cd_Caixa;
    leitor->Carregar();
    for (const host::TipoMovimentoCaixa tipo : host::kTiposMovimentoCaixa) {
      db::Recordset rs = leitor->Movimento(tipo, conexao.Texto());
      ImportarMovimento(tipo, rs);
    }
    work.End();
    return int32_t{0};
  });
}

void BPImportarMovimentoCaixa::ImportarMovimento(host::TipoMovimentoCaixa tipo, db::Recordset& rs) {
  const std::string proc = "Importar" + std::string(host::TabelaDoMovimento(tipo));
  std::optional<host::UnitOfWork> work;
  Capture(
      kClasse, proc,
      [&] {
        host::BOSistema& sessao = Sessao();
        std::unique_ptr<host::BOMovimentoCaixa> objeto = sessao.CriarMovimentoCaixa(tipo);
        objeto->SetObBOSistema(ObBOSistema());
        while (!rs.Eof()) {
          host::RegistroPorNome& registro = objeto->NovoRegistro();
          for (int32_t i = 0; i < rs.FieldCount(); ++i)
            registro.LetProperty(rs.FieldName(i), rs.Field(i));
          if (tipo == host::TipoMovimentoCaixa::kCupomFiscal) CorrigirCupomImportado(registro);
          work.emplace(sessao, host::Origem(kClasse, proc));
          objeto->Gravar();
          work->End();
          work.reset();
          rs.MoveNext();
        }
      },
      [&] {
        if (work) work->End();
      });
}

void CorrigirCupomImportado(host::RegistroPorNome& cupom) {
  if (DataVazia(cupom.GetProperty("Dt_Movimento")))
    cupom.LetProperty("Dt_Movimento", cupom.GetProperty("Dt_Emissao"));
  cupom.LetProperty("Cd_SequenciaNotaCupom", int32_t{0});
}

namespace classes {
void RegisterBPImportarMovimentoCaixa() {
  RegisterClass(typelib::BPImportarMovimentoCaixa(),
                [] { return std::make_unique<BPImportarMovimentoCaixa>(); });
}
}  // namespace classes

}  // namespace bp
