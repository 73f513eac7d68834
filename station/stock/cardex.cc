#include "station/stock/cardex.h"

#include "bp/db/connection.h"
#include "bp/erros.h"
#include "bp/host/data_access.h"
#include "station/session/sessao.h"

namespace station {
namespace {

double DoubleOr0(const bp::Value& v) { return v.IsNull() ? 0.0 : v.ToDouble(); }
bp::Money MoneyOr0(const bp::Value& v) { return v.IsNull() ? bp::Money() : v.ToMoney(); }

}  // namespace

bp::host::LancamentoCardex Cardex::Carregar(int32_t company, int32_t code) {
  const bp::db::Recordset rs = session_.ObDAL().Conexao().Query(
      "SELECT Cd_Produto, Dt_Emissao, No_Tipo, Qt_Unidade, Vl_Unitario, Qt_Estoque, "
      "Vl_CustoMedio, Vl_CredIcmsMedio FROM Cardex "
      "WHERE Cd_PessoaUsuaria = ? AND Cd_LancamentoCardex = ?",
      {bp::Value(company), bp::Value(code)});
  if (rs.Eof()) {
    throw bp::Erro(static_cast<int32_t>(0x80040202),
                   bp::RetornaDescricaoErro(static_cast<int32_t>(0x80040202)), "BOCardex");
  }
  bp::host::LancamentoCardex l;
  l.cd_pessoa_usuaria = company;
  l.cd_lancamento_cardex = code;
  l.cd_produto = rs["Cd_Produto"].ToInt32();
  l.dt_emissao = rs["Dt_Emissao"].ToDate();
  l.no_tipo = rs["No_Tipo"].ToInt32();
  l.qt_unidade = DoubleOr0(rs["Qt_Unidade"]);
  l.vl_unitario = DoubleOr0(rs["Vl_Unitario"]);
  l.qt_estoque = DoubleOr0(rs["Qt_Estoque"]);
  l.vl_custo_medio = MoneyOr0(rs["Vl_CustoMedio"]);
  l.vl_cred_icms_medio = MoneyOr0(rs["Vl_CredIcmsMedio"]);
  return l;
}

void Cardex::Gravar(const bp::host::LancamentoCardex& l) {
  const int64_t changed = session_.ObDAL().Conexao().Execute(
      "UPDATE Cardex SET Qt_Unidade = ?, Vl_Unitario = ?, Qt_Estoque = ?, Vl_CustoMedio = ?, "
      "Vl_CredIcmsMedio = ? WHERE Cd_PessoaUsuaria = ? AND Cd_LancamentoCardex = ?",
      {bp::Value(l.qt_unidade), bp::Value(l.vl_unitario), bp::Value(l.qt_estoque),
       bp::Value(l.vl_custo_medio), bp::Value(l.vl_cred_icms_medio),
       bp::Value(l.cd_pessoa_usuaria), bp::Value(l.cd_lancamento_cardex)});
  if (changed == 0) {
    throw bp::Erro(static_cast<int32_t>(0x80040202),
                   bp::RetornaDescricaoErro(static_cast<int32_t>(0x80040202)), "BOCardex");
  }
}

std::unique_ptr<bp::host::BOCardex> Sessao::CriarCardex() {
  return std::make_unique<Cardex>(*this);
}

}  // namespace station
