#include "station/exports/registro_sintegra.h"

#include <algorithm>

#include "bp/db/connection.h"
#include "bp/host/bo_empresa_usuaria.h"
#include "bp/host/data_access.h"
#include "station/exports/campos_sintegra.h"
#include "station/session/objeto_de_sessao.h"

namespace station {
namespace {

using bp::Money;
using bp::Value;
using bp::db::Recordset;

// Issued invoices of a day, with the addressee's identification.
constexpr const char* kNotasEmitidas =
    "SELECT n.No_Nota, n.Dt_Emissao, n.Cd_Cfop, n.Vl_Total, n.Vl_BasCalIcms, n.Vl_Icms, "
    "n.Vl_BasCalIcmsST, n.Vl_BaseCalculoIcmsStAnterior, n.Vl_IcmsStAnterior, n.Ic_Cancelada, "
    "n.Vl_OutrasDespesas, p.Cd_CgcCpf, p.Cd_IEstRg, p.Ds_SiglaUF, "
    "(SELECT MAX(i.Tx_Icms) FROM ItemNotaSaida i WHERE i.Cd_PessoaUsuaria = n.Cd_PessoaUsuaria "
    "AND i.Cd_TipoNF = n.Cd_TipoNF AND i.No_Nota = n.No_Nota) AS Tx_Icms "
    "FROM NotaSaida n LEFT JOIN Pessoa p ON p.Cd_Pessoa = n.Cd_Pessoa "
    "WHERE n.Cd_PessoaUsuaria = ? AND n.Dt_Emissao >= ? AND n.Dt_Emissao < ? "
    "ORDER BY n.No_Nota, n.Cd_TipoNF";

// Received invoices of a day (by delivery), with the supplier's identification.
constexpr const char* kNotasRecebidas =
    "SELECT n.No_Nota, n.Dt_Entrega, n.Cd_Cfop, n.Vl_TotalNota, n.Vl_BasCalIcms, n.Vl_Icms, "
    "p.Cd_CgcCpf, p.Cd_IEstRg, p.Ds_SiglaUF, NULL AS Ic_Cancelada, "
    "(SELECT MAX(i.Tx_Icms) FROM ItemNotaEntrada i WHERE i.Cd_PessoaUsuaria = n.Cd_PessoaUsuaria "
    "AND i.No_Entrada = n.No_Entrada) AS Tx_Icms "
    "FROM NotaEntrada n LEFT JOIN Pessoa p ON p.Cd_Pessoa = n.Cd_Fornecedor "
    "WHERE n.Cd_PessoaUsuaria = ? AND n.Dt_Entrega >= ? AND n.Dt_Entrega < ? "
    "ORDER BY n.No_Entrada";

constexpr const char* kItensEmitidos =
    "SELECT n.No_Nota, p.Cd_CgcCpf, i.Cd_CfopItem, n.Cd_Cfop, i.No_SitTributaria, i.No_Item, "
    "i.Cd_Produto, i.Qt_Unidade, i.Vl_UnitVenda, i.Tx_BaseCalculo, i.Tx_Icms "
    "FROM ItemNotaSaida i JOIN NotaSaida n ON n.Cd_PessoaUsuaria = i.Cd_PessoaUsuaria "
    "AND n.Cd_TipoNF = i.Cd_TipoNF AND n.No_Nota = i.No_Nota "
    "LEFT JOIN Pessoa p ON p.Cd_Pessoa = n.Cd_Pessoa "
    "WHERE n.Cd_PessoaUsuaria = ? AND n.Dt_Emissao >= ? AND n.Dt_Emissao < ? "
    "ORDER BY n.No_Nota, n.Cd_TipoNF, i.No_Item";

constexpr const char* kItensRecebidos =
    "SELECT n.No_Nota, p.Cd_CgcCpf, i.Cd_CfopItem, n.Cd_Cfop, i.No_SitTributaria, i.No_Item, "
    "i.Cd_ProdutoItem AS Cd_Produto, i.Qt_UnidadeItem AS Qt_Unidade, "
    "i.Vl_UnitNota AS Vl_UnitVenda, i.Vl_DescontoItem, i.Vl_CredIcms, i.Tx_Icms, i.Vl_IpiItem, "
    "i.Vl_IcmsSTItem FROM ItemNotaEntrada i JOIN NotaEntrada n ON n.No_Entrada = i.No_Entrada "
    "LEFT JOIN Pessoa p ON p.Cd_Pessoa = n.Cd_Fornecedor "
    "WHERE n.Cd_PessoaUsuaria = ? AND n.Dt_Entrega >= ? AND n.Dt_Entrega < ? "
    "ORDER BY n.No_Entrada, i.No_Item";

// Every product that the period's invoices and coupons name, with its
// consolidated stock at the period's last day.
constexpr const char* kProdutosDoPeriodo =
    "SELECT p.Cd_Produto, p.Nm_Produto, p.Cd_Unidade, p.Tx_Icms, p.Tx_BaseCalculo, "
    "e.Qt_Estoque, e.Vl_CustoMedio FROM Produto p LEFT JOIN EstoqueConsolidado e "
    "ON e.Cd_PessoaUsuaria = p.Cd_PessoaUsuaria AND e.Cd_Produto = p.Cd_Produto "
    "AND e.Dt_Referencia = ? WHERE p.Cd_PessoaUsuaria = ? AND p.Cd_Produto IN ("
    "SELECT i.Cd_Produto FROM ItemNotaSaida i JOIN NotaSaida n ON n.Cd_PessoaUsuaria = "
    "i.Cd_PessoaUsuaria AND n.Cd_TipoNF = i.Cd_TipoNF AND n.No_Nota = i.No_Nota "
    "WHERE n.Cd_PessoaUsuaria = ? AND n.Dt_Emissao >= ? AND n.Dt_Emissao < ? "
    "UNION SELECT i.Cd_ProdutoItem FROM ItemNotaEntrada i JOIN NotaEntrada n "
    "ON n.No_Entrada = i.No_Entrada WHERE n.Cd_PessoaUsuaria = ? AND n.Dt_Entrega >= ? "
    "AND n.Dt_Entrega < ? "
    "UNION SELECT i.Cd_Produto FROM ItemCupomFiscal i WHERE i.Cd_PessoaUsuaria = ? "
    "AND i.Dt_Emissao >= ? AND i.Dt_Emissao < ? AND i.Ic_Excluido = ?) ORDER BY p.Cd_Produto";

bool Cancelada(const Value& v) { return !v.IsNull() && v.ToBool(); }

}  // namespace

RegistroSintegra::R RegistroSintegra::PorLinha(Recordset rs, int32_t& contador,
                                               const Linha& linha) {
  return MontarRegistros(falha_, [&] {
    std::vector<std::string> linhas;
    for (; !rs.Eof(); rs.MoveNext()) {
      if (std::optional<RegistroFixo> r = linha(rs)) linhas.push_back(r->Texto());
    }
    contador += static_cast<int32_t>(linhas.size());
    return linhas;
  });
}

bp::db::Connection& RegistroSintegra::Conexao() {
  return dal_ != nullptr ? dal_->Conexao() : sessao_.ObDAL().Conexao();
}

Value RegistroSintegra::Empresa() { return Value(sessao_.Cd_PessoaUsuaria()); }

Recordset RegistroSintegra::DoDia(const char* sql, DateTime dia) {
  return Conexao().Query(sql, {Empresa(), Value(dia.DatePart()), Value(dia.DatePart().AddDays(1))});
}

Recordset RegistroSintegra::ProdutosDoPeriodo(DateTime inicio, DateTime fim) {
  const Value de(inicio.DatePart());
  const Value ate(fim.DatePart().AddDays(1));
  return Conexao().Query(kProdutosDoPeriodo,
                         {Value(fim.DatePart()), Empresa(), Empresa(), de, ate, Empresa(), de, ate,
                          Empresa(), de, ate, Value(false)});
}

RegistroSintegra::R RegistroSintegra::R50Emitidas(DateTime dia, int32_t& contador,
                                                  const std::string& uf) {
  return Notas50(kNotasEmitidas, "Dt_Emissao", "Vl_Total", "P", dia, contador, uf);
}

RegistroSintegra::R RegistroSintegra::R50Recebidas(DateTime dia, int32_t& contador) {
  return Notas50(kNotasRecebidas, "Dt_Entrega", "Vl_TotalNota", "T", dia, contador, "");
}

RegistroSintegra::R RegistroSintegra::Notas50(const char* sql, const char* data,
                                              const char* total_nota, const char* emitente,
                                              DateTime dia, int32_t& contador,
                                              const std::string& uf) {
  return PorLinha(
      DoDia(sql, dia), contador, [&](const Recordset& rs) -> std::optional<RegistroFixo> {
        const Money total = DinheiroOuZero(rs[total_nota]);
        const Money base = DinheiroOuZero(rs["Vl_BasCalIcms"]);
        const bool cancelada = Cancelada(rs["Ic_Cancelada"]);
        RegistroFixo r = Nota(rs, "50", data, uf, emitente);
        r.N("valor total", Positivo(total), 13, 2)
            .N("base de calculo do ICMS", Positivo(base), 13, 2)
            .N("valor do ICMS", Positivo(DinheiroOuZero(rs["Vl_Icms"])), 13, 2)
            .N("isenta ou nao tributada", Positivo(base > Money() ? Money() : total), 13, 2)
            .N("outras", Positivo(base > Money() ? total - base : Money()), 13, 2)
            .N("aliquota", Positivo(DinheiroOuZero(rs["Tx_Icms"])), 4, 2)
            .X("situacao", cancelada ? "S" : "N", 1);
        return r;
      });
}

RegistroSintegra::R RegistroSintegra::R53Emitidas(DateTime dia, int32_t& contador,
                                                  const std::string& uf) {
  return PorLinha(DoDia(kNotasEmitidas, dia), contador,
                  [&](const Recordset& rs) -> std::optional<RegistroFixo> {
                    Money base_st = DinheiroOuZero(rs["Vl_BasCalIcmsST"]);
                    if (base_st <= Money())
                      base_st = DinheiroOuZero(rs["Vl_BaseCalculoIcmsStAnterior"]);
                    if (base_st <= Money())
                      return std::nullopt;  // no tax substitution on this invoice
                    RegistroFixo r = Nota(rs, "53", "Dt_Emissao", uf, "P");
                    r.N("base de calculo do ICMS ST", base_st, 13, 2)
                        .N("ICMS retido", Positivo(DinheiroOuZero(rs["Vl_IcmsStAnterior"])), 13, 2)
                        .N("despesas acessorias", Positivo(DinheiroOuZero(rs["Vl_OutrasDespesas"])),
                           13, 2)
                        .X("situacao", Cancelada(rs["Ic_Cancelada"]) ? "S" : "N", 1)
                        .X("codigo da antecipacao", "", 1)
                        .X("brancos", "", 29);
                    return r;
                  });
}

RegistroFixo RegistroSintegra::Nota(const Recordset& rs, const char* tipo, const char* data,
                                    const std::string& uf, const char* emitente) {
  const std::string uf_da_nota = TextoOuVazio(rs["Ds_SiglaUF"]);
  RegistroFixo r(tipo, 2);
  r.Digitos("CNPJ", TextoOuVazio(rs["Cd_CgcCpf"]), 14)
      .SemPontuacao("inscricao estadual", TextoOuVazio(rs["Cd_IEstRg"]), 14)
      .D(DataOuVazia(rs[data]))
      .X("UF", uf_da_nota.empty() ? uf : uf_da_nota, 2)
      .X("modelo", kModeloNota, 2)
      .X("serie", kSerieNota, 3)
      .N("numero", InteiroOuZero(rs["No_Nota"]) % 1000000, 6)
      .Digitos("CFOP", TextoOuVazio(rs["Cd_Cfop"]), 4)
      .X("emitente", emitente, 1);
  return r;
}

RegistroSintegra::R RegistroSintegra::R54Emitidas(DateTime dia, int32_t& contador) {
  return Itens54(kItensEmitidos, dia, contador, /*emitidas=*/true);
}

RegistroSintegra::R RegistroSintegra::R54Recebidas(DateTime dia, int32_t& contador) {
  return Itens54(kItensRecebidos, dia, contador, /*emitidas=*/false);
}

RegistroSintegra::R RegistroSintegra::Itens54(const char* sql, DateTime dia, int32_t& contador,
                                              bool emitidas) {
  return PorLinha(DoDia(sql, dia), contador,
                  [&](const Recordset& rs) -> std::optional<RegistroFixo> {
                    const double qt = NumeroOuZero(rs["Qt_Unidade"]);
                    const Money valor = Money::FromDouble(qt * NumeroOuZero(rs["Vl_UnitVenda"]));
                    const double aliquota = NumeroOuZero(rs["Tx_Icms"]);
                    std::string cfop = TextoOuVazio(rs["Cd_CfopItem"]);
                    if (cfop.empty()) cfop = TextoOuVazio(rs["Cd_Cfop"]);
                    Money base, desconto, ipi, base_st;
                    if (emitidas) {
                      const double reducao =
                          rs["Tx_BaseCalculo"].IsNull() ? 100 : NumeroOuZero(rs["Tx_BaseCalculo"]);
                      if (aliquota > 0) base = Money::FromDouble(valor.ToDouble() * reducao / 100);
                    } else {
                      desconto = DinheiroOuZero(rs["Vl_DescontoItem"]);
                      ipi = Money::FromDouble(NumeroOuZero(rs["Vl_IpiItem"]));
                      if (aliquota > 0)
                        base = Money::FromDouble(NumeroOuZero(rs["Vl_CredIcms"]) * 100 / aliquota);
                      if (NumeroOuZero(rs["Vl_IcmsSTItem"]) > 0) base_st = valor;
                    }
                    RegistroFixo r("54", 2);
                    r.Digitos("CNPJ", TextoOuVazio(rs["Cd_CgcCpf"]), 14)
                        .X("modelo", kModeloNota, 2)
                        .X("serie", kSerieNota, 3)
                        .N("numero", InteiroOuZero(rs["No_Nota"]) % 1000000, 6)
                        .Digitos("CFOP", cfop, 4)
                        .X("CST", TextoOuVazio(rs["No_SitTributaria"]), 3)
                        .N("numero do item", InteiroOuZero(rs["No_Item"]), 3)
                        .X("codigo do produto", TextoOuVazio(rs["Cd_Produto"]), 14)
                        .Q("quantidade", std::max(qt, 0.0), 11, 3)
                        .N("valor do produto", Positivo(valor), 12, 2)
                        .N("desconto", Positivo(desconto), 12, 2)
                        .N("base de calculo do ICMS", Positivo(base), 12, 2)
                        .N("base de calculo do ICMS ST", Positivo(base_st), 12, 2)
                        .N("valor do IPI", Positivo(ipi), 12, 2)
                        .Q("aliquota", std::max(aliquota, 0.0), 4, 2);
                    return r;
                  });
}

RegistroSintegra::R RegistroSintegra::R74(DateTime Dt_Final, int32_t& contador,
                                          const std::string& uf) {
  const DateTime fim = Dt_Final.DatePart();
  const bp::host::IdentificacaoEmpresa empresa = sessao_.EmpresaUsuaria().Identificacao();
  return PorLinha(
      ProdutosDoPeriodo(DateTime::Of(fim.Year(), fim.Month(), 1), fim), contador,
      [&](const Recordset& p) -> std::optional<RegistroFixo> {
        // A negative stock (sales ahead of the entries) is declared as none.
        const double qt = std::max(NumeroOuZero(p["Qt_Estoque"]), 0.0);
        RegistroFixo r("74", 2);
        r.D(fim)
            .X("codigo do produto", TextoOuVazio(p["Cd_Produto"]), 14)
            .Q("quantidade", qt, 13, 3)
            .N("valor do produto",
               Positivo(Money::FromDouble(qt * NumeroOuZero(p["Vl_CustoMedio"]))), 13, 2)
            .X("codigo de posse", "1", 1)
            .Digitos("CNPJ do possuidor", empresa.cnpj, 14)
            .SemPontuacao("inscricao estadual do possuidor", empresa.inscricao_estadual, 14)
            .X("UF do possuidor", uf, 2)
            .X("brancos", "", 45);
        return r;
      });
}

RegistroSintegra::R RegistroSintegra::R75(DateTime Dt_Inicial, DateTime Dt_Final,
                                          int32_t& contador) {
  return PorLinha(ProdutosDoPeriodo(Dt_Inicial, Dt_Final), contador,
                  [&](const Recordset& p) -> std::optional<RegistroFixo> {
                    const double base = NumeroOuZero(p["Tx_BaseCalculo"]);
                    RegistroFixo r("75", 2);
                    r.D(Dt_Inicial.DatePart())
                        .D(Dt_Final.DatePart())
                        .X("codigo do produto", TextoOuVazio(p["Cd_Produto"]), 14)
                        .X("NCM", "", 8)
                        .X("descricao", TextoOuVazio(p["Nm_Produto"]), 53)
                        .X("unidade", TextoOuVazio(p["Cd_Unidade"]), 6)
                        .N("aliquota do IPI", 0, 5)
                        .Q("aliquota do ICMS", std::max(NumeroOuZero(p["Tx_Icms"]), 0.0), 4, 2)
                        .Q("reducao da base", base > 0 && base < 100 ? 100 - base : 0.0, 5, 2)
                        .N("base de calculo do ICMS ST", 0, 13);
                    return r;
                  });
}

}  // namespace station
