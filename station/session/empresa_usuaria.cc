#include "station/session/empresa_usuaria.h"

#include <string>
#include <vector>

#include "bp/andamento.h"
#include "bp/class_info.h"
#include "bp/db/connection.h"
#include "bp/host/data_access.h"
#include "station/session/transacao.h"

namespace station {
namespace {

// A text field that may not exist at every version of the schema.
std::string OptionalText(const bp::db::Recordset& rs, std::string_view field) {
  for (int32_t i = 0; i < rs.FieldCount(); ++i) {
    if (bp::SameName(rs.FieldName(i), field)) return rs.Field(i).ToText();
  }
  return {};
}

int32_t IntOr0(const bp::Value& v) { return v.IsNull() ? 0 : v.ToInt32(); }

}  // namespace

bp::host::IdentificacaoEmpresa EmpresaUsuaria::Identificacao() {
  bp::db::Connection& c = session_.ObDAL().Conexao();
  const bp::db::Recordset rs =
      c.Query("SELECT * FROM Pessoa WHERE Cd_Pessoa = ?", {bp::Value(Cd_PessoaUsuaria())});
  bp::host::IdentificacaoEmpresa id;
  if (rs.Eof()) return id;
  id.cnpj = OptionalText(rs, "Cd_CgcCpf");
  id.inscricao_estadual = OptionalText(rs, "Cd_IEstRg");
  id.inscricao_municipal = OptionalText(rs, "Cd_IMunicipal");
  id.nome = OptionalText(rs, "Nm_Pessoa");
  id.telefone = OptionalText(rs, "Cd_Telefone");
  id.numero = OptionalText(rs, "No_Logradouro");
  id.complemento = OptionalText(rs, "Ds_Complemento");
  id.cep = OptionalText(rs, "Cd_Ep");
  id.endereco.logradouro = OptionalText(rs, "Nm_Logradouro");
  id.endereco.bairro = OptionalText(rs, "Nm_Bairro");
  id.endereco.cidade = OptionalText(rs, "Nm_Cidade");
  id.endereco.uf = OptionalText(rs, "Ds_SiglaUF");
  return id;
}

bp::host::ConfiguracaoFaturamento EmpresaUsuaria::Faturamento() {
  bp::db::Connection& c = session_.ObDAL().Conexao();
  const bp::db::Recordset rs =
      c.Query("SELECT * FROM EmpresaUsuaria WHERE Cd_PessoaUsuaria = ?",
              {bp::Value(Cd_PessoaUsuaria())});
  bp::host::ConfiguracaoFaturamento f;
  if (rs.Eof()) return f;
  f.emitir_nf_no_faturamento = !rs["Ic_EmitirNfNoFaturamento"].IsNull() &&
                               rs["Ic_EmitirNfNoFaturamento"].ToBool();
  f.nf_todas_as_linhas =
      !rs["Ic_NfComTodosOsItens"].IsNull() && rs["Ic_NfComTodosOsItens"].ToBool();
  if (!rs["Vl_PadraoContaAReceber"].IsNull()) {
    f.valor_padrao_conta_a_receber = rs["Vl_PadraoContaAReceber"].ToMoney();
  }
  f.dias_cobranca_tipo[0] = IntOr0(rs["Qt_DiasCobrancaTipo1"]);
  f.dias_cobranca_tipo[1] = IntOr0(rs["Qt_DiasCobrancaTipo2"]);
  f.dias_cobranca_tipo[2] = IntOr0(rs["Qt_DiasCobrancaTipo3"]);
  f.dias_segunda_data = IntOr0(rs["Qt_DiasSegundaData"]);
  f.dias_terceira_data = IntOr0(rs["Qt_DiasTerceiraData"]);
  return f;
}

std::vector<bp::host::TransferenciaEmbalagem> EmpresaUsuaria::TransferenciasDeEmbalagem() {
  const bp::db::Recordset rs = session_.ObDAL().Conexao().Query(
      "SELECT Cd_ProdutoEntrada, Cd_LancamentoCardexEntrada, Cd_LancamentoCardexBaixa "
      "FROM ItemTransfEmbalagem WHERE Cd_PessoaUsuaria = ? ORDER BY No_Transferencia",
      {bp::Value(Cd_PessoaUsuaria())});
  std::vector<bp::host::TransferenciaEmbalagem> list;
  for (const auto& row : rs.Rows()) {
    list.push_back({row[0].ToInt32(), row[1].ToInt32(), row[2].ToInt32()});
  }
  return list;
}

bp::DateTime EmpresaUsuaria::DataUltimaConsolidacaoEstoque() {
  bp::db::Connection& c = session_.ObDAL().Conexao();
  const bp::db::Recordset rs =
      c.Query("SELECT Dt_UltimaConsolidacaoEstoque FROM EmpresaUsuaria WHERE Cd_PessoaUsuaria = ?",
              {bp::Value(Cd_PessoaUsuaria())});
  if (rs.Eof() || rs.Field(0).IsNull()) return {};
  return rs.Field(0).ToDate();
}

void EmpresaUsuaria::ConsolidarEstoqueAte(bp::DateTime date, bp::Andamento* progress) {
  Consolidar(date, /*forward=*/true, progress);
}

void EmpresaUsuaria::ConsolidarEstoqueNaData(bp::DateTime date, bp::Andamento* progress) {
  Consolidar(date, /*forward=*/false, progress);
}

void EmpresaUsuaria::Consolidar(bp::DateTime date, bool forward, bp::Andamento* progress) {
  bp::db::Connection& c = session_.ObDAL().Conexao();
  const bp::Value company(Cd_PessoaUsuaria());
  const bp::DateTime day = date.DatePart();
  const bp::Value end_of_day(day.AddSeconds(86399));
  const bp::DateTime last = DataUltimaConsolidacaoEstoque();
  const bool from_last = forward && !last.IsEmpty() && last < day;

  // Products whose card moved in the period: every product with a card when
  // starting from scratch, only those that moved since the last consolidated
  // date otherwise.
  const bp::db::Recordset moved =
      from_last ? c.Query("SELECT DISTINCT Cd_Produto FROM Cardex WHERE Cd_PessoaUsuaria = ? "
                          "AND Dt_Emissao > ? AND Dt_Emissao <= ? ORDER BY Cd_Produto",
                          {company, bp::Value(last.DatePart().AddSeconds(86399)), end_of_day})
                : c.Query("SELECT DISTINCT Cd_Produto FROM Cardex WHERE Cd_PessoaUsuaria = ? "
                          "AND Dt_Emissao <= ? ORDER BY Cd_Produto",
                          {company, end_of_day});

  EmTransacao(c, "ConsolidarEstoque", [&] {
    c.Execute("DELETE FROM EstoqueConsolidado WHERE Cd_PessoaUsuaria = ? AND Dt_Referencia = ?",
              {company, bp::Value(day)});
    if (from_last) {
      c.Execute(
          "INSERT INTO EstoqueConsolidado (Cd_PessoaUsuaria, Dt_Referencia, Cd_Produto, "
          "Vl_CustoMedio, Qt_Estoque, Vl_IcmsRecuperar) SELECT Cd_PessoaUsuaria, ?, Cd_Produto, "
          "Vl_CustoMedio, Qt_Estoque, Vl_IcmsRecuperar FROM EstoqueConsolidado "
          "WHERE Cd_PessoaUsuaria = ? AND Dt_Referencia = ?",
          {bp::Value(day), company, bp::Value(last.DatePart())});
    }
    const int32_t count = moved.RecordCount();
    int32_t row = 0;
    for (const auto& r : moved.Rows()) {
      const bp::Value product = r[0];
      const bp::db::Recordset card = c.Query(
          "SELECT Qt_Estoque, Vl_CustoMedio, Vl_CredIcmsMedio FROM Cardex "
          "WHERE Cd_PessoaUsuaria = ? AND Cd_Produto = ? AND Dt_Emissao <= ? "
          "ORDER BY Dt_Emissao DESC, Cd_LancamentoCardex DESC",
          {company, product, end_of_day});
      c.Execute("DELETE FROM EstoqueConsolidado WHERE Cd_PessoaUsuaria = ? AND "
                "Dt_Referencia = ? AND Cd_Produto = ?",
                {company, bp::Value(day), product});
      c.Execute("INSERT INTO EstoqueConsolidado (Cd_PessoaUsuaria, Dt_Referencia, Cd_Produto, "
                "Vl_CustoMedio, Qt_Estoque, Vl_IcmsRecuperar) VALUES (?, ?, ?, ?, ?, ?)",
                {company, bp::Value(day), product, card.Field(1), card.Field(0), card.Field(2)});
      if (progress != nullptr) progress->MostrarLinha(++row, count);
    }
    if (last.IsEmpty() || last < day) {
      c.Execute("UPDATE EmpresaUsuaria SET Dt_UltimaConsolidacaoEstoque = ? "
                "WHERE Cd_PessoaUsuaria = ?",
                {bp::Value(day), company});
    }
  });
}

}  // namespace station
