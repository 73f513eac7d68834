// A record whose properties are the columns of one station table, set and
// read by name: the one reflection mechanism behind every business object
// of the cash-movement import.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "bp/db/connection.h"
#include "bp/host/bo_movimento_caixa.h"
#include "bp/schema/operations.h"
#include "bp/value.h"

namespace station {

// The columns of a table as the database declares them, in table order.
struct ColunasDaTabela {
  std::string tabela;
  std::vector<std::string> nomes;
  std::vector<bp::schema::ColumnType> tipos;

  // Reads them from the database; a table without columns raises 0x80040E14.
  static std::shared_ptr<const ColunasDaTabela> Ler(bp::db::Connection& c, std::string_view tabela);
  // The position of a column (case-insensitive), or -1.
  int Posicao(std::string_view nome) const;
};

class RegistroDeTabela final : public bp::host::RegistroPorNome {
 public:
  explicit RegistroDeTabela(std::shared_ptr<const ColunasDaTabela> colunas);

  // A value given to a property takes the column's kind (an integer column
  // holds a Long, a bit column a Boolean ...); Null stays Null. A name that
  // is no column raises 438 naming it; a value of the wrong kind raises the
  // conversion's error (13, 6).
  void LetProperty(std::string_view name, const bp::Value& value) override;
  // The value last given, Empty when none was.
  bp::Value GetProperty(std::string_view name) const override;

  // Forgets every value given.
  void Limpar();
  // The columns given a value since the last Limpar, in table order.
  std::vector<int> Atribuidas() const;
  const bp::Value& Valor(int posicao) const { return valores_[posicao]; }
  const ColunasDaTabela& Colunas() const { return *colunas_; }

 private:
  int PosicaoOuFalha(std::string_view name) const;

  std::shared_ptr<const ColunasDaTabela> colunas_;
  std::vector<bp::Value> valores_;
  std::vector<bool> atribuida_;
};

}  // namespace station
