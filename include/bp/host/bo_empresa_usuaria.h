// The user company BOEmpresaUsuaria: identification and address for the tax
// files, billing settings, and the stock consolidation operations.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "bp/host/bo_cardex.h"

#include "bp/datetime.h"
#include "bp/money.h"

namespace bp {
class Andamento;
}

namespace bp::host {

struct Endereco {
  std::string logradouro;   // street
  std::string bairro;       // neighbourhood
  std::string cidade;       // city name
  std::string uf;           // state abbreviation
};

struct IdentificacaoEmpresa {
  std::string cnpj;
  std::string inscricao_estadual;
  std::string inscricao_municipal;  // the further registration number
  std::string nome;
  std::string telefone;
  std::string numero;               // house number
  std::string complemento;
  std::string cep;
  Endereco endereco;
};

struct ConfiguracaoFaturamento {
  bool emitir_nf_no_faturamento = false;  // issue the invoice at billing
  bool nf_todas_as_linhas = false;        // invoice every line
  Money valor_padrao_conta_a_receber;     // default receivable amount
  // Day counts of the derived dates of a receivable: one per collection
  // type of the customer (1, 2, 3), the second date and the third date.
  int32_t dias_cobranca_tipo[3] = {0, 0, 0};
  int32_t dias_segunda_data = 0;
  int32_t dias_terceira_data = 0;
  uint8_t tipo_nf = 1;  // the invoice type of the invoices issued at billing
};

class BOEmpresaUsuaria {
 public:
  virtual ~BOEmpresaUsuaria() = default;

  virtual int32_t Cd_PessoaUsuaria() = 0;
  // Reads the company's record afresh (the movement-file export does so
  // before its first record); hosts that always read live data do nothing.
  virtual void Carregar() {}
  virtual IdentificacaoEmpresa Identificacao() = 0;
  virtual ConfiguracaoFaturamento Faturamento() = 0;

  // The package transfers whose costs the transfer-price correction checks.
  virtual std::vector<TransferenciaEmbalagem> TransferenciasDeEmbalagem() = 0;

  // The marker of the caller's unit of work, for the work the company object
  // does on the caller's behalf.
  virtual void SetMarcador(bool marker) = 0;

  // Date up to which the stock is consolidated (empty when never).
  virtual DateTime DataUltimaConsolidacaoEstoque() = 0;
  // Consolidates the stock forward from the last consolidation up to `date`.
  virtual void ConsolidarEstoqueAte(DateTime date, Andamento* progress) = 0;
  // Consolidates the stock at `date` from scratch.
  virtual void ConsolidarEstoqueNaData(DateTime date, Andamento* progress) = 0;
};

}  // namespace bp::host
