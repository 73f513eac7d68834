#include "station/stock/lancamento_estoque.h"

#include <string>

#include "bp/db/connection.h"
#include "bp/host/data_access.h"
#include "bp/money.h"
#include "station/session/objeto_de_sessao.h"
#include "station/session/transacao.h"
#include "station/stock/recalculo_estoque.h"

namespace station {
namespace {

using bp::Value;

double OuZero(const Value& v) { return v.IsNull() || v.IsEmpty() ? 0.0 : v.ToDouble(); }

}  // namespace

bool LancarNoEstoque(bp::host::BOSistema& sessao, int32_t cd_pessoa_usuaria,
                     int32_t cd_lancamento_cardex, std::string& motivo) {
  bp::db::Connection& c = sessao.ObDAL().Conexao();
  const Value empresa(cd_pessoa_usuaria), lancamento(cd_lancamento_cardex);
  const bp::db::Recordset linha = c.Query(
      "SELECT Cd_Produto, Dt_Emissao, No_Tipo, Qt_Unidade, Vl_Unitario FROM Cardex "
      "WHERE Cd_PessoaUsuaria = ? AND Cd_LancamentoCardex = ?",
      {empresa, lancamento});
  if (linha.Eof()) {
    motivo = "O lançamento " + std::to_string(cd_lancamento_cardex) + " não está no cardex.";
    return false;
  }
  const Value produto = linha.Field(0), data = linha.Field(1);
  // The product's row locked first: two stations saving movements of one
  // product at once then take their balances one after the other.
  c.Execute(
      "UPDATE Produto SET Qt_Estoque = Qt_Estoque WHERE Cd_PessoaUsuaria = ? AND "
      "Cd_Produto = ?",
      {empresa, produto});
  // Each question is a seek on an index of the card (by product and date, or
  // by code), never a sort of a busy day's movements.
  const std::string do_produto = " FROM Cardex WHERE Cd_PessoaUsuaria = ? AND Cd_Produto = ?";
  const std::string no_dia =
      " FROM Cardex WHERE Cd_PessoaUsuaria = ? AND Cd_LancamentoCardex {} ? AND Cd_Produto = ? AND "
      "Dt_Emissao = ?";
  auto do_dia = [&](const char* comparacao) {
    std::string sql = no_dia;
    return sql.replace(sql.find("{}"), 2, comparacao);
  };
  const bool ultimo =
      c.Query("SELECT 1" + do_produto + " AND Dt_Emissao > ? LIMIT 1", {empresa, produto, data})
          .Eof() &&
      c.Query("SELECT 1" + do_dia(">") + " LIMIT 1", {empresa, lancamento, produto, data}).Eof();
  if (!ultimo) {
    RecalculoEstoque recalculo(sessao);
    const bool feito = recalculo.Recalcular(cd_pessoa_usuaria, produto.ToInt32(), data.ToDate());
    motivo = recalculo.Motivo();
    return feito;
  }
  // The balance before it: the same day's previous movement, or the last of
  // an earlier day.
  const std::string saldo_sql = "SELECT Qt_Estoque, Vl_CustoMedio";
  bp::db::Recordset antes =
      c.Query(saldo_sql + do_dia("<") + " ORDER BY Cd_LancamentoCardex DESC LIMIT 1",
              {empresa, lancamento, produto, data});
  if (antes.Eof())
    antes = c.Query(saldo_sql + do_produto +
                        " AND Dt_Emissao < ? ORDER BY Dt_Emissao DESC, Cd_LancamentoCardex DESC "
                        "LIMIT 1",
                    {empresa, produto, data});
  SaldoEstoque saldo;
  if (!antes.Eof()) saldo = {OuZero(antes.Field(0)), OuZero(antes.Field(1))};
  MovimentoEstoque m;
  m.tipo = InteiroOuZero(linha.Field(2));
  m.quantidade = OuZero(linha.Field(3));
  if (!linha.Field(4).IsNull()) m.unitario = linha.Field(4).ToDouble();
  saldo = Movimentar(saldo, m);
  const Value quantidade(saldo.quantidade), custo(bp::Money::FromDouble(saldo.custo_medio));
  EmTransacao(c, "LancarNoEstoque", [&] {
    c.Execute(
        "UPDATE Cardex SET Qt_Estoque = ?, Vl_CustoMedio = ? WHERE Cd_PessoaUsuaria = ? "
        "AND Cd_LancamentoCardex = ?",
        {quantidade, custo, empresa, lancamento});
    c.Execute(
        "UPDATE Produto SET Qt_Estoque = ?, Vl_CustoMedio = ? WHERE Cd_PessoaUsuaria = ? "
        "AND Cd_Produto = ?",
        {quantidade, custo, empresa, produto});
  });
  motivo.clear();
  return true;
}

}  // namespace station
