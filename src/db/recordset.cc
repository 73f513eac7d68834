#include "bp/db/recordset.h"

#include <string>

#include "bp/db/connection.h"
#include "bp/erro.h"
#include "db/column_values.h"

namespace bp::db {

Recordset::Recordset(std::vector<std::string> names, std::vector<std::vector<Value>> rows,
                     std::string source)
    : names_(std::move(names)), rows_(std::move(rows)), source_(std::move(source)), open_(true) {
  for (const auto& row : rows_)
    if (row.size() != names_.size())
      RaiseRuntime(rt::kInvalidProcedureCall, "a row's width differs from the field count");
}

void Recordset::Open(Connection& connection, std::string_view source) {
  // Query the new rows first: a failing source leaves this recordset as it was.
  Recordset fresh = connection.Query(source);
  names_ = std::move(fresh.names_);
  rows_ = std::move(fresh.rows_);
  source_ = std::string(source);
  position_ = 0;
  open_ = true;
}

void Recordset::Close() {
  RequireOpen();
  names_.clear();
  rows_.clear();
  position_ = 0;
  open_ = false;
}

void Recordset::RequireOpen() const {
  if (!open_) RaiseRuntime(rt::kObjectClosed);
}

bool Recordset::Eof() const {
  RequireOpen();
  return rows_.empty() || position_ >= static_cast<int64_t>(rows_.size());
}

bool Recordset::Bof() const {
  RequireOpen();
  return rows_.empty() || position_ < 0;
}

void Recordset::MoveFirst() {
  RequireOpen();
  if (rows_.empty()) RaiseRuntime(rt::kNoCurrentRecord);
  position_ = 0;
}

void Recordset::MoveNext() {
  if (Eof()) RaiseRuntime(rt::kNoCurrentRecord);
  ++position_;
}

void Recordset::MovePrevious() {
  if (Bof()) RaiseRuntime(rt::kNoCurrentRecord);
  --position_;
}

void Recordset::MoveLast() {
  RequireOpen();
  if (rows_.empty()) RaiseRuntime(rt::kNoCurrentRecord);
  position_ = static_cast<int64_t>(rows_.size()) - 1;
}

int32_t Recordset::RecordCount() const {
  RequireOpen();
  return static_cast<int32_t>(rows_.size());
}

int32_t Recordset::AbsolutePosition() const {
  if (Eof() || Bof()) return 0;
  return static_cast<int32_t>(position_ + 1);
}

int32_t Recordset::FieldCount() const {
  RequireOpen();
  return static_cast<int32_t>(names_.size());
}

const std::string& Recordset::FieldName(int32_t index) const {
  RequireOpen();
  if (index < 0 || index >= static_cast<int32_t>(names_.size()))
    RaiseRuntime(rt::kItemNotFound, std::to_string(index));
  return names_[static_cast<size_t>(index)];
}

int32_t Recordset::IndexOf(std::string_view name) const {
  for (size_t i = 0; i < names_.size(); ++i)
    if (EqualsIgnoreCase(names_[i], name)) return static_cast<int32_t>(i);
  RaiseRuntime(rt::kItemNotFound, std::string(name));
}

const Value& Recordset::Field(std::string_view name) const {
  RequireOpen();
  const int32_t index = IndexOf(name);
  return Field(index);
}

const Value& Recordset::Field(int32_t index) const {
  RequireOpen();
  if (index < 0 || index >= static_cast<int32_t>(names_.size()))
    RaiseRuntime(rt::kItemNotFound, std::to_string(index));
  if (Eof() || Bof()) RaiseRuntime(rt::kNoCurrentRecord);
  return rows_[static_cast<size_t>(position_)][static_cast<size_t>(index)];
}

}  // namespace bp::db
