#include "station/import/registro_de_tabela.h"

#include <string>

#include "bp/erro.h"
#include "bp/names.h"
#include "bp/schema/introspect.h"
#include "station/session/objeto_de_sessao.h"

namespace station {
namespace {

using bp::Value;
using K = bp::schema::ColumnType::Kind;

// The value as the column's kind keeps it.
Value NoTipoDaColuna(const bp::schema::ColumnType& tipo, const Value& v) {
  if (v.IsNull() || v.IsEmpty()) return bp::Null{};
  switch (tipo.kind) {
    case K::kInt:
      return v.ToInt32();
    case K::kSmallInt:
      return v.ToInt16();
    case K::kTinyInt:
      return v.ToByte();
    case K::kBit:
      return v.ToBool();
    case K::kMoney:
      return v.ToMoney();
    case K::kNumeric:
      if (tipo.scale <= 4) return v.ToMoney();
      return v.ToDouble();
    case K::kFloat:
    case K::kFloat53:
    case K::kReal:
      return v.ToDouble();
    case K::kDateTime:
      return v.ToDate();
    case K::kChar:
    case K::kVarChar:
    case K::kNVarChar:
    case K::kText:
      return v.Type() == bp::ValueType::kString ? v : Value(v.ToText());
  }
  return v;
}

}  // namespace

std::shared_ptr<const ColunasDaTabela> ColunasDaTabela::Ler(bp::db::Connection& c,
                                                            std::string_view tabela) {
  auto colunas = std::make_shared<ColunasDaTabela>();
  colunas->tabela = std::string(tabela);
  bp::db::Recordset rs =
      c.Kind() == bp::db::DialectKind::kPostgreSQL
          ? c.Query(
                "SELECT a.attname, format_type(a.atttypid, a.atttypmod) FROM pg_attribute a "
                "WHERE a.attrelid = to_regclass(lower(?)) AND a.attnum > 0 AND NOT "
                "a.attisdropped ORDER BY a.attnum",
                {Value(tabela)})
          : c.Query("SELECT name, type FROM pragma_table_info(?) ORDER BY cid", {Value(tabela)});
  for (; !rs.Eof(); rs.MoveNext()) {
    colunas->nomes.push_back(TextoOuVazio(rs.Field(0)));
    colunas->tipos.push_back(bp::schema::ReadTypeName(TextoOuVazio(rs.Field(1))));
  }
  if (colunas->nomes.empty())
    throw bp::Erro(bp::db::kErroComando, "Invalid object name '" + colunas->tabela + "'.",
                   "station.ColunasDaTabela");
  return colunas;
}

int ColunasDaTabela::Posicao(std::string_view nome) const {
  for (size_t i = 0; i < nomes.size(); ++i)
    if (bp::SameName(nomes[i], nome)) return static_cast<int>(i);
  return -1;
}

RegistroDeTabela::RegistroDeTabela(std::shared_ptr<const ColunasDaTabela> colunas)
    : colunas_(std::move(colunas)),
      valores_(colunas_->nomes.size()),
      atribuida_(colunas_->nomes.size(), false) {}

int RegistroDeTabela::PosicaoOuFalha(std::string_view name) const {
  const int posicao = colunas_->Posicao(name);
  if (posicao < 0) bp::RaiseRuntime(bp::rt::kMemberNotSupported, std::string(name));
  return posicao;
}

void RegistroDeTabela::LetProperty(std::string_view name, const Value& value) {
  const int posicao = PosicaoOuFalha(name);
  valores_[posicao] = NoTipoDaColuna(colunas_->tipos[posicao], value);
  atribuida_[posicao] = true;
}

Value RegistroDeTabela::GetProperty(std::string_view name) const {
  return valores_[PosicaoOuFalha(name)];
}

void RegistroDeTabela::Limpar() {
  std::fill(valores_.begin(), valores_.end(), Value());
  std::fill(atribuida_.begin(), atribuida_.end(), false);
}

std::vector<int> RegistroDeTabela::Atribuidas() const {
  std::vector<int> posicoes;
  for (size_t i = 0; i < atribuida_.size(); ++i)
    if (atribuida_[i]) posicoes.push_back(static_cast<int>(i));
  return posicoes;
}

}  // namespace station
