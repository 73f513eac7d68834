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
  const std::string do_produto =
      "SELECT Cd_LancamentoCardex, Qt_Estoque, Vl_CustoMedio FROM Cardex WHERE "
      "Cd_PessoaUsuaria = ? AND Cd_Produto = ?";
  const std::string ultimo = " ORDER BY Dt_Emissao DESC, Cd_LancamentoCardex DESC LIMIT 1";
  const bp::db::Recordset depois = c.Query(do_produto + ultimo, {empresa, produto});
  if (depois.Eof() || depois.Field(0).ToInt32() != cd_lancamento_cardex) {
    RecalculoEstoque recalculo(sessao);
    const bool feito = recalculo.Recalcular(cd_pessoa_usuaria, produto.ToInt32(), data.ToDate());
    motivo = recalculo.Motivo();
    return feito;
  }
  const bp::db::Recordset antes = c.Query(
      do_produto + " AND (Dt_Emissao < ? OR (Dt_Emissao = ? AND Cd_LancamentoCardex < ?))" + ultimo,
      {empresa, produto, data, data, lancamento});
  SaldoEstoque saldo;
  if (!antes.Eof()) saldo = {OuZero(antes.Field(1)), OuZero(antes.Field(2))};
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
