// The session's data-access object: the open connection, recordset defaults,
// named transactions, the statement date format and a few station settings.
#pragma once

#include <cstdint>
#include <string>

#include "bp/datetime.h"
#include "bp/db/connection.h"

namespace bp::host {

// Cursor and lock types of the recordsets the library opens itself (the
// values of the original data objects).
enum class CursorType { kForwardOnly = 0, kKeyset = 1, kDynamic = 2, kStatic = 3 };
enum class LockType { kReadOnly = 1, kPessimistic = 2, kOptimistic = 3, kBatchOptimistic = 4 };

class DataAccess {
 public:
  virtual ~DataAccess() = default;

  virtual db::Connection& Conexao() = 0;
  virtual CursorType DefaultCursorType() = 0;
  virtual LockType DefaultLockType() = 0;

  // Transactions named by the calling procedure, given the marker of the
  // enclosing unit of work.
  virtual void BeginTrans(const std::string& name, bool marker) = 0;
  virtual void CommitTrans(const std::string& name, bool marker) = 0;
  virtual void RollbackTrans(const std::string& name, bool marker) = 0;

  // The format pattern of dates in statements, and a date formatted with it:
  // the text goes between single quotes.
  virtual std::string DateFormatPattern() = 0;
  virtual std::string FormatDate(DateTime date) = 0;

  // Folder below which the library writes its files (no trailing separator).
  virtual std::string SystemFolder() = 0;
  // Number of the fiscal printer in use.
  virtual uint8_t NumeroECF() = 0;
  virtual void SetNumeroECF(uint8_t number) = 0;
  // Password of the database, used only to reach another station database.
  virtual std::string DatabasePassword() = 0;
};

}  // namespace bp::host
