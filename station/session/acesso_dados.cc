#include "station/session/acesso_dados.h"

#include "bp/format.h"

namespace station {

AcessoDados::AcessoDados(std::unique_ptr<bp::db::Connection> connection, Configuracao config)
    : connection_(std::move(connection)), config_(std::move(config)) {}

void AcessoDados::BeginTrans(const std::string& name, bool /*marker*/) {
  connection_->BeginTrans(name);
}

void AcessoDados::CommitTrans(const std::string& name, bool /*marker*/) {
  connection_->CommitTrans(name);
}

void AcessoDados::RollbackTrans(const std::string& name, bool /*marker*/) {
  connection_->RollbackTrans(name);
}

std::string AcessoDados::FormatDate(bp::DateTime date) {
  // Statement dates never depend on the regional settings.
  return bp::Format(date, DateFormatPattern(), bp::RegionalSettings::Brazil());
}

}  // namespace station
