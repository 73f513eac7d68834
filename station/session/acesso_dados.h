// The station's data-access object: one open connection to the station
// database, with the statement date format and the station's settings.
#pragma once

#include <memory>
#include <string>

#include "bp/db/connection.h"
#include "bp/host/data_access.h"

namespace station {

struct Configuracao {
  Configuracao() = default;
  explicit Configuracao(std::string target) : banco(std::move(target)) {}

  std::string banco;             // SQLite path or postgresql:// URL
  int32_t cd_pessoa_usuaria = 1; // the user company
  std::string pasta_sistema;     // folder below which the library writes files
  uint8_t numero_ecf = 1;        // fiscal printer of this workstation
  std::string senha_banco;       // password, only for reaching other databases
};

class AcessoDados final : public bp::host::DataAccess {
 public:
  AcessoDados(std::unique_ptr<bp::db::Connection> connection, Configuracao config);

  bp::db::Connection& Conexao() override { return *connection_; }
  bp::host::CursorType DefaultCursorType() override { return bp::host::CursorType::kStatic; }
  bp::host::LockType DefaultLockType() override { return bp::host::LockType::kOptimistic; }

  void BeginTrans(const std::string& name, bool marker) override;
  void CommitTrans(const std::string& name, bool marker) override;
  void RollbackTrans(const std::string& name, bool marker) override;

  std::string DateFormatPattern() override { return "yyyy-mm-dd hh:Nn:ss"; }
  std::string FormatDate(bp::DateTime date) override;

  std::string SystemFolder() override { return config_.pasta_sistema; }
  uint8_t NumeroECF() override { return config_.numero_ecf; }
  void SetNumeroECF(uint8_t number) override { config_.numero_ecf = number; }
  std::string DatabasePassword() override { return config_.senha_banco; }

  const Configuracao& Config() const { return config_; }

 private:
  std::unique_ptr<bp::db::Connection> connection_;
  Configuracao config_;
};

}  // namespace station
