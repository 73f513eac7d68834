// Fakes of the session and of the forecourt business objects. Every call the
// library makes on them goes, in order, into one log shared by all; what they
// answer comes from one script, and any call can be made to fail.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "bp/datetime.h"
#include "bp/host/bo_abastecimento.h"
#include "bp/host/bo_bomba.h"
#include "bp/host/bo_caixa.h"
#include "bp/host/bo_cheque.h"
#include "bp/host/bo_funcionario.h"
#include "bp/host/bo_log_liberacao_bico.h"
#include "bp/host/bo_sistema.h"
#include "support/fake_host.h"

namespace bp::testing {

// What the fake host answers.
struct RoteiroForecourt {
  bool login_valido = true;
  int32_t fl_permitir_desconto = 1;
  int32_t cd_caixa = 77;
  DateTime dt_abertura = DateTime::Of(2026, 12, 5, 6, 30);
  bool dinheiro_ou_cartao = true;
  bool credito = true;
  std::string ds_resultado = "Liberado";
  bool gravar = true;
  bool consulta_armazenada = false;
  bool cheque_aprovado = true;  // the consultation's verdict
  bool cheque_armazenado_aprovado = false;  // what a load finds
  std::string ds_consulta = "Cheque aprovado";
  // Failures: call name ("Cheque.Consultar", "BeginWork" ...) -> the numbers
  // its next calls raise, one per call.
  std::map<std::string, std::vector<int32_t>> falhas;
};

class FakeSessaoForecourt : public host::BOSistema, public CallLog {
 public:
  RoteiroForecourt roteiro;
  int32_t cd_pessoa_usuaria = 1;

  // Logs the call, then raises its next scripted failure, if any.
  void Chamar(const std::string& entrada);

  host::BOEmpresaUsuaria& EmpresaUsuaria() override;
  int32_t Cd_PessoaUsuaria() override { return cd_pessoa_usuaria; }
  host::DataAccess& ObDAL() override;
  void BeginWork(const std::string& origin, bool& marker) override;
  void EndWork(const std::string& origin, bool marker) override;

  std::unique_ptr<host::BOFuncionario> CriarFuncionario() override;
  std::unique_ptr<host::BOCaixa> CriarCaixa() override;
  std::unique_ptr<host::BOAbastecimento> CriarAbastecimento() override;
  std::unique_ptr<host::BOCheque> CriarCheque() override;
  std::unique_ptr<host::BOLogLiberacaoBico> CriarLogLiberacaoBico() override;
  std::unique_ptr<host::BOBomba> CriarBomba() override;
};

}  // namespace bp::testing
