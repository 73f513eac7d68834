// A session that records every call the library makes on the host's
// session and data-access object into one ordered log, then passes the call
// on to a real session (the station's, over a real database).
#pragma once

#include <string>
#include <vector>

#include "bp/host/bo_cardex.h"
#include "bp/host/bo_estoque.h"
#include "bp/host/bo_sistema.h"
#include "bp/host/data_access.h"
#include "support/fake_host.h"

namespace bp::testing {

class RecordingSession : public host::BOSistema, public host::DataAccess, public CallLog {
 public:
  explicit RecordingSession(host::BOSistema& real) : real_(real) {}

  // BOSistema
  host::BOEmpresaUsuaria& EmpresaUsuaria() override { return real_.EmpresaUsuaria(); }
  int32_t Cd_PessoaUsuaria() override { return real_.Cd_PessoaUsuaria(); }
  host::DataAccess& ObDAL() override { return *this; }
  void BeginWork(const std::string& origin, bool& marker) override;
  void EndWork(const std::string& origin, bool marker) override;
  std::unique_ptr<host::BORecalculoEstoque> CriarRecalculoEstoque() override {
    return real_.CriarRecalculoEstoque();
  }
  std::unique_ptr<host::BORecalculoGeralEstoque> CriarRecalculoGeralEstoque() override {
    return real_.CriarRecalculoGeralEstoque();
  }
  std::unique_ptr<host::BOCardex> CriarCardex() override { return real_.CriarCardex(); }

  // DataAccess
  db::Connection& Conexao() override { return real_.ObDAL().Conexao(); }
  host::CursorType DefaultCursorType() override { return real_.ObDAL().DefaultCursorType(); }
  host::LockType DefaultLockType() override { return real_.ObDAL().DefaultLockType(); }
  void BeginTrans(const std::string& name, bool marker) override;
  void CommitTrans(const std::string& name, bool marker) override;
  void RollbackTrans(const std::string& name, bool marker) override;
  std::string DateFormatPattern() override { return real_.ObDAL().DateFormatPattern(); }
  std::string FormatDate(DateTime date) override { return real_.ObDAL().FormatDate(date); }
  std::string SystemFolder() override { return real_.ObDAL().SystemFolder(); }
  uint8_t NumeroECF() override { return real_.ObDAL().NumeroECF(); }
  void SetNumeroECF(uint8_t n) override { real_.ObDAL().SetNumeroECF(n); }
  std::string DatabasePassword() override { return real_.ObDAL().DatabasePassword(); }

 private:
  host::BOSistema& real_;
};

}  // namespace bp::testing
