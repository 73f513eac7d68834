#include "station/fiscal/ecf.h"

#include "bp/host/data_access.h"
#include "station/session/sessao.h"

namespace station {

void Ecf::Carregar() {
  const bp::db::Recordset rs = Conexao().Query(
      "SELECT No_SerieCriptografadaBLOWFISH, Dt_Referencia FROM ECF "
      "WHERE Cd_PessoaUsuaria = ? AND No_Impressora = ?",
      {bp::Value(registro_.Cd_PessoaUsuaria),
       bp::Value(static_cast<int32_t>(registro_.No_Impressora))});
  if (rs.Eof()) RegistroNaoEncontrado("BOECF");
  registro_.No_SerieCriptografada = TextoOuVazio(rs["No_SerieCriptografadaBLOWFISH"]);
  dt_referencia_ = DataOuVazia(rs["Dt_Referencia"]);
}

bp::db::Recordset Ecf::ReducaoDoDia(bp::DateTime data) {
  return Conexao().Query(
      "SELECT Vl_CancelamentosICMS, Vl_CancelamentosISS, Vl_GTotalFinal FROM ReducaoZ "
      "WHERE Cd_PessoaUsuaria = ? AND No_Impressora = ? AND Dt_Movimento = ?",
      {bp::Value(registro_.Cd_PessoaUsuaria),
       bp::Value(static_cast<int32_t>(registro_.No_Impressora)), bp::Value(data.DatePart())});
}

bp::db::Recordset Ecf::Cancelamentos(bp::DateTime data) {
  const bp::db::Recordset z = ReducaoDoDia(data);
  bp::Money total;
  if (!z.Eof())
    total = DinheiroOuZero(z["Vl_CancelamentosICMS"]) + DinheiroOuZero(z["Vl_CancelamentosISS"]);
  return bp::db::Recordset({"Vl_Cancelamentos"}, {{bp::Value(total)}});
}

bp::db::Recordset Ecf::GTotal(bp::DateTime data) {
  const bp::db::Recordset z = ReducaoDoDia(data);
  const bp::Money gt = z.Eof() ? bp::Money() : DinheiroOuZero(z["Vl_GTotalFinal"]);
  return bp::db::Recordset({"Vl_GTotalFinal"}, {{bp::Value(gt)}});
}

std::unique_ptr<bp::host::BOECF> Sessao::CriarECF() { return std::make_unique<Ecf>(*this); }

}  // namespace station
