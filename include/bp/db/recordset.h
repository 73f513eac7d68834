// A client-side, disconnected recordset: a copy of a query's rows that can
// be walked, read by field name or position, closed and reopened.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "bp/value.h"

namespace bp::db {

class Connection;

class Recordset {
 public:
  Recordset() = default;  // closed
  Recordset(std::vector<std::string> names, std::vector<std::vector<Value>> rows,
            std::string source = {});

  // Runs `source` on `connection` and keeps a detached copy of its rows,
  // positioned on the first row. Reopening a closed recordset with the same
  // source reads the rows afresh.
  void Open(Connection& connection, std::string_view source);
  void Close();  // raises 3704 when already closed
  bool IsOpen() const { return open_; }
  const std::string& Source() const { return source_; }

  bool Eof() const;  // also true for an empty recordset
  bool Bof() const;
  void MoveFirst();
  void MoveNext();      // raises 3021 when already at EOF
  void MovePrevious();  // raises 3021 when already at BOF
  void MoveLast();
  int32_t RecordCount() const;
  int32_t AbsolutePosition() const;  // 1-based; 0 at BOF or EOF

  int32_t FieldCount() const;
  const std::string& FieldName(int32_t index) const;
  // A field of the current row by name (case-insensitive) or position;
  // unknown names raise 3265, no current row raises 3021.
  const Value& Field(std::string_view name) const;
  const Value& Field(int32_t index) const;
  const Value& operator[](std::string_view name) const { return Field(name); }

  // All rows, for code that walks them itself.
  const std::vector<std::vector<Value>>& Rows() const { return rows_; }

 private:
  void RequireOpen() const;
  int32_t IndexOf(std::string_view name) const;

  std::vector<std::string> names_;
  std::vector<std::vector<Value>> rows_;
  std::string source_;
  int64_t position_ = 0;  // -1 = BOF, rows_.size() = EOF
  bool open_ = false;
};

}  // namespace bp::db
