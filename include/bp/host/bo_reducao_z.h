// The data of a Z reduction as the fiscal printer reports it (one ReducaoZ
// row), and the host's record object that stores it and loads the last one
// of an ECF.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "bp/datetime.h"
#include "bp/host/bo_sistema.h"
#include "bp/money.h"

namespace bp::host {

// One partial total of a tax-rate slot (T01 .. T20).
struct TotalizadorParcial {
  uint8_t Tp = 0;  // kind of the slot (ICMS or ISS)
  Money Vl;        // value accumulated on the day
  Money Al;        // tax rate
};

// The last-Z data object. Dt_Movimento is empty when the printer has no Z
// reduction to report.
struct DadosReducaoZ {
  DateTime Dt_Movimento;  // the fiscal day the Z reduction closed

  // Identification of the printer, in the order the movement file reads it.
  std::string Ds_LetraIndicativaMemoriaAdicional;  // 1: additional fiscal memory letter
  std::string Ds_TipoECF;                          // 2: kind of ECF ("ECF-IF" ...)
  std::string Ds_MarcaECF;                         // 3: brand
  std::string Ds_ModeloECF;                        // 4: model
  std::string Ds_VersaoSoftwareBasicoECF;          // 5: version of the basic software
  DateTime Dt_InstalacaoSoftwareECF;               // when that software was installed
  uint8_t No_Impressora = 0;                       // the ECF's number in the establishment
  std::string No_CnpjEmpresaUsuariaECF;            // 6: user company's CNPJ in the printer
  std::string Cd_IEstadualEmpresaUsuariaECF;       // 7: its state registration
  int32_t No_OrdemUsuario = 0;                     // order of the user company on the ECF
  bool Ic_PermiteDescontoISS = false;              // discounts allowed on ISS items

  // Counters of the day.
  int32_t No_ModoEmissaoReducaoZ = 0;
  int32_t Qt_ContReducoes = 0;
  DateTime Dt_EmissaoReducaoZ;                     // when the Z reduction was printed
  int32_t No_ContadorReinicioDeOperacao = 0;
  int32_t No_ContadorReducaoZ = 0;
  int32_t Qt_ContOperacoes = 0;                    // order counter (COO)
  int32_t No_ContadorGeralOperacoesNaoFiscais = 0;
  int32_t No_ContadorCupomFiscal = 0;
  int32_t No_ContadorGeralRelatorioGerencial = 0;
  int32_t No_ContadorFitaDetalheEmitida = 0;
  int32_t No_ContadorOperacaoNaoFiscalCancelada = 0;
  int32_t No_ContadorCupomFiscalCancelado = 0;
  std::string Ds_ContadorEspecificoOperacoesNaoFiscais;
  std::string Ds_ContadorEspecificoRelatoriosGerenciais;
  int32_t No_ContadorComprovantesDebitoOuCredito = 0;
  int32_t No_ContadorComprovantesDeDebitoOuCreditoNaoEmitidos = 0;
  int32_t No_ContadorComprovantesDebitoOuCreditoCancelados = 0;

  // Totals of the day.
  Money Vl_GTotalFinal;
  std::vector<TotalizadorParcial> totalizadores;   // T01 onwards, at most 20
  Money Vl_IsentasICMS;
  Money Vl_NaoIncidenciaICMS;
  Money Vl_SubTribICMS;
  Money Vl_IsentasISS;
  Money Vl_NaoIncidenciaISS;
  Money Vl_SubTribISS;
  Money Vl_DescontosICMS;
  Money Vl_DescontosISS;
  Money Vl_AcrescimosICMS;
  Money Vl_AcrescimosISS;
  Money Vl_CancelamentosICMS;
  Money Vl_CancelamentosISS;
  std::string Ds_TotalizadoresParciaisNaoSujeitosAoICMS;
  Money Vl_TotalizadorSangria;
  Money Vl_TotalizadorSuprimento;
  Money Vl_TotalizadorCancelamentosNaoFiscais;
  Money Vl_TotalizadorDescontosNaoFiscais;
  Money Vl_TotalizadorAcrescimosNaoFiscais;
};

// The last-Z record object.
class BOReducaoZ {
 public:
  virtual ~BOReducaoZ() = default;

  // Takes the session the object works in.
  virtual void SetObBOSistema(BOSistemaRef ob_bo_sistema) = 0;

  virtual void SetDados(const DadosReducaoZ& dados) = 0;
  virtual const DadosReducaoZ& Dados() = 0;

  // Stores the data as the Z reduction of the session's company, its day and
  // printer; saving the same day and printer again updates that row.
  virtual void Gravar() = 0;
  // Loads the latest stored Z reduction of a company's ECF into Dados();
  // with none stored, Dados() holds an empty Dt_Movimento.
  virtual void CarregarUltimaReducaoZ(int32_t Cd_PessoaUsuaria, uint8_t No_Impressora) = 0;
};

}  // namespace bp::host
