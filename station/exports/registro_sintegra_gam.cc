// The fuel records of the GAM file (88C, 88D, 88E, 88Q, 88T) and the
// product-register and stock files (P1, P2, P9, E1, E2, E9).
#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

#include "station/exports/campos_sintegra.h"
#include "station/exports/registro_sintegra.h"
#include "station/session/objeto_de_sessao.h"

namespace station {
namespace {

using bp::Money;
using bp::Value;
using bp::db::Recordset;

// A quantity that may be negative: its sign, then its digits.
RegistroFixo& ComSinal(RegistroFixo& r, const char* campo, double valor, int largura) {
  r.X("sinal", valor < 0 ? "-" : "+", 1).Q(campo, std::fabs(valor), largura, 3);
  return r;
}

}  // namespace

RegistroSintegra::R RegistroSintegra::R88C(DateTime dia, int32_t& contador) {
  return PorLinha(
      Conexao().Query(
          "SELECT d.Dt_Descarga, n.No_Nota, p.Cd_CgcCpf, d.Cd_ProdutoDescarga, d.No_Tanque, "
          "d.Qt_Litros FROM Descarga d LEFT JOIN NotaEntrada n ON n.No_Entrada = d.No_Entrada "
          "LEFT JOIN Pessoa p ON p.Cd_Pessoa = n.Cd_Fornecedor WHERE d.Cd_PessoaUsuaria = ? "
          "AND d.Dt_Descarga >= ? AND d.Dt_Descarga < ? ORDER BY d.No_Descarga",
          {Empresa(), Value(dia.DatePart()), Value(dia.DatePart().AddDays(1))}),
      contador, [&](const Recordset& rs) -> std::optional<RegistroFixo> {
        RegistroFixo r("88C", 3);
        r.D(dia.DatePart())
            .N("numero da nota", InteiroOuZero(rs["No_Nota"]) % 1000000, 6)
            .Digitos("CNPJ do fornecedor", TextoOuVazio(rs["Cd_CgcCpf"]), 14)
            .X("codigo do produto", TextoOuVazio(rs["Cd_ProdutoDescarga"]), 14)
            .N("tanque", InteiroOuZero(rs["No_Tanque"]), 3)
            .Q("litros", std::max(NumeroOuZero(rs["Qt_Litros"]), 0.0), 13, 3)
            .X("brancos", "", 65);
        return r;
      });
}

RegistroSintegra::R RegistroSintegra::R88D(DateTime dia, int32_t& contador) {
  // A day that does not follow the previous one starts a new run of days.
  if (ultimo_dia_88d_.IsEmpty() || dia.DatePart() <= ultimo_dia_88d_) bicos_pendentes_ = true;
  ultimo_dia_88d_ = dia.DatePart();
  return PorLinha(
      Conexao().Query(
          "SELECT Cd_Produto, Qt_EstoqueAbertura, Qt_Recebido, Qt_Vendido, Qt_EstoqueFechamento, "
          "Qt_PerdasSobras, Vl_Vendido FROM Lmc WHERE Cd_PessoaUsuaria = ? AND Dt_Movimento >= ? "
          "AND Dt_Movimento < ? ORDER BY Cd_Produto",
          {Empresa(), Value(dia.DatePart()), Value(dia.DatePart().AddDays(1))}),
      contador, [&](const Recordset& rs) -> std::optional<RegistroFixo> {
        RegistroFixo r("88D", 3);
        r.D(dia.DatePart()).X("codigo do produto", TextoOuVazio(rs["Cd_Produto"]), 14);
        ComSinal(r, "estoque de abertura", NumeroOuZero(rs["Qt_EstoqueAbertura"]), 12);
        r.Q("recebido", std::max(NumeroOuZero(rs["Qt_Recebido"]), 0.0), 13, 3)
            .Q("vendido", std::max(NumeroOuZero(rs["Qt_Vendido"]), 0.0), 13, 3);
        ComSinal(r, "estoque de fechamento", NumeroOuZero(rs["Qt_EstoqueFechamento"]), 12);
        ComSinal(r, "perdas e sobras", NumeroOuZero(rs["Qt_PerdasSobras"]), 12);
        r.N("valor vendido", Positivo(DinheiroOuZero(rs["Vl_Vendido"])), 13, 2)
            .X("brancos", "", 23);
        return r;
      });
}

RegistroSintegra::R RegistroSintegra::R88E(int32_t& contador) {
  if (!bicos_pendentes_) return {true, ""};
  bicos_pendentes_ = false;
  return PorLinha(
      Conexao().Query(
          "SELECT Cd_Bomba, De_EnderecoLogicoBico, Cd_Produto, Cd_SisTubulacao, Qt_Encerrante "
          "FROM Bomba WHERE Cd_PessoaUsuaria = ? ORDER BY Cd_Bomba",
          {Empresa()}),
      contador, [&](const Recordset& rs) -> std::optional<RegistroFixo> {
        RegistroFixo r("88E", 3);
        r.N("bico", InteiroOuZero(rs["Cd_Bomba"]), 3)
            .X("endereco do bico", TextoOuVazio(rs["De_EnderecoLogicoBico"]), 4)
            .X("codigo do produto", TextoOuVazio(rs["Cd_Produto"]), 14)
            .N("tubulacao", InteiroOuZero(rs["Cd_SisTubulacao"]), 3)
            .Q("encerrante", std::max(NumeroOuZero(rs["Qt_Encerrante"]), 0.0), 15, 3)
            .X("brancos", "", 84);
        return r;
      });
}

RegistroSintegra::R RegistroSintegra::R88Q(DateTime dia, int32_t& contador) {
  return PorLinha(
      Conexao().Query(
          "SELECT a.De_EnderecoLogicoBico, b.Cd_Produto, MIN(a.No_EncerranteAbertura) AS Inicial, "
          "MAX(a.No_EncerranteFechamento) AS Final, SUM(a.Qt_Litros) AS Litros, "
          "SUM(a.Vl_Total) AS Valor FROM Abastecimento a JOIN Bomba b ON "
          "b.De_EnderecoLogicoBico = a.De_EnderecoLogicoBico WHERE a.Cd_PessoaUsuaria = ? "
          "AND a.Dt_Termino >= ? AND a.Dt_Termino < ? "
          "GROUP BY a.De_EnderecoLogicoBico, b.Cd_Produto ORDER BY a.De_EnderecoLogicoBico",
          {Empresa(), Value(dia.DatePart()), Value(dia.DatePart().AddDays(1))}),
      contador, [&](const Recordset& rs) -> std::optional<RegistroFixo> {
        RegistroFixo r("88Q", 3);
        r.D(dia.DatePart())
            .X("endereco do bico", TextoOuVazio(rs["De_EnderecoLogicoBico"]), 4)
            .X("codigo do produto", TextoOuVazio(rs["Cd_Produto"]), 14)
            .Q("encerrante inicial", std::max(NumeroOuZero(rs["Inicial"]), 0.0), 15, 3)
            .Q("encerrante final", std::max(NumeroOuZero(rs["Final"]), 0.0), 15, 3)
            .Q("litros", std::max(NumeroOuZero(rs["Litros"]), 0.0), 13, 3)
            .N("valor", Positivo(Money::FromDouble(NumeroOuZero(rs["Valor"]))), 13, 2)
            .X("brancos", "", 41);
        return r;
      });
}

RegistroSintegra::R RegistroSintegra::R88T(DateTime dia, int32_t& contador) {
  return PorLinha(
      Conexao().Query(
          "SELECT Cd_SisTubulacao, Cd_Produto, Qt_EstoqueAbertura, Qt_Entradas, Qt_Saidas, "
          "Qt_EstoqueFechamento FROM EstoqueSisTubulacao WHERE Cd_PessoaUsuaria = ? "
          "AND Dt_Movimento >= ? AND Dt_Movimento < ? ORDER BY Cd_SisTubulacao",
          {Empresa(), Value(dia.DatePart()), Value(dia.DatePart().AddDays(1))}),
      contador, [&](const Recordset& rs) -> std::optional<RegistroFixo> {
        RegistroFixo r("88T", 3);
        r.D(dia.DatePart())
            .N("tubulacao", InteiroOuZero(rs["Cd_SisTubulacao"]), 3)
            .X("codigo do produto", TextoOuVazio(rs["Cd_Produto"]), 14);
        ComSinal(r, "estoque de abertura", NumeroOuZero(rs["Qt_EstoqueAbertura"]), 12);
        r.Q("entradas", std::max(NumeroOuZero(rs["Qt_Entradas"]), 0.0), 13, 3)
            .Q("saidas", std::max(NumeroOuZero(rs["Qt_Saidas"]), 0.0), 13, 3);
        ComSinal(r, "estoque de fechamento", NumeroOuZero(rs["Qt_EstoqueFechamento"]), 12);
        r.X("brancos", "", 46);
        return r;
      });
}

RegistroSintegra::R RegistroSintegra::P1(const bp::host::EmpresaDosRegistros& empresa) {
  return Cabecalho("P1", empresa);
}
RegistroSintegra::R RegistroSintegra::E1(const bp::host::EmpresaDosRegistros& empresa) {
  return Cabecalho("E1", empresa);
}

RegistroSintegra::R RegistroSintegra::Cabecalho(const char* tipo,
                                                const bp::host::EmpresaDosRegistros& empresa) {
  return MontarRegistros(falha_, [&] {
    RegistroFixo r(tipo, 2);
    r.Digitos("CNPJ", empresa.cnpj, 14)
        .SemPontuacao("inscricao estadual", empresa.inscricao_estadual, 14)
        .SemPontuacao("inscricao municipal", empresa.inscricao_municipal, 14)
        .X("razao social", empresa.nome, 50);
    return std::vector<std::string>{r.Texto()};
  });
}

RegistroSintegra::R RegistroSintegra::P9(const std::string& cnpj,
                                         const std::string& inscricao_estadual, int32_t& contador) {
  return Totais("P9", cnpj, inscricao_estadual, contador);
}
RegistroSintegra::R RegistroSintegra::E9(const std::string& cnpj,
                                         const std::string& inscricao_estadual, int32_t& contador) {
  return Totais("E9", cnpj, inscricao_estadual, contador);
}

RegistroSintegra::R RegistroSintegra::Totais(const char* tipo, const std::string& cnpj,
                                             const std::string& inscricao_estadual,
                                             int32_t contador) {
  return MontarRegistros(falha_, [&] {
    RegistroFixo r(tipo, 2);
    r.Digitos("CNPJ", cnpj, 14)
        .SemPontuacao("inscricao estadual", inscricao_estadual, 14)
        .N("total de registros", contador, 6);
    return std::vector<std::string>{r.Texto()};
  });
}

RegistroSintegra::R RegistroSintegra::P2(const std::string& cnpj, int32_t& contador) {
  return Produtos("P2", cnpj, contador, std::nullopt);
}

RegistroSintegra::R RegistroSintegra::E2(const std::string& cnpj, int32_t& contador,
                                         DateTime Dt_Referencia) {
  return Produtos("E2", cnpj, contador, Dt_Referencia);
}

RegistroSintegra::R RegistroSintegra::Produtos(const char* tipo, const std::string& cnpj,
                                               int32_t& contador,
                                               std::optional<DateTime> estoque_em) {
  // The stock of each product at the end of the date: the balance after
  // its last stock-card movement up to then.
  std::map<int32_t, double> estoque;
  if (estoque_em) {
    const Recordset cartao = Conexao().Query(
        "SELECT Cd_Produto, Qt_Estoque FROM Cardex WHERE Cd_PessoaUsuaria = ? "
        "AND Dt_Emissao < ? ORDER BY Cd_Produto, Dt_Emissao, Cd_LancamentoCardex",
        {Empresa(), Value(estoque_em->DatePart().AddDays(1))});
    for (const auto& linha : cartao.Rows()) {
      estoque[InteiroOuZero(linha[0])] = NumeroOuZero(linha[1]);
    }
  }
  return PorLinha(
      Conexao().Query(
          "SELECT Cd_Produto, Nm_Produto, Cd_Unidade, No_TribIcms, No_SitTributaria, Tx_Icms, "
          "Vl_Preco FROM Produto WHERE Cd_PessoaUsuaria = ? ORDER BY Cd_Produto",
          {Empresa()}),
      contador, [&](const Recordset& rs) -> std::optional<RegistroFixo> {
        RegistroFixo r(tipo, 2);
        r.Digitos("CNPJ", cnpj, 14)
            .X("codigo do produto", TextoOuVazio(rs["Cd_Produto"]), 14)
            .X("descricao", TextoOuVazio(rs["Nm_Produto"]), 50)
            .X("unidade", TextoOuVazio(rs["Cd_Unidade"]), 6);
        if (estoque_em) {
          ComSinal(r, "quantidade em estoque", estoque[InteiroOuZero(rs["Cd_Produto"])], 9);
          return r;
        }
        const double aliquota = NumeroOuZero(rs["Tx_Icms"]);
        const std::string letra = LetraTributaria(SituacaoTributaria(
            TextoOuVazio(rs["No_TribIcms"]), TextoOuVazio(rs["No_SitTributaria"]), aliquota));
        r.X("IAT", "A", 1)
            .X("IPPT", "T", 1)
            .X("situacao tributaria", letra, 1)
            .Q("aliquota", letra == "T" ? std::max(aliquota, 0.0) : 0.0, 4, 2)
            .Q("valor unitario", std::max(NumeroOuZero(rs["Vl_Preco"]), 0.0), 12, 2);
        return r;
      });
}

}  // namespace station
