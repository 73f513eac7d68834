// The fiscal-printer records of the SINTEGRA file: 60M, 60A, 60D, 60I, 60R.
#include <map>
#include <utility>
#include <vector>

#include "bp/format.h"
#include "station/exports/campos_sintegra.h"
#include "station/exports/registro_sintegra.h"
#include "station/fiscal/reducao_z.h"
#include "station/session/objeto_de_sessao.h"

namespace station {
namespace {

using bp::Money;
using bp::Value;
using bp::db::Recordset;

constexpr const char* kModeloCupom = "2D";  // fiscal coupon issued by an ECF

// The day's Z reduction of a printer, with the printer's serial number.
constexpr const char* kReducao =
    "SELECT z.*, e.No_Serie FROM ReducaoZ z JOIN ECF e ON e.Cd_PessoaUsuaria = "
    "z.Cd_PessoaUsuaria AND e.No_Impressora = z.No_Impressora WHERE z.Cd_PessoaUsuaria = ? "
    "AND z.No_Impressora = ? AND z.Dt_Movimento >= ? AND z.Dt_Movimento < ?";

// The items of a printer day (or of a period, without the printer), from
// the coupons of the days that have a Z reduction.
constexpr const char* kItens =
    "SELECT i.No_Impressora, i.No_CupomFiscal, i.Dt_Emissao, i.No_Item, i.Cd_Produto, "
    "i.Qt_Unidade, i.Vl_UnitVenda, i.No_TribIcms, i.No_SitTributaria, i.Tx_Icms, "
    "i.Tx_BaseCalculo FROM ItemCupomFiscal i WHERE i.Cd_PessoaUsuaria = ? "
    "AND i.Dt_Emissao >= ? AND i.Dt_Emissao < ? AND i.Ic_Excluido = ? "
    "AND EXISTS (SELECT 1 FROM ReducaoZ z WHERE z.Cd_PessoaUsuaria = i.Cd_PessoaUsuaria "
    "AND z.No_Impressora = i.No_Impressora AND z.Dt_Movimento = i.Dt_Emissao) ";

// The totals of one product (60D, 60R) or one item (60I).
struct Valores {
  double quantidade = 0;
  Money valor, base, icms;
  std::string situacao;
};

Valores DoItem(const Recordset& rs) {
  Valores v;
  v.quantidade = NumeroOuZero(rs["Qt_Unidade"]);
  v.valor = Money::FromDouble(v.quantidade * NumeroOuZero(rs["Vl_UnitVenda"]));
  const double aliquota = NumeroOuZero(rs["Tx_Icms"]);
  v.situacao = SituacaoTributaria(TextoOuVazio(rs["No_TribIcms"]),
                                  TextoOuVazio(rs["No_SitTributaria"]), aliquota);
  if (v.situacao.size() == 4 && v.situacao != "CANC" && v.situacao != "DESC") {
    const double reducao = NumeroOuZero(rs["Tx_BaseCalculo"]);
    v.base = Money::FromDouble(v.valor.ToDouble() * (reducao > 0 ? reducao : 100) / 100);
    v.icms = Money::FromDouble(v.base.ToDouble() * aliquota / 100);
  }
  return v;
}

// The fields that 60D and 60R share: quantity, value, base, taxation, ICMS.
void Campos(RegistroFixo& r, const Valores& v) {
  r.Q("quantidade", std::max(v.quantidade, 0.0), 13, 3)
      .N("valor", Positivo(v.valor), 16, 2)
      .N("base de calculo", Positivo(v.base), 16, 2)
      .X("situacao tributaria", v.situacao, 4)
      .N("valor do ICMS", Positivo(v.icms), 13, 2);
}

void Somar(Valores& total, const Valores& item) {
  total.quantidade += item.quantidade;
  total.valor += item.valor;
  total.base += item.base;
  total.icms += item.icms;
  total.situacao = item.situacao;
}

// The day's totalisers as record 60A names them, those above zero only:
// each ICMS rate, F, I, N, CANC, DESC and ISS (every service totaliser).
std::vector<std::pair<std::string, Money>> Totalizadores(const Recordset& z) {
  std::map<std::string, Money> aliquotas;
  Money iss = DinheiroOuZero(z["Vl_SubTribISS"]) + DinheiroOuZero(z["Vl_IsentasISS"]) +
              DinheiroOuZero(z["Vl_NaoIncidenciaISS"]);
  for (int i = 1; i <= kSlotsReducaoZ; ++i) {
    const Money valor = DinheiroOuZero(z[ColunaDoSlot("Vl_T", i)]);
    if (InteiroOuZero(z[ColunaDoSlot("Tp_T", i)]) == 1) {
      iss += valor;
    } else {
      const int64_t centesimos = (DinheiroOuZero(z[ColunaDoSlot("Al_T", i)]).Raw() + 50) / 100;
      aliquotas[bp::Format(centesimos, "0000")] += valor;
    }
  }
  std::vector<std::pair<std::string, Money>> t(aliquotas.begin(), aliquotas.end());
  t.emplace_back("F", DinheiroOuZero(z["Vl_SubTribICMS"]));
  t.emplace_back("I", DinheiroOuZero(z["Vl_IsentasICMS"]));
  t.emplace_back("N", DinheiroOuZero(z["Vl_NaoIncidenciaICMS"]));
  t.emplace_back(
      "CANC", DinheiroOuZero(z["Vl_CancelamentosICMS"]) + DinheiroOuZero(z["Vl_CancelamentosISS"]));
  t.emplace_back("DESC",
                 DinheiroOuZero(z["Vl_DescontosICMS"]) + DinheiroOuZero(z["Vl_DescontosISS"]));
  t.emplace_back("ISS", iss);
  std::erase_if(t, [](const auto& p) { return p.second <= Money(); });
  return t;
}

}  // namespace

Recordset RegistroSintegra::DiasDeImpressora(DateTime Dt_Inicial, DateTime Dt_Final) {
  return Conexao().Query(
      "SELECT Dt_Movimento, No_Impressora FROM ReducaoZ WHERE Cd_PessoaUsuaria = ? "
      "AND Dt_Movimento >= ? AND Dt_Movimento < ? ORDER BY Dt_Movimento, No_Impressora",
      {Empresa(), Value(Dt_Inicial.DatePart()), Value(Dt_Final.DatePart().AddDays(1))});
}

Recordset RegistroSintegra::Reducao(DateTime dia, uint8_t impressora) {
  return Conexao().Query(kReducao, {Empresa(), Value(static_cast<int32_t>(impressora)),
                                    Value(dia.DatePart()), Value(dia.DatePart().AddDays(1))});
}

RegistroSintegra::R RegistroSintegra::R60M(DateTime Dt_Movimento, uint8_t No_Impressora,
                                           int32_t& contador) {
  return MontarRegistros(falha_, [&] {
    std::vector<std::string> linhas;
    const Recordset z = Reducao(Dt_Movimento, No_Impressora);
    if (z.Eof()) return linhas;
    const Recordset primeiro = Conexao().Query(
        "SELECT MIN(No_CupomFiscal) FROM CupomFiscal WHERE Cd_PessoaUsuaria = ? "
        "AND No_Impressora = ? AND Dt_Emissao >= ? AND Dt_Emissao < ?",
        {Empresa(), Value(static_cast<int32_t>(No_Impressora)), Value(Dt_Movimento.DatePart()),
         Value(Dt_Movimento.DatePart().AddDays(1))});
    Money bruta;
    for (const auto& [codigo, valor] : Totalizadores(z)) bruta += valor;
    const int32_t crz = z["No_ContadorReducaoZ"].IsNull() ? InteiroOuZero(z["Qt_ContReducoes"])
                                                          : InteiroOuZero(z["No_ContadorReducaoZ"]);
    RegistroFixo r("60M", 3);
    r.D(Dt_Movimento.DatePart())
        .X("numero de serie", TextoOuVazio(z["No_Serie"]), 20)
        .N("numero de ordem", No_Impressora, 3)
        .X("modelo", kModeloCupom, 2)
        .N("COO inicial", primeiro.Eof() ? 0 : InteiroOuZero(primeiro.Field(0)) % 1000000, 6)
        .N("COO final", InteiroOuZero(z["Qt_ContOperacoes"]) % 1000000, 6)
        .N("CRZ", crz % 1000000, 6)
        .N("CRO", InteiroOuZero(z["No_ContadorReinicioDeOperacao"]) % 1000, 3)
        .N("venda bruta", bruta, 16, 2)
        .N("totalizador geral", Positivo(DinheiroOuZero(z["Vl_GTotalFinal"])), 16, 2)
        .X("brancos", "", 37);
    linhas.push_back(r.Texto());
    ++contador;
    return linhas;
  });
}

RegistroSintegra::R RegistroSintegra::R60A(DateTime Dt_Movimento, uint8_t No_Impressora,
                                           int32_t& contador) {
  return MontarRegistros(falha_, [&] {
    std::vector<std::string> linhas;
    const Recordset z = Reducao(Dt_Movimento, No_Impressora);
    if (z.Eof()) return linhas;
    for (const auto& [codigo, valor] : Totalizadores(z)) {
      RegistroFixo r("60A", 3);
      r.D(Dt_Movimento.DatePart())
          .X("numero de serie", TextoOuVazio(z["No_Serie"]), 20)
          .X("situacao tributaria", codigo, 4)
          .N("valor acumulado", valor, 12, 2)
          .X("brancos", "", 79);
      linhas.push_back(r.Texto());
      ++contador;
    }
    return linhas;
  });
}

RegistroSintegra::R RegistroSintegra::R60D(DateTime Dt_Movimento, uint8_t No_Impressora,
                                           int32_t& contador) {
  return Cupons60(Dt_Movimento, No_Impressora, contador, /*por_item=*/false);
}

RegistroSintegra::R RegistroSintegra::R60I(DateTime Dt_Movimento, uint8_t No_Impressora,
                                           int32_t& contador) {
  return Cupons60(Dt_Movimento, No_Impressora, contador, /*por_item=*/true);
}

RegistroSintegra::R RegistroSintegra::Cupons60(DateTime dia, uint8_t impressora, int32_t& contador,
                                               bool por_item) {
  return MontarRegistros(falha_, [&] {
    std::vector<std::string> linhas;
    const std::string serie = TextoOuVazio(Reducao(dia, impressora)["No_Serie"]);
    Recordset rs = Conexao().Query(
        std::string(kItens) + "AND i.No_Impressora = ? ORDER BY i.No_CupomFiscal, i.No_Item",
        {Empresa(), Value(dia.DatePart()), Value(dia.DatePart().AddDays(1)), Value(false),
         Value(static_cast<int32_t>(impressora))});
    std::map<std::string, Valores> produtos;
    for (; !rs.Eof(); rs.MoveNext()) {
      const Valores v = DoItem(rs);
      if (!por_item) {
        Somar(produtos[TextoOuVazio(rs["Cd_Produto"])], v);
        continue;
      }
      RegistroFixo r("60I", 3);
      r.D(dia.DatePart())
          .X("numero de serie", serie, 20)
          .X("modelo", kModeloCupom, 2)
          .N("COO", InteiroOuZero(rs["No_CupomFiscal"]) % 1000000, 6)
          .N("numero do item", InteiroOuZero(rs["No_Item"]), 3)
          .X("codigo do produto", TextoOuVazio(rs["Cd_Produto"]), 14)
          .Q("quantidade", std::max(v.quantidade, 0.0), 13, 3)
          .N("valor", Positivo(v.valor), 13, 2)
          .N("base de calculo", Positivo(v.base), 12, 2)
          .X("situacao tributaria", v.situacao, 4)
          .N("valor do ICMS", Positivo(v.icms), 12, 2)
          .X("brancos", "", 16);
      linhas.push_back(r.Texto());
      ++contador;
    }
    for (const auto& [produto, v] : produtos) {
      RegistroFixo r("60D", 3);
      r.D(dia.DatePart()).X("numero de serie", serie, 20).X("codigo do produto", produto, 14);
      Campos(r, v);
      r.X("brancos", "", 19);
      linhas.push_back(r.Texto());
      ++contador;
    }
    return linhas;
  });
}

RegistroSintegra::R RegistroSintegra::R60R(DateTime Dt_Inicial, DateTime Dt_Final,
                                           int32_t& contador) {
  return MontarRegistros(falha_, [&] {
    std::vector<std::string> linhas;
    Recordset rs = Conexao().Query(std::string(kItens) + "ORDER BY i.Dt_Emissao, i.Cd_Produto",
                                   {Empresa(), Value(Dt_Inicial.DatePart()),
                                    Value(Dt_Final.DatePart().AddDays(1)), Value(false)});
    std::map<std::pair<std::string, std::string>, Valores> meses;  // (yyyymm, product)
    for (; !rs.Eof(); rs.MoveNext()) {
      const bp::DateTime dia = DataOuVazia(rs["Dt_Emissao"]);
      Somar(meses[{bp::Format(dia, "yyyymm"), TextoOuVazio(rs["Cd_Produto"])}], DoItem(rs));
    }
    for (const auto& [chave, v] : meses) {
      RegistroFixo r("60R", 3);
      r.X("mes e ano", chave.first.substr(4, 2) + chave.first.substr(0, 4), 6)
          .X("codigo do produto", chave.second, 14);
      Campos(r, v);
      r.X("brancos", "", 41);
      linhas.push_back(r.Texto());
      ++contador;
    }
    return linhas;
  });
}

}  // namespace station
