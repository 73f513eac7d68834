#include "cli/tabela.h"

#include <algorithm>
#include <string>
#include <vector>

#include <fmt/format.h>

#include "bp/format.h"
#include "cli/csv.h"

namespace posto {
namespace {

std::string Texto(const bp::Value& v) {
  switch (v.Type()) {
    case bp::ValueType::kCurrency:
      return bp::Format(v.ToMoney(), "#,##0.00");
    case bp::ValueType::kDouble:
      return bp::Format(v.ToDouble(), "#,##0.00##");
    default:
      return v.ToText();
  }
}

bool ANumero(const bp::Value& v) {
  switch (v.Type()) {
    case bp::ValueType::kCurrency:
    case bp::ValueType::kDouble:
    case bp::ValueType::kInteger:
    case bp::ValueType::kLong:
    case bp::ValueType::kByte:
      return true;
    default:
      return false;
  }
}

}  // namespace

void MostrarRecordset(const bp::db::Recordset& rs, bool csv, std::ostream& out) {
  const size_t colunas = static_cast<size_t>(rs.FieldCount());
  std::vector<std::string> nomes;
  for (size_t i = 0; i < colunas; ++i) nomes.push_back(rs.FieldName(static_cast<int32_t>(i)));
  std::vector<std::vector<std::string>> linhas;
  std::vector<bool> a_direita(colunas, false);
  for (const std::vector<bp::Value>& row : rs.Rows()) {
    std::vector<std::string> linha;
    for (size_t i = 0; i < colunas; ++i) {
      linha.push_back(Texto(row[i]));
      if (ANumero(row[i])) a_direita[i] = true;
    }
    linhas.push_back(std::move(linha));
  }
  if (csv) {
    out << LinhaCsv(nomes);
    for (const auto& linha : linhas) out << LinhaCsv(linha);
    return;
  }
  std::vector<size_t> larguras(colunas);
  for (size_t i = 0; i < colunas; ++i) {
    larguras[i] = nomes[i].size();
    for (const auto& linha : linhas) larguras[i] = std::max(larguras[i], linha[i].size());
  }
  auto escrever = [&](const std::vector<std::string>& campos) {
    std::string texto;
    for (size_t i = 0; i < colunas; ++i) {
      if (i > 0) texto += "  ";
      texto += a_direita[i] ? fmt::format("{:>{}}", campos[i], larguras[i])
                            : fmt::format("{:<{}}", campos[i], larguras[i]);
    }
    texto.erase(texto.find_last_not_of(' ') + 1);
    out << texto << "\n";
  };
  escrever(nomes);
  for (const auto& linha : linhas) escrever(linha);
}

}  // namespace posto
