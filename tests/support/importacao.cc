#include "support/importacao.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace bp::testing {
namespace {

int64_t Um(db::Connection& c, const std::string& sql, int32_t caixa) {
  const db::Recordset rs = c.Query(sql, {Value(caixa)});
  return rs.Eof() || rs.Field(0).IsNull() ? 0 : rs.Field(0).ToInt32();
}

const char* const kDoCupom =
    " c.Cd_PessoaUsuaria = x.Cd_PessoaUsuaria AND c.No_Impressora = x.No_Impressora AND "
    "c.No_CupomFiscal = x.No_CupomFiscal AND c.Dt_Emissao = x.Dt_Emissao";

}  // namespace

int32_t CaixaDoDia(db::Connection& c) {
  return c
      .Query("SELECT MIN(Cd_Caixa) FROM Caixa WHERE Cd_Funcionario = 1 AND Ic_Fechado = ?",
             {Value(false)})
      .Field(0)
      .ToInt32();
}

std::string Movimento(db::Connection& c) {
  std::string texto;
  for (const char* t : {"Abastecimento", "Pessoa", "Cliente", "Veiculo", "Cardex", "CupomFiscal",
                        "ItemCupomFiscal", "Recebimento", "RecebimentoCupom", "Produto"}) {
    // Sorted here: the databases order rows equal in the first columns freely.
    std::vector<std::string> linhas;
    const db::Recordset rs = c.Query(std::string("SELECT * FROM ") + t);
    for (const auto& row : rs.Rows()) {
      linhas.emplace_back();
      for (const Value& v : row) linhas.back() += v.ToText() + "|";
    }
    std::sort(linhas.begin(), linhas.end());
    for (const std::string& linha : linhas) texto += linha + "\n";
  }
  return texto;
}

std::string Contagem(db::Connection& c, int32_t caixa) {
  const std::string cupons =
      std::string(" EXISTS (SELECT 1 FROM CupomFiscal c WHERE") + kDoCupom + " AND c.Cd_Caixa = ?)";
  const std::pair<const char*, std::string> consultas[] = {
      {"Abastecimento", "SELECT COUNT(*) FROM Abastecimento WHERE Cd_Caixa = ?"},
      {"CupomFiscal", "SELECT COUNT(*) FROM CupomFiscal WHERE Cd_Caixa = ?"},
      {"ItemCupomFiscal", "SELECT COUNT(*) FROM ItemCupomFiscal x WHERE" + cupons},
      {"Recebimento", "SELECT COUNT(*) FROM Recebimento WHERE Cd_Caixa = ?"},
      {"RecebimentoCupom", "SELECT COUNT(*) FROM RecebimentoCupom x WHERE" + cupons},
      {"Cliente", "SELECT COUNT(*) FROM Cliente WHERE Cd_Cliente >= 9000000 + ? * 100000"}};
  std::string texto;
  for (const auto& [nome, sql] : consultas)
    texto += std::string(texto.empty() ? "" : " ") + nome + "=" + std::to_string(Um(c, sql, caixa));
  return texto;
}

std::string Incoerencia(db::Connection& c, int32_t caixa) {
  const std::pair<const char*, std::string> regras[] = {
      {"coupon without items",
       "SELECT COUNT(*) FROM CupomFiscal c WHERE c.Cd_Caixa = ? AND NOT EXISTS (SELECT 1 FROM "
       "ItemCupomFiscal x WHERE" +
           std::string(kDoCupom) + ")"},
      {"coupon not corrected",
       "SELECT COUNT(*) FROM CupomFiscal WHERE Cd_Caixa = ? AND (Dt_Movimento IS NULL OR "
       "Cd_SequenciaNotaCupom <> 0)"},
      {"link without receipt or coupon",
       "SELECT COUNT(*) FROM RecebimentoCupom x JOIN Recebimento r ON r.Cd_PessoaUsuaria = "
       "x.Cd_PessoaUsuaria AND r.No_Recebimento = x.No_Recebimento WHERE r.Cd_Caixa = ? AND NOT "
       "EXISTS (SELECT 1 FROM CupomFiscal c WHERE" +
           std::string(kDoCupom) + ")"},
      {"receipt without links",
       "SELECT COUNT(*) FROM Recebimento r WHERE r.Cd_Caixa = ? AND NOT EXISTS (SELECT 1 FROM "
       "RecebimentoCupom x WHERE x.No_Recebimento = r.No_Recebimento)"}};
  for (const auto& [regra, sql] : regras)
    if (const int64_t n = Um(c, sql, caixa); n != 0) return std::to_string(n) + " " + regra;
  // The stock of each product is the balance after its card's last movement.
  const db::Recordset rs = c.Query(
      "SELECT p.Cd_Produto, p.Qt_Estoque, (SELECT k.Qt_Estoque FROM Cardex k WHERE "
      "k.Cd_PessoaUsuaria = p.Cd_PessoaUsuaria AND k.Cd_Produto = p.Cd_Produto ORDER BY "
      "k.Dt_Emissao DESC, k.Cd_LancamentoCardex DESC LIMIT 1) FROM Produto p");
  for (const auto& row : rs.Rows()) {
    if (row[2].IsNull()) continue;
    const double estoque = row[1].IsNull() ? 0 : row[1].ToDouble();
    if (std::abs(estoque - row[2].ToDouble()) > 1e-6)
      return "product " + row[0].ToText() + " stock " + row[1].ToText() + " card " +
             row[2].ToText();
  }
  return {};
}

}  // namespace bp::testing
