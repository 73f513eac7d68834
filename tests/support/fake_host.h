// What the scripted fake hosts share: one ordered log of the calls they
// receive, failures scripted by call name, and neutral answers for the parts
// of the session, data access and company a test does not look at.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "bp/erro.h"
#include "bp/host/bo_empresa_usuaria.h"
#include "bp/host/bo_sistema.h"
#include "bp/host/data_access.h"
#include "support/stub_data_access.h"

namespace bp::testing {

// "dd/mm/yyyy" of a date (30/12/1899 when empty), for log lines.
std::string Dia(DateTime date);

// Calls in order, each a text that starts with the call's name.
struct CallLog {
  std::vector<std::string> log;
  // The calls whose text starts with one of the prefixes.
  std::vector<std::string> Calls(const std::vector<std::string>& prefixes) const;
};

// A fake host object bound to the fake host `H` it logs to and answers from.
template <class Base, class H>
class Bound : public Base {
 public:
  explicit Bound(H& h) : h_(h) {}

 protected:
  H& h_;
};

class FakeHost : public host::BOSistema,
                 public StubDataAccess,
                 public host::BOEmpresaUsuaria,
                 public CallLog {
 public:
  std::map<std::string, Erro> falhas;  // call name -> failure it raises

  void Log(const std::string& call);  // records, then raises a scripted failure

  // BOSistema: units of work and transactions are logged.
  host::BOEmpresaUsuaria& EmpresaUsuaria() override { return *this; }
  int32_t Cd_PessoaUsuaria() override { return 7; }
  host::DataAccess& ObDAL() override { return *this; }
  void BeginWork(const std::string& origin, bool& marker) override;
  void EndWork(const std::string& origin, bool) override { Log("EndWork " + origin); }

  // DataAccess: transactions are logged.
  void BeginTrans(const std::string& name, bool) override { Log("BeginTrans " + name); }
  void CommitTrans(const std::string& name, bool) override { Log("CommitTrans " + name); }
  void RollbackTrans(const std::string& name, bool) override { Log("RollbackTrans " + name); }

  // BOEmpresaUsuaria
  host::IdentificacaoEmpresa Identificacao() override { return {}; }
  host::ConfiguracaoFaturamento Faturamento() override { return {}; }
  std::vector<host::TransferenciaEmbalagem> TransferenciasDeEmbalagem() override { return {}; }
  void SetMarcador(bool) override {}
  DateTime DataUltimaConsolidacaoEstoque() override { return {}; }
  void ConsolidarEstoqueAte(DateTime, Andamento*) override {}
  void ConsolidarEstoqueNaData(DateTime, Andamento*) override {}
};

}  // namespace bp::testing
