// Fakes of the fiscal host objects for the day-opening, day-closing and
// movement-file tests: one scripted host whose session, printer, ECF record,
// coupons, Z-reduction record and record writer write the calls the tests
// look at, in order, into one log.
#pragma once

#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "bp/db/recordset.h"
#include "bp/host/bo_abertura_dia.h"
#include "bp/host/bo_cupom_fiscal.h"
#include "bp/host/bo_ecf.h"
#include "bp/host/bo_impressora.h"
#include "bp/host/bo_reducao_z.h"
#include "bp/host/bo_registro_movimento_ecf.h"
#include "support/fake_host.h"
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
};

class FakeFiscalHost : public FakeHost {
 public:
  FakeFiscalHost();

  FiscalScript script;

  host::BOImpressora& Impressora() { return *impressora_; }
  host::BOCupomFiscal& CupomFiscal() { return *cupom_; }
  host::BOECF& ECF() { return *ecf_; }

  std::unique_ptr<host::BOECF> CriarECF() override;
  std::unique_ptr<host::BOReducaoZ> CriarReducaoZ() override;
  std::unique_ptr<host::BORegistroMovimentoECF> CriarRegistroMovimentoECF() override;
  std::unique_ptr<host::BOAberturaDia> CriarAberturaDia() override;

  std::string SystemFolder() override { return script.pasta_sistema; }
  uint8_t NumeroECF() override { return script.numero_ecf; }
  void SetNumeroECF(uint8_t number) override;
  void Carregar() override { Log("Empresa.Carregar"); }

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

}  // namespace bp::testing
