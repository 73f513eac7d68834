#include "support/station_rows.h"

#include "bp/value.h"

namespace bp::testing {

void InsertProduct(db::Connection& db, int32_t company, int32_t code, const std::string& name) {
  if (db.Query("SELECT 1 FROM GrupoProduto WHERE Cd_GrupoProduto = 1").Eof()) {
    db.Execute("INSERT INTO GrupoProduto (Cd_GrupoProduto, Nm_GrupoProduto) VALUES (1, 'COMBUSTIVEIS')");
  }
  if (db.Query("SELECT 1 FROM ContaContabil WHERE Cd_PessoaUsuaria = ? AND Cd_ContaContabil = 1",
               {Value(company)})
          .Eof()) {
    db.Execute("INSERT INTO ContaContabil (Cd_PessoaUsuaria, Cd_ContaContabil, Nm_ContaContabil) "
               "VALUES (?, 1, 'VENDAS')",
               {Value(company)});
  }
  db.Execute("INSERT INTO Produto (Cd_PessoaUsuaria, Cd_Produto, Nm_Produto, No_Tipo, "
             "Cd_GrupoProduto, Fl_VendBomba, Cd_ContaMargemContribuicao) "
             "VALUES (?, ?, ?, 1, 1, 1, 1)",
             {Value(company), Value(code), Value(name)});
}

void InsertCardex(db::Connection& db, int32_t company, int32_t id, int32_t product,
                  DateTime when, int32_t type, double quantity, double unit_value,
                  double stock_after, double average_cost_after) {
  db.Execute("INSERT INTO Cardex (Cd_PessoaUsuaria, Cd_LancamentoCardex, Cd_Produto, Dt_Emissao, "
             "No_Tipo, Qt_Unidade, Vl_Unitario, Qt_Estoque, Vl_CustoMedio, Vl_CredIcmsMedio) "
             "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, 0)",
             {Value(company), Value(id), Value(product), Value(when), Value(type), Value(quantity),
              Value(unit_value), Value(stock_after), Value(Money::FromDouble(average_cost_after))});
}

}  // namespace bp::testing
