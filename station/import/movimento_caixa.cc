#include "station/import/movimento_caixa.h"

#include <string>

#include "bp/erro.h"
#include "bp/erros.h"
#include "bp/names.h"
#include "station/session/transacao.h"
#include "station/stock/lancamento_estoque.h"

namespace station {
namespace {

using bp::host::TipoMovimentoCaixa;

constexpr const char* kOrigem = "station.MovimentoCaixa";

std::string Lista(const std::vector<std::string>& nomes, const std::string& antes = {},
                  const std::string& depois = {}) {
  std::string texto;
  for (const std::string& n : nomes) texto += (texto.empty() ? "" : ", ") + antes + n + depois;
  return texto;
}

// A stock movement's balances (stock and average cost after it) are the
// station's to compute: the source's are not written.
bool Derivada(TipoMovimentoCaixa tipo, const std::string& coluna) {
  return tipo == TipoMovimentoCaixa::kCardex &&
         (bp::SameName(coluna, "Qt_Estoque") || bp::SameName(coluna, "Vl_CustoMedio"));
}

}  // namespace

const std::vector<std::string>& ChaveDoMovimento(TipoMovimentoCaixa tipo) {
  static const std::map<TipoMovimentoCaixa, std::vector<std::string>> chaves = {
      {TipoMovimentoCaixa::kAbastecimento, {"Cd_PessoaUsuaria", "Cd_Abastecimento"}},
      {TipoMovimentoCaixa::kPessoa, {"Cd_Pessoa"}},
      {TipoMovimentoCaixa::kCliente, {"Cd_PessoaUsuaria", "Cd_Cliente"}},
      {TipoMovimentoCaixa::kVeiculo, {"Cd_PessoaUsuaria", "Cd_Veiculo"}},
      {TipoMovimentoCaixa::kCardex, {"Cd_PessoaUsuaria", "Cd_LancamentoCardex"}},
      {TipoMovimentoCaixa::kCupomFiscal,
       {"Cd_PessoaUsuaria", "No_Impressora", "No_CupomFiscal", "Dt_Emissao"}},
      {TipoMovimentoCaixa::kItemCupomFiscal,
       {"Cd_PessoaUsuaria", "No_Impressora", "No_CupomFiscal", "Dt_Emissao", "No_Item"}},
      {TipoMovimentoCaixa::kRecebimento, {"Cd_PessoaUsuaria", "No_Recebimento"}},
      {TipoMovimentoCaixa::kRecebimentoCupom,
       {"Cd_PessoaUsuaria", "No_Recebimento", "No_Impressora", "No_CupomFiscal", "Dt_Emissao"}},
  };
  return chaves.at(tipo);
}

MovimentoCaixa::MovimentoCaixa(bp::host::BOSistema& sessao, TipoMovimentoCaixa tipo,
                               const AcompanhamentoImportacao* acompanhamento)
    : ObjetoDeSessao(sessao), tipo_(tipo), acompanhamento_(acompanhamento) {}

RegistroDeTabela& MovimentoCaixa::Registro() {
  if (!registro_)
    registro_.emplace(ColunasDaTabela::Ler(Conexao(), bp::host::TabelaDoMovimento(tipo_)));
  return *registro_;
}

bp::host::RegistroPorNome& MovimentoCaixa::NovoRegistro() {
  Registro().Limpar();
  return Registro();
}

// INSERT ... ON CONFLICT (key) DO UPDATE: one statement, so a row is saved
// whole or not at all, and two imports of the same row at once both end with
// it saved once.
const std::string& MovimentoCaixa::Comando(const std::vector<int>& atribuidas) {
  auto achado = comandos_.find(atribuidas);
  if (achado != comandos_.end()) return achado->second;
  const ColunasDaTabela& colunas = Registro().Colunas();
  const std::vector<std::string>& chave = ChaveDoMovimento(tipo_);
  std::vector<std::string> nomes, marcas, alterados;
  for (int i : atribuidas) {
    nomes.push_back(colunas.nomes[i]);
    marcas.push_back("?");
    bool da_chave = false;
    for (const std::string& k : chave) da_chave = da_chave || bp::SameName(k, colunas.nomes[i]);
    if (!da_chave) alterados.push_back(colunas.nomes[i] + " = excluded." + colunas.nomes[i]);
  }
  std::string sql = "INSERT INTO " + colunas.tabela + " (" + Lista(nomes) + ") VALUES (" +
                    Lista(marcas) + ") ON CONFLICT (" + Lista(chave) + ") DO ";
  sql += alterados.empty() ? "NOTHING" : "UPDATE SET " + Lista(alterados);
  return comandos_.emplace(atribuidas, std::move(sql)).first->second;
}

void MovimentoCaixa::Gravar() {
  RegistroDeTabela& r = Registro();
  for (const std::string& k : ChaveDoMovimento(tipo_)) {
    const bp::Value v = r.GetProperty(k);
    if (v.IsNull() || v.IsEmpty()) {
      constexpr int32_t kSemChave = static_cast<int32_t>(0x80040201);
      throw bp::Erro(kSemChave, bp::RetornaDescricaoErro(kSemChave), kOrigem);
    }
  }
  std::vector<int> atribuidas;
  std::vector<bp::Value> valores;
  for (int i : r.Atribuidas()) {
    if (Derivada(tipo_, r.Colunas().nomes[i])) continue;
    atribuidas.push_back(i);
    valores.push_back(r.Valor(i));
  }
  const std::string& sql = Comando(atribuidas);
  if (tipo_ == TipoMovimentoCaixa::kCardex) {
    // The movement and the balances it changes, together or not at all.
    EmTransacao(Conexao(), "GravarCardex", [&] {
      Conexao().Execute(sql, valores);
      std::string motivo;
      if (!LancarNoEstoque(Sessao(), r.GetProperty("Cd_PessoaUsuaria").ToInt32(),
                           r.GetProperty("Cd_LancamentoCardex").ToInt32(), motivo))
        throw bp::Erro(bp::kErroNegocio, motivo, kOrigem);
    });
  } else {
    Conexao().Execute(sql, valores);
  }
  if (acompanhamento_ && acompanhamento_->gravada) acompanhamento_->gravada(tipo_);
}

}  // namespace station
