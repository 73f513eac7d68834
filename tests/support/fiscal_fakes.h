// Fakes of the fiscal host objects for the day-opening, day-closing and
// movement-file tests: one scripted host whose session, printer, ECF record,
// coupons, Z-reduction record and record writer write every call, in order,
// into one log.
#pragma once

#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "bp/db/recordset.h"
#include "bp/erro.h"
#include "bp/host/bo_abertura_dia.h"
#include "bp/host/bo_cupom_fiscal.h"
#include "bp/host/bo_ecf.h"
#include "bp/host/bo_empresa_usuaria.h"
#include "bp/host/bo_impressora.h"
#include "bp/host/bo_reducao_z.h"
#include "bp/host/bo_registro_movimento_ecf.h"
#include "bp/host/bo_sistema.h"
#include "bp/host/data_access.h"
#include "support/stub_data_access.h"
#include "support/test_env.h"

namespace bp::testing {

// What the fake host answers; tests change it before the call.
struct FiscalScript {
  std::string pasta_sistema;            // system folder
  uint8_t numero_ecf = 1;
  std::string serie = "BE0123456789AB";  // decrypted serial of the ECF
  std::string identificacao = "BEMATECH";
  DateTime dt_movimento;                 // open fiscal day of the printer
  std::deque<DateTime> reducoes;         // Z date of each DadosultimaReducaoZ; empty after
  DateTime referencia;                   // the ECF's reference date
  Money cancelamentos;                   // the ECF's Vl_Cancelamentos of that date
  Money gtotal;                          // its Vl_GTotalFinal
  std::vector<std::vector<Value>> cupons;  // Vl_GTotal, Vl_Cancelamentos, Vl_Total, No_Impressora, No_CupomFiscal, Dt_Emissao
  std::map<int, host::RegistroMovimento> registros;  // per type; "R0n" text with success otherwise
  std::map<std::string, Erro> falhas;    // call name -> failure it raises
};

class FakeFiscalHost : public host::BOSistema,
                       public StubDataAccess,
                       public host::BOEmpresaUsuaria {
 public:
  FakeFiscalHost();

  FiscalScript script;
  std::vector<std::string> log;

  // The calls whose text starts with one of the prefixes.
  std::vector<std::string> Calls(const std::vector<std::string>& prefixes) const;
  void Log(const std::string& call);  // records, then raises a scripted failure

  host::BOImpressora& Impressora() { return *impressora_; }
  host::BOCupomFiscal& CupomFiscal() { return *cupom_; }
  host::BOECF& ECF() { return *ecf_; }

  // BOSistema
  host::BOEmpresaUsuaria& EmpresaUsuaria() override { return *this; }
  int32_t Cd_PessoaUsuaria() override { return 7; }
  host::DataAccess& ObDAL() override { return *this; }
  void BeginWork(const std::string& origin, bool& marker) override;
  void EndWork(const std::string& origin, bool marker) override;
  std::unique_ptr<host::BOECF> CriarECF() override;
  std::unique_ptr<host::BOReducaoZ> CriarReducaoZ() override;
  std::unique_ptr<host::BORegistroMovimentoECF> CriarRegistroMovimentoECF() override;
  std::unique_ptr<host::BOAberturaDia> CriarAberturaDia() override;

  // DataAccess
  std::string SystemFolder() override { return script.pasta_sistema; }
  uint8_t NumeroECF() override { return script.numero_ecf; }
  void SetNumeroECF(uint8_t number) override;

  // BOEmpresaUsuaria
  void Carregar() override { Log("Empresa.Carregar"); }
  host::IdentificacaoEmpresa Identificacao() override { return {}; }
  host::ConfiguracaoFaturamento Faturamento() override { return {}; }
  std::vector<host::TransferenciaEmbalagem> TransferenciasDeEmbalagem() override { return {}; }
  void SetMarcador(bool) override {}
  DateTime DataUltimaConsolidacaoEstoque() override { return {}; }
  void ConsolidarEstoqueAte(DateTime, Andamento*) override {}
  void ConsolidarEstoqueNaData(DateTime, Andamento*) override {}

 private:
  std::unique_ptr<host::BOImpressora> impressora_;
  std::unique_ptr<host::BOCupomFiscal> cupom_;
  std::unique_ptr<host::BOECF> ecf_;
};

// A scripted Env and a fake host whose system folder holds the movement
// files' folder.
struct DiaFiscal {
  DiaFiscal();
  TestEnv env;
  std::shared_ptr<FakeFiscalHost> fake = std::make_shared<FakeFiscalHost>();
  host::BOSistemaRef sessao = fake;
  std::string PastaMovimento() const;  // ends with the separator
};

// "dd/mm/yyyy" of a date, for log lines.
std::string Dia(DateTime date);

}  // namespace bp::testing
