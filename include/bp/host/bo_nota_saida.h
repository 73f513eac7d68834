// The host's outgoing-invoice object BONotaSaida: a header, its line list
// and the fiscal operation the invoice carries.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "bp/datetime.h"
#include "bp/host/bo_negocio.h"
#include "bp/money.h"

namespace bp::host {

struct ItemNotaSaida {
  int32_t Cd_PessoaUsuaria = 0;
  uint8_t Cd_TipoNF = 0;
  int32_t No_Nota = 0;
  uint8_t No_Item = 0;
  int32_t Cd_Produto = 0;
  double Qt_Unidade = 0;
  Money Vl_UnitVenda;
  std::string No_SitTributaria;
  float Tx_Icms = 0;
  bool Fl_IssRetido = false;
  std::string Cd_CfopItem;
  std::string Cd_CompCFOP;
  float Tx_BaseCalculo = 0;
  std::string No_TribIcms;
  uint8_t No_Origem = 0;
  Money Vl_IcmsStAnterior;
  Money Vl_BaseCalculoIcmsStAnterior;
};

struct RegistroNotaSaida {
  int32_t Cd_PessoaUsuaria = 0;
  uint8_t Cd_TipoNF = 0;  // the company's invoice type
  int32_t No_Nota = 0;    // assigned by Preparar
  int32_t Cd_Pessoa = 0;
  DateTime Dt_Emissao;
  DateTime Dt_Vencimento;
  Money Vl_Total;
  Money Vl_TotProd;
  Money Vl_TotalLiquido;
  int32_t Cd_ContaAReceber = 0;
  std::string Hr_Emissao;
  std::string Cd_Veiculo;
  int32_t Cd_Operacao = 0;
  bool Ic_Concluido = false;
  int32_t No_Km = 0;
  std::string Ds_Observacao;
  std::string Ds_ObservacaoCliente;
  // Filled by Calcular.
  Money Vl_BasCalIcms;
  Money Vl_Icms;
};

// The fiscal operation of an invoice: its CFOP and complement within the
// company's state and towards another state.
struct OperacaoNota {
  std::string Cd_CfopEstadual;
  std::string Cd_CompCFOPEstadual;
  std::string Cd_CfopInterestadual;
  std::string Cd_CompCFOPInterestadual;
};

class BONotaSaida : public BOComRegistro<RegistroNotaSaida> {
 public:
  // Empties the header and the line list.
  void Limpar() override {
    BOComRegistro<RegistroNotaSaida>::Limpar();
    itens_.clear();
  }
  std::vector<ItemNotaSaida>& Itens() { return itens_; }

  // Makes the header a new invoice (gives it its number).
  virtual void Preparar() = 0;
  // The operation record of the header's Cd_Operacao.
  virtual OperacaoNota Operacao() = 0;
  // The state of the invoice's addressee (Cd_Pessoa).
  virtual std::string UFDestinatario() = 0;
  // Totals, ICMS base and value from the lines.
  virtual void Calcular() = 0;
  // Writes header and lines.
  virtual void Gravar() = 0;

 private:
  std::vector<ItemNotaSaida> itens_;
};

}  // namespace bp::host
