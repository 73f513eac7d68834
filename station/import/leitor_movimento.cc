#include "station/import/leitor_movimento.h"

#include <string>
#include <vector>

#include "station/import/origem.h"

namespace station {
namespace {

using bp::Value;
using bp::host::TipoMovimentoCaixa;

// The queries mark the company and the register with "?" (Parametros).
const std::string kDoCupom =
    "x.Cd_PessoaUsuaria = ? AND EXISTS (SELECT 1 FROM CupomFiscal c WHERE "
    "c.Cd_PessoaUsuaria = x.Cd_PessoaUsuaria AND c.No_Impressora = x.No_Impressora AND "
    "c.No_CupomFiscal = x.No_CupomFiscal AND c.Dt_Emissao = x.Dt_Emissao AND c.Cd_Caixa = ?)";
// The vehicles the register's coupons and fuellings name.
const std::string kVeiculosDoCaixa =
    "SELECT Cd_Veiculo FROM CupomFiscal WHERE Cd_PessoaUsuaria = ? AND Cd_Caixa = ? "
    "UNION SELECT Cd_Veiculo FROM Abastecimento WHERE Cd_PessoaUsuaria = ? AND Cd_Caixa = ?";
// The customers of the register's coupons and of those vehicles.
const std::string kClientesDoCaixa =
    "SELECT Cd_Cliente FROM CupomFiscal WHERE Cd_PessoaUsuaria = ? AND Cd_Caixa = ? "
    "UNION SELECT v.Cd_Cliente FROM Veiculo v WHERE v.Cd_PessoaUsuaria = ? AND v.Cd_Veiculo IN (" +
    kVeiculosDoCaixa + ")";

std::string ConsultaDo(TipoMovimentoCaixa tipo) {
  switch (tipo) {
    case TipoMovimentoCaixa::kAbastecimento:
      return {
          "SELECT * FROM Abastecimento WHERE Cd_PessoaUsuaria = ? AND Cd_Caixa = ? "
          "ORDER BY Cd_Abastecimento"};
    case TipoMovimentoCaixa::kPessoa:
      return {"SELECT * FROM Pessoa WHERE Cd_Pessoa IN (" + kClientesDoCaixa +
              ") ORDER BY Cd_Pessoa"};
    case TipoMovimentoCaixa::kCliente:
      return {"SELECT * FROM Cliente WHERE Cd_PessoaUsuaria = ? AND Cd_Cliente IN (" +
              kClientesDoCaixa + ") ORDER BY Cd_Cliente"};
    case TipoMovimentoCaixa::kVeiculo:
      return {"SELECT * FROM Veiculo WHERE Cd_PessoaUsuaria = ? AND Cd_Veiculo IN (" +
              kVeiculosDoCaixa + ") ORDER BY Cd_Veiculo"};
    case TipoMovimentoCaixa::kCardex:
      return {
          "SELECT * FROM Cardex WHERE Cd_PessoaUsuaria = ? AND Cd_LancamentoCardex IN ("
          "SELECT x.Cd_LancamentoCardex FROM ItemCupomFiscal x WHERE " +
          kDoCupom + ") ORDER BY Dt_Emissao, Cd_LancamentoCardex"};
    case TipoMovimentoCaixa::kCupomFiscal:
      return {
          "SELECT * FROM CupomFiscal WHERE Cd_PessoaUsuaria = ? AND Cd_Caixa = ? "
          "ORDER BY Dt_Emissao, No_Impressora, No_CupomFiscal"};
    case TipoMovimentoCaixa::kItemCupomFiscal:
      return {"SELECT x.* FROM ItemCupomFiscal x WHERE " + kDoCupom +
              " ORDER BY x.Dt_Emissao, x.No_Impressora, x.No_CupomFiscal, x.No_Item"};
    case TipoMovimentoCaixa::kRecebimento:
      return {
          "SELECT * FROM Recebimento WHERE Cd_PessoaUsuaria = ? AND Cd_Caixa = ? "
          "ORDER BY No_Recebimento"};
    case TipoMovimentoCaixa::kRecebimentoCupom:
      return {
          "SELECT x.* FROM RecebimentoCupom x WHERE x.Cd_PessoaUsuaria = ? AND EXISTS ("
          "SELECT 1 FROM Recebimento r WHERE r.Cd_PessoaUsuaria = x.Cd_PessoaUsuaria AND "
          "r.No_Recebimento = x.No_Recebimento AND r.Cd_Caixa = ?) "
          "ORDER BY x.No_Recebimento, x.Dt_Emissao, x.No_Impressora, x.No_CupomFiscal"};
  }
  return {};
}

// The marks of a query alternate company and register, in the order they
// appear; a mark is the company's unless it follows "Cd_Caixa = ".
std::vector<Value> Parametros(const std::string& sql, int32_t empresa, int32_t caixa) {
  std::vector<Value> valores;
  const std::string marca_caixa = "Cd_Caixa = ?";
  for (size_t p = sql.find('?'); p != std::string::npos; p = sql.find('?', p + 1)) {
    const bool do_caixa =
        p + 1 >= marca_caixa.size() &&
        sql.compare(p + 1 - marca_caixa.size(), marca_caixa.size(), marca_caixa) == 0;
    valores.emplace_back(do_caixa ? caixa : empresa);
  }
  return valores;
}

}  // namespace

void LeitorMovimentoCaixa::Carregar() {
  origem_.reset();
  const bp::db::Recordset rs =
      Conexao().Query("SELECT Cd_Caixa FROM Caixa WHERE Cd_PessoaUsuaria = ? AND Cd_Caixa = ?",
                      {Value(Registro().Cd_PessoaUsuaria), Value(Registro().Cd_Caixa)});
  if (rs.Eof()) RegistroNaoEncontrado("station.LeitorMovimentoCaixa");
}

bp::db::Recordset LeitorMovimentoCaixa::Movimento(TipoMovimentoCaixa tipo,
                                                  const std::string& conexao) {
  if (!origem_) origem_ = AbrirOrigem(conexao);
  const std::string sql = ConsultaDo(tipo);
  bp::db::Recordset rs =
      origem_->Query(sql, Parametros(sql, Registro().Cd_PessoaUsuaria, Registro().Cd_Caixa));
  if (acompanhamento_ && acompanhamento_->conjunto)
    acompanhamento_->conjunto(tipo, rs.RecordCount());
  return rs;
}

}  // namespace station
