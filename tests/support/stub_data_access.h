// A data-access object for fakes that never reach a database: no
// connection (3709), no transactions, fixed answers; fakes override what
// their tests look at.
#pragma once

#include <string>

#include "bp/erro.h"
#include "bp/host/data_access.h"

namespace bp::testing {

class StubDataAccess : public host::DataAccess {
 public:
  db::Connection& Conexao() override { RaiseRuntime(rt::kConnectionUnusable); }
  host::CursorType DefaultCursorType() override { return host::CursorType::kStatic; }
  host::LockType DefaultLockType() override { return host::LockType::kOptimistic; }
  void BeginTrans(const std::string&, bool) override {}
  void CommitTrans(const std::string&, bool) override {}
  void RollbackTrans(const std::string&, bool) override {}
  std::string DateFormatPattern() override { return "yyyy-mm-dd"; }
  std::string FormatDate(DateTime) override { return ""; }
  std::string SystemFolder() override { return ""; }
  uint8_t NumeroECF() override { return 1; }
  void SetNumeroECF(uint8_t) override {}
  std::string DatabasePassword() override { return ""; }
};

}  // namespace bp::testing
