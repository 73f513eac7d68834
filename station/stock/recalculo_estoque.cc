#include "station/stock/recalculo_estoque.h"

#include <string>
#include <vector>

#include "bp/db/connection.h"
#include "bp/db/execute_each.h"
#include "bp/erro.h"
#include "bp/host/data_access.h"
#include "bp/money.h"
#include "bp/value.h"
#include "station/session/transacao.h"

namespace station {
namespace {

constexpr std::string_view kTransacao = "RecalculoEstoque";

double OrZero(const bp::Value& v) { return v.IsNull() || v.IsEmpty() ? 0.0 : v.ToDouble(); }

double Arredondado(double custo) { return bp::Money::FromDouble(custo).ToDouble(); }

// A lost or closed connection is not a fault of the card: the caller
// reconnects and tries again.
bool ConexaoFechada(const bp::Erro& e) {
  return e.number == bp::rt::kObjectClosed || e.number == bp::rt::kConnectionUnusable;
}

}  // namespace

bool EntradaDeEstoque(int32_t tipo) { return tipo >= 10 && tipo <= 14; }
bool SaidaDeEstoque(int32_t tipo) { return tipo >= 20 && tipo <= 24; }

SaldoEstoque Movimentar(SaldoEstoque saldo, const MovimentoEstoque& movimento) {
  if (EntradaDeEstoque(movimento.tipo)) {
    const double unitario = movimento.unitario.value_or(saldo.custo_medio);
    const double total = saldo.quantidade + movimento.quantidade;
    const double custo =
        saldo.quantidade <= 0 || total <= 0
            ? unitario
            : (saldo.quantidade * saldo.custo_medio + movimento.quantidade * unitario) / total;
    saldo.quantidade = total;
    saldo.custo_medio = Arredondado(custo);
  } else if (SaidaDeEstoque(movimento.tipo)) {
    saldo.quantidade -= movimento.quantidade;
  }
  return saldo;
}

bool RecalculoEstoque::Recalcular(int32_t cd_pessoa_usuaria, int32_t cd_produto,
                                  bp::DateTime inicio) {
  motivo_.clear();
  bp::db::Connection& c = session_.ObDAL().Conexao();
  const bp::Value empresa(cd_pessoa_usuaria);
  const bp::Value produto(cd_produto);
  try {
    if (c.Query("SELECT Cd_Produto FROM Produto WHERE Cd_PessoaUsuaria = ? AND Cd_Produto = ?",
                {empresa, produto})
            .Eof()) {
      motivo_ = "O produto " + std::to_string(cd_produto) + " não está cadastrado.";
      return false;
    }

    // The balance the date starts from: the one after the last movement
    // before it.
    SaldoEstoque saldo;
    std::string filtro = " WHERE Cd_PessoaUsuaria = ? AND Cd_Produto = ?";
    std::vector<bp::Value> parametros{empresa, produto};
    if (!inicio.IsEmpty()) {
      const bp::db::Recordset anterior = c.Query(
          "SELECT Qt_Estoque, Vl_CustoMedio FROM Cardex" + filtro +
              " AND Dt_Emissao < ? ORDER BY Dt_Emissao DESC, Cd_LancamentoCardex DESC LIMIT 1",
          {empresa, produto, bp::Value(inicio)});
      if (!anterior.Eof()) {
        saldo.quantidade = OrZero(anterior.Field(0));
        saldo.custo_medio = Arredondado(OrZero(anterior.Field(1)));
      }
      filtro += " AND Dt_Emissao >= ?";
      parametros.push_back(bp::Value(inicio));
    }
    const bp::db::Recordset cartao = c.Query(
        "SELECT Cd_LancamentoCardex, No_Tipo, Qt_Unidade, Vl_Unitario, Qt_Estoque, Vl_CustoMedio "
        "FROM Cardex" +
            filtro + " ORDER BY Dt_Emissao, Cd_LancamentoCardex",
        parametros);

    // The new balances, computed before anything is written; only the rows
    // whose balance changes are written.
    std::vector<std::vector<bp::Value>> mudadas;
    for (const auto& row : cartao.Rows()) {
      MovimentoEstoque m;
      m.tipo = row[1].IsNull() ? 0 : row[1].ToInt32();
      m.quantidade = OrZero(row[2]);
      if (!row[3].IsNull()) m.unitario = row[3].ToDouble();
      saldo = Movimentar(saldo, m);
      const bool igual =
          !row[4].IsNull() && !row[5].IsNull() && row[4].ToDouble() == saldo.quantidade &&
          bp::Money::FromDouble(row[5].ToDouble()) == bp::Money::FromDouble(saldo.custo_medio);
      if (!igual) {
        mudadas.push_back({bp::Value(saldo.quantidade),
                           bp::Value(bp::Money::FromDouble(saldo.custo_medio)), empresa, row[0]});
      }
    }

    EmTransacao(c, kTransacao, [&] {
      size_t proxima = 0;
      bp::db::ExecuteEach(c,
                          {"UPDATE Cardex SET Qt_Estoque = ?, Vl_CustoMedio = ? "
                           "WHERE Cd_PessoaUsuaria = ? AND Cd_LancamentoCardex = ?"},
                          mudadas, proxima);
      c.Execute(
          "UPDATE Produto SET Qt_Estoque = ?, Vl_CustoMedio = ? "
          "WHERE Cd_PessoaUsuaria = ? AND Cd_Produto = ?",
          {bp::Value(saldo.quantidade), bp::Value(bp::Money::FromDouble(saldo.custo_medio)),
           empresa, produto});
    });
    return true;
  } catch (const bp::Erro& e) {
    if (ConexaoFechada(e)) throw;
    motivo_ = e.description;
    return false;
  }
}

bool RecalculoGeralEstoque::Recalcular(int32_t cd_pessoa_usuaria, bp::DateTime inicio,
                                       std::string& mensagem) {
  mensagem.clear();
  bp::db::Connection& c = session_.ObDAL().Conexao();
  const bp::Value empresa(cd_pessoa_usuaria);
  try {
    if (c.Query("SELECT Cd_PessoaUsuaria FROM EmpresaUsuaria WHERE Cd_PessoaUsuaria = ?", {empresa})
            .Eof()) {
      mensagem = "A empresa " + std::to_string(cd_pessoa_usuaria) + " não está cadastrada.";
      return false;
    }
    const bp::db::Recordset produtos = c.Query(
        "SELECT Cd_Produto FROM Produto WHERE Cd_PessoaUsuaria = ? ORDER BY Cd_Produto", {empresa});
    RecalculoEstoque um(session_);
    EmTransacao(c, kTransacao, [&] {
      for (const auto& row : produtos.Rows()) {
        const int32_t produto = row[0].ToInt32();
        if (!um.Recalcular(cd_pessoa_usuaria, produto, inicio)) {
          throw bp::Erro(0, "Não foi possível recalcular o estoque do produto " +
                                std::to_string(produto) + ": " + um.Motivo());
        }
      }
    });
    mensagem = "Estoque de " + std::to_string(produtos.RecordCount()) + " produto(s) recalculado.";
    return true;
  } catch (const bp::Erro& e) {
    if (ConexaoFechada(e)) throw;
    mensagem = e.description;
    return false;
  }
}

}  // namespace station
