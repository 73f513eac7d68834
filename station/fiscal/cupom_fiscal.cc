#include "station/fiscal/cupom_fiscal.h"

#include "bp/erro.h"
#include "station/session/transacao.h"

namespace station {
namespace {

constexpr const char* kChave =
    " WHERE Cd_PessoaUsuaria = ? AND No_Impressora = ? AND No_CupomFiscal = ? AND Dt_Emissao = ?";

}  // namespace

std::vector<bp::Value> CupomFiscal::Chave() const {
  return {bp::Value(registro_.Cd_PessoaUsuaria),
          bp::Value(static_cast<int32_t>(registro_.No_Impressora)),
          bp::Value(registro_.No_CupomFiscal), bp::Value(registro_.Dt_Emissao)};
}

bp::db::Recordset CupomFiscal::CuponsNaoConcluidos(bp::DateTime data, uint8_t No_Impressora) {
  const bp::DateTime dia = data.DatePart();
  return Conexao().Query(
      "SELECT Vl_GTotal, Vl_Cancelamentos, Vl_Total, No_Impressora, No_CupomFiscal, Dt_Emissao "
      "FROM CupomFiscal WHERE Cd_PessoaUsuaria = ? AND No_Impressora = ? "
      "AND Dt_Emissao >= ? AND Dt_Emissao < ? "
      "AND (Ic_CupomConcluido IS NULL OR Ic_CupomConcluido = ?) ORDER BY No_CupomFiscal",
      {bp::Value(registro_.Cd_PessoaUsuaria), bp::Value(static_cast<int32_t>(No_Impressora)),
       bp::Value(dia), bp::Value(dia.AddDays(1)), bp::Value(false)});
}

void CupomFiscal::Carregar() {
  const bp::db::Recordset rs = Conexao().Query(
      std::string("SELECT Vl_GTotal, Vl_Cancelamentos, Vl_Total, Ic_CupomConcluido, Cd_Cliente, "
                  "Vl_TotalLiquido, Dt_Vencimento, Dt_EfeFechamento FROM CupomFiscal") +
          kChave,
      Chave());
  if (rs.Eof()) RegistroNaoEncontrado("BOCupomFiscal");
  registro_.Vl_GTotal = DinheiroOuZero(rs["Vl_GTotal"]);
  registro_.Vl_Cancelamentos = DinheiroOuZero(rs["Vl_Cancelamentos"]);
  registro_.Vl_Total = DinheiroOuZero(rs["Vl_Total"]);
  registro_.Ic_CupomConcluido =
      !rs["Ic_CupomConcluido"].IsNull() && rs["Ic_CupomConcluido"].ToBool();
  registro_.Cd_Cliente = InteiroOuZero(rs["Cd_Cliente"]);
  registro_.Vl_TotalLiquido = DinheiroOuZero(rs["Vl_TotalLiquido"]);
  registro_.Dt_Vencimento = DataOuVazia(rs["Dt_Vencimento"]);
  registro_.Dt_EfeFechamento = DataOuVazia(rs["Dt_EfeFechamento"]);
}

void CupomFiscal::Faturar(int32_t Cd_ContaAReceber, bp::DateTime Dt_Fechamento,
                          int32_t Cd_Funcionario, bp::DateTime Dt_Vencimento,
                          bp::DateTime Dt_EfeFechamento) {
  std::vector<bp::Value> p = {bp::Value(Cd_ContaAReceber), bp::Value(true),
                              bp::Value(Dt_Fechamento),    bp::Value(Cd_Funcionario),
                              bp::Value(Dt_Vencimento),    bp::Value(Dt_EfeFechamento)};
  for (bp::Value& v : Chave()) p.push_back(std::move(v));
  const int64_t mudados = Conexao().Execute(
      std::string("UPDATE CupomFiscal SET Cd_ContaAReceber = ?, FL_Fechada = ?, "
                  "Dt_Fechamento = ?, Cd_FuncionarioEfeFechamento = ?, Dt_Vencimento = ?, "
                  "Dt_EfeFechamento = ?") +
          kChave + " AND Cd_ContaAReceber IS NULL",
      p);
  if (mudados == 0) RegistroNaoEncontrado("BOCupomFiscal");
}

void CupomFiscal::Excluir() {
  bp::db::Connection& c = Conexao();
  EmTransacao(c, "BOCupomFiscal.Excluir", [&] {
    c.Execute(std::string("DELETE FROM ItemCupomFiscal") + kChave, Chave());
    if (c.Execute(std::string("DELETE FROM CupomFiscal") + kChave, Chave()) == 0)
      RegistroNaoEncontrado("BOCupomFiscal");
  });
}

}  // namespace station
