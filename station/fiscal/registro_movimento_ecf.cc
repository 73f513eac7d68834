#include "station/fiscal/registro_movimento_ecf.h"

#include <functional>
#include <optional>
#include <vector>

#include "bp/format.h"
#include "bp/host/data_access.h"
#include "station/fiscal/campos_movimento.h"
#include "station/fiscal/reducao_z.h"
#include "station/session/objeto_de_sessao.h"
#include "station/session/sessao.h"

namespace station {
namespace {

using bp::Money;
using bp::Value;
using bp::host::RegistroMovimento;


// The fields every record from R02 on begins with.
struct Prefixo {
  std::string serie, mf_adicional, modelo;
};

RegistroFixo Inicio(const char* tipo, const Prefixo& p) {
  RegistroFixo r(tipo);
  r.X("numero de fabricacao", p.serie, 20)
      .X("MF adicional", p.mf_adicional, 1)
      .X("modelo", p.modelo, 20);
  return r;
}

Value Dia(bp::DateTime d) { return Value(d.DatePart()); }
Value DiaSeguinte(bp::DateTime d) { return Value(d.DatePart().AddDays(1)); }
Value Byte(uint8_t n) { return Value(static_cast<int32_t>(n)); }

// "nnTaaaa": the slot number, T for ICMS or S for ISS, the rate in hundredths.
std::string CodigoDaAliquota(int slot, int tipo, Money aliquota) {
  const int64_t centesimos = (aliquota.Raw() + 50) / 100;
  return bp::Format(slot, "00") + (tipo == 1 ? "S" : "T") +
         bp::Format(static_cast<int32_t>(centesimos), "0000");
}

// The printer's Z reductions of the period, by fiscal day.
bp::db::Recordset ReducoesDoPeriodo(bp::db::Connection& c, int32_t empresa, uint8_t ecf,
                                    bp::DateTime inicio, bp::DateTime fim) {
  return c.Query(
      "SELECT * FROM ReducaoZ WHERE Cd_PessoaUsuaria = ? AND No_Impressora = ? "
      "AND Dt_Movimento >= ? AND Dt_Movimento < ? ORDER BY Dt_Movimento",
      {Value(empresa), Byte(ecf), Dia(inicio), DiaSeguinte(fim)});
}

Money Coluna(const bp::db::Recordset& rs, const std::string& nome) {
  return DinheiroOuZero(rs[nome]);
}

struct Parcial {
  std::string codigo;
  Money valor;
};

// The partial totals of the current Z reduction row, in the layout's order.
std::vector<Parcial> Parciais(const bp::db::Recordset& z) {
  std::vector<Parcial> p;
  for (int i = 1; i <= kSlotsReducaoZ; ++i) {
    if (z[ColunaDoSlot("Tp_T", i)].IsNull()) continue;
    p.push_back({CodigoDaAliquota(i, InteiroOuZero(z[ColunaDoSlot("Tp_T", i)]),
                                  Coluna(z, ColunaDoSlot("Al_T", i))),
                 Coluna(z, ColunaDoSlot("Vl_T", i))});
  }
  // The fixed totalisers and their columns; OPNF adds two.
  const std::pair<const char*, std::vector<const char*>> fixos[] = {
      {"F1", {"Vl_SubTribICMS"}},
      {"I1", {"Vl_IsentasICMS"}},
      {"N1", {"Vl_NaoIncidenciaICMS"}},
      {"FS1", {"Vl_SubTribISS"}},
      {"IS1", {"Vl_IsentasISS"}},
      {"NS1", {"Vl_NaoIncidenciaISS"}},
      {"OPNF", {"Vl_TotalizadorSangria", "Vl_TotalizadorSuprimento"}},
      {"DT", {"Vl_DescontosICMS"}},
      {"DS", {"Vl_DescontosISS"}},
      {"AT", {"Vl_AcrescimosICMS"}},
      {"AS", {"Vl_AcrescimosISS"}},
      {"Can-T", {"Vl_CancelamentosICMS"}},
      {"Can-S", {"Vl_CancelamentosISS"}}};
  for (const auto& [codigo, colunas] : fixos) {
    Money valor;
    for (const char* coluna : colunas) valor += Coluna(z, coluna);
    p.push_back({codigo, valor});
  }
  return p;
}

// The grand total the day added: its partial totals and discounts, less its
// increases (a coupon cancelled before it was totalled never reached it).
Money VendaBruta(const bp::db::Recordset& z) {
  Money total;
  for (const Parcial& p : Parciais(z)) {
    if (p.codigo == "OPNF" || p.codigo.rfind("Can-", 0) == 0) continue;
    if (p.codigo == "AT" || p.codigo == "AS") {
      total -= p.valor;
    } else {
      total += p.valor;
    }
  }
  return total;
}

// Discount (negative) or increase (positive) of a coupon or item, split.
struct Ajuste {
  Money desconto, acrescimo;
};
Ajuste Separar(Money v) { return v < Money() ? Ajuste{-v, Money()} : Ajuste{Money(), v}; }

// The means of payment of a coupon, by its kind of sale.
std::string MeioDePagamento(const Value& tp_venda) {
  switch (InteiroOuZero(tp_venda)) {
    case 11:
      return "Cartao";
    case 12:
      return "Nota placa";
    case 13:
      return "Requisicao";
    case 21:
    case 22:
      return "A prazo";
    default:
      return "Dinheiro";
  }
}

// The totaliser code of an item: by its ICMS taxation letter, and for taxed
// items the printer's slot programmed with the item's rate.
class Totalizadores {
 public:
  Totalizadores(bp::db::Connection& c, int32_t empresa, uint8_t ecf) {
    const bp::db::Recordset rs =
        c.Query("SELECT * FROM ECF WHERE Cd_PessoaUsuaria = ? AND No_Impressora = ?",
                {Value(empresa), Byte(ecf)});
    if (rs.Eof()) return;
    for (int i = 1; i <= kSlotsReducaoZ; ++i) {
      if (rs[ColunaDoSlot("Tp_T", i)].IsNull()) continue;
      slots_.push_back(
          {i, InteiroOuZero(rs[ColunaDoSlot("Tp_T", i)]), Coluna(rs, ColunaDoSlot("Al_T", i))});
    }
  }

  std::string Codigo(const std::string& trib, double taxa) const {
    if (trib == "F") return "F1";
    if (trib == "I") return "I1";
    if (trib == "N") return "N1";
    const bool iss = trib == "S";
    if (!iss && trib != "T" && !(taxa > 0)) return "N1";
    const Money aliquota = Money::FromDouble(taxa);
    for (const SlotProgramado& s : slots_) {
      if (s.tipo == (iss ? 1 : 0) && s.aliquota == aliquota) {
        return CodigoDaAliquota(s.numero, s.tipo, s.aliquota);
      }
    }
    throw CampoInvalido("aliquota " + aliquota.ToSql() + "% nao programada no ECF");
  }

 private:
  struct SlotProgramado {
    int numero;
    int tipo;
    Money aliquota;
  };
  std::vector<SlotProgramado> slots_;
};

}  // namespace

RegistroMovimentoEcf::RegistroMovimentoEcf(bp::host::BOSistema& sessao)
    : sessao_(sessao), dal_(&sessao.ObDAL()) {}

RegistroMovimento RegistroMovimentoEcf::R01(bp::DateTime Dt_Inicial, bp::DateTime Dt_Final,
                                            const std::string& No_Serie, const std::string& mf,
                                            const std::string& tipo, const std::string& marca,
                                            const std::string& modelo, const std::string& versao_sb,
                                            bp::DateTime instalacao, uint8_t No_Impressora,
                                            const std::string& cnpj, const std::string& ie) {
  return MontarRegistros(falha_, [&] {
    RegistroFixo r("R01");
    r.X("numero de fabricacao", No_Serie, 20).X("MF adicional", mf, 1).X("tipo", tipo, 7);
    r.X("marca", marca, 20).X("modelo", modelo, 20).X("versao SB", versao_sb, 10);
    r.D(instalacao).H(instalacao).N("numero do ECF", No_Impressora, 3);
    r.Digitos("CNPJ", cnpj, 14).SemPontuacao("IE", ie, 14);
    // The developer and the fiscal application have no record in the
    // station database: their fields keep the layout's zeros and blanks.
    r.N("CNPJ desenvolvedor", 0, 14).X("IE desenvolvedor", "", 14);
    r.N("IM desenvolvedor", 0, 14).X("nome desenvolvedor", "", 40);
    r.X("nome do aplicativo", "", 40).X("versao do aplicativo", "", 10).X("MD5", "", 32);
    r.D(Dt_Inicial).D(Dt_Final).X("versao do leiaute", "", 4);
    return std::vector<std::string>{r.Texto()};
  });
}

RegistroMovimento RegistroMovimentoEcf::R02(bp::DateTime Dt_Inicial, bp::DateTime Dt_Final,
                                            const std::string& No_Serie, const std::string& mf,
                                            const std::string& modelo, bool desconto_iss) {
  return MontarRegistros(falha_, [&] {
    const uint8_t ecf = dal_->NumeroECF() == 0 ? 1 : dal_->NumeroECF();
    bp::db::Recordset z =
        ReducoesDoPeriodo(dal_->Conexao(), sessao_.Cd_PessoaUsuaria(), ecf, Dt_Inicial, Dt_Final);
    std::vector<std::string> linhas;
    for (; !z.Eof(); z.MoveNext()) {
      const bp::DateTime emissao = DataOuVazia(z["Dt_EmissaoReducaoZ"]);
      RegistroFixo r = Inicio("R02", {No_Serie, mf, modelo});
      r.N("usuario", InteiroOuZero(z["No_OrdemUsuario"]), 2);
      r.N("CRZ", InteiroOuZero(z["No_ContadorReducaoZ"]), 6);
      r.N("COO", InteiroOuZero(z["Qt_ContOperacoes"]), 9);
      r.N("CRO", InteiroOuZero(z["No_ContadorReinicioDeOperacao"]), 6);
      r.D(DataOuVazia(z["Dt_Movimento"])).D(emissao).H(emissao);
      r.N("venda bruta", VendaBruta(z), 14, 2).X("desconto ISS", desconto_iss ? "S" : "N", 1);
      linhas.push_back(r.Texto());
    }
    return linhas;
  });
}

RegistroMovimento RegistroMovimentoEcf::R03(bp::DateTime Dt_Inicial, bp::DateTime Dt_Final,
                                            const std::string& No_Serie, const std::string& mf,
                                            const std::string& modelo) {
  return MontarRegistros(falha_, [&] {
    const uint8_t ecf = dal_->NumeroECF() == 0 ? 1 : dal_->NumeroECF();
    bp::db::Recordset z =
        ReducoesDoPeriodo(dal_->Conexao(), sessao_.Cd_PessoaUsuaria(), ecf, Dt_Inicial, Dt_Final);
    std::vector<std::string> linhas;
    for (; !z.Eof(); z.MoveNext()) {
      for (const Parcial& p : Parciais(z)) {
        RegistroFixo r = Inicio("R03", {No_Serie, mf, modelo});
        r.N("usuario", InteiroOuZero(z["No_OrdemUsuario"]), 2);
        r.N("CRZ", InteiroOuZero(z["No_ContadorReducaoZ"]), 6);
        r.X("totalizador", p.codigo, 7).N("valor acumulado", p.valor, 13, 2);
        linhas.push_back(r.Texto());
      }
    }
    return linhas;
  });
}

RegistroMovimento RegistroMovimentoEcf::R04(uint8_t No_Impressora, bp::DateTime Dt_Inicial,
                                            bp::DateTime Dt_Final, const std::string& No_Serie,
                                            const std::string& mf, const std::string& modelo,
                                            int32_t usuario) {
  return MontarRegistros(falha_, [&] {
    bp::db::Recordset c = dal_->Conexao().Query(
        "SELECT * FROM CupomFiscal WHERE Cd_PessoaUsuaria = ? AND No_Impressora = ? "
        "AND Dt_Emissao >= ? AND Dt_Emissao < ? ORDER BY No_CupomFiscal",
        {Value(sessao_.Cd_PessoaUsuaria()), Byte(No_Impressora), Dia(Dt_Inicial),
         DiaSeguinte(Dt_Final)});
    std::vector<std::string> linhas;
    for (; !c.Eof(); c.MoveNext()) {
      const Ajuste a = Separar(Coluna(c, "Vl_DesAcr"));
      const bool cancelado = !c["Ic_Excluido"].IsNull() && c["Ic_Excluido"].ToBool();
      RegistroFixo r = Inicio("R04", {No_Serie, mf, modelo});
      r.N("usuario", usuario, 2).N("CCF", InteiroOuZero(c["No_ContadorCupomFiscal"]), 9);
      r.N("COO", InteiroOuZero(c["No_CupomFiscal"]), 9).D(DataOuVazia(c["Dt_Emissao"]));
      r.N("subtotal", Coluna(c, "Vl_Total"), 14, 2);
      r.N("desconto", a.desconto, 13, 2).X("tipo desconto", a.desconto > Money() ? "V" : "", 1);
      r.N("acrescimo", a.acrescimo, 13, 2).X("tipo acrescimo", a.acrescimo > Money() ? "V" : "", 1);
      r.N("total liquido", Coluna(c, "Vl_TotalLiquido"), 14, 2)
          .X("cancelado", cancelado ? "S" : "N", 1);
      r.N("acrescimo cancelado", Money(), 13, 2);
      r.X("ordem", a.desconto > Money() ? "D" : a.acrescimo > Money() ? "A" : "", 1);
      r.X("nome do cliente", TextoOuVazio(c["Nm_IdCliente"]), 40).N("CPF/CNPJ", 0, 14);
      linhas.push_back(r.Texto());
    }
    return linhas;
  });
}

RegistroMovimento RegistroMovimentoEcf::R05(const bp::host::RegistroECF& ecf, uint8_t No_Impressora,
                                            bp::DateTime Dt_Inicial, bp::DateTime Dt_Final,
                                            const std::string& No_Serie, const std::string& mf,
                                            const std::string& modelo, int32_t usuario) {
  return MontarRegistros(falha_, [&] {
    bp::db::Connection& conexao = dal_->Conexao();
    const Totalizadores totalizadores(conexao, ecf.Cd_PessoaUsuaria, No_Impressora);
    bp::db::Recordset i = conexao.Query(
        "SELECT i.No_CupomFiscal, c.No_ContadorCupomFiscal, c.Ic_Excluido AS Ic_CupomExcluido, "
        "i.No_Item, i.Cd_Produto, p.Nm_Produto, i.Qt_Unidade, i.Cd_Unidade, i.Vl_UnitVenda, "
        "i.Vl_AltAut, i.Vl_AltDig, i.No_TribIcms, i.Tx_Icms, i.Ic_Excluido "
        "FROM ItemCupomFiscal i JOIN CupomFiscal c ON c.Cd_PessoaUsuaria = i.Cd_PessoaUsuaria "
        "AND c.No_Impressora = i.No_Impressora AND c.No_CupomFiscal = i.No_CupomFiscal "
        "AND c.Dt_Emissao = i.Dt_Emissao "
        "LEFT JOIN Produto p ON p.Cd_PessoaUsuaria = i.Cd_PessoaUsuaria AND p.Cd_Produto = "
        "i.Cd_Produto "
        "WHERE i.Cd_PessoaUsuaria = ? AND i.No_Impressora = ? AND i.Dt_Emissao >= ? "
        "AND i.Dt_Emissao < ? ORDER BY i.No_CupomFiscal, i.Dt_Emissao, i.No_Item",
        {Value(ecf.Cd_PessoaUsuaria), Byte(No_Impressora), Dia(Dt_Inicial), DiaSeguinte(Dt_Final)});
    std::vector<std::string> linhas;
    for (; !i.Eof(); i.MoveNext()) {
      const double quantidade = i["Qt_Unidade"].IsNull() ? 0.0 : i["Qt_Unidade"].ToDouble();
      const Money unitario = Coluna(i, "Vl_UnitVenda");
      const Ajuste a = Separar(Coluna(i, "Vl_AltAut") + Coluna(i, "Vl_AltDig"));
      const bool cancelado = (!i["Ic_Excluido"].IsNull() && i["Ic_Excluido"].ToBool()) ||
                             (!i["Ic_CupomExcluido"].IsNull() && i["Ic_CupomExcluido"].ToBool());
      const Money bruto = unitario * quantidade;
      const Money total = bruto - a.desconto + a.acrescimo;
      const double taxa = i["Tx_Icms"].IsNull() ? 0.0 : i["Tx_Icms"].ToDouble();
      RegistroFixo r = Inicio("R05", {No_Serie, mf, modelo});
      r.N("usuario", usuario, 2).N("COO", InteiroOuZero(i["No_CupomFiscal"]), 9);
      r.N("CCF", InteiroOuZero(i["No_ContadorCupomFiscal"]), 9);
      r.N("item", InteiroOuZero(i["No_Item"]), 3);
      r.X("codigo", std::to_string(InteiroOuZero(i["Cd_Produto"])), 14);
      r.X("descricao", TextoOuVazio(i["Nm_Produto"]), 100);
      r.Q("quantidade", quantidade, 7, 3).X("unidade", TextoOuVazio(i["Cd_Unidade"]), 3);
      r.N("valor unitario", unitario, 8, 3).N("desconto", a.desconto, 8, 2);
      r.N("acrescimo", a.acrescimo, 8, 2).N("total", total, 14, 2);
      r.X("totalizador", totalizadores.Codigo(TextoOuVazio(i["No_TribIcms"]), taxa), 7);
      r.X("cancelado", cancelado ? "S" : "N", 1)
          .Q("quantidade cancelada", cancelado ? quantidade : 0, 7, 3);
      r.N("valor cancelado", cancelado ? total : Money(), 13, 2);
      r.N("acrescimo cancelado", cancelado ? a.acrescimo : Money(), 13, 2);
      r.X("arredondamento", "A", 1).X("producao", "T", 1);
      r.N("decimais quantidade", 3, 1).N("decimais valor", 3, 1);
      linhas.push_back(r.Texto());
    }
    return linhas;
  });
}

RegistroMovimento RegistroMovimentoEcf::R06(const bp::host::RegistroECF& ecf, uint8_t No_Impressora,
                                            bp::DateTime Dt_Inicial, bp::DateTime Dt_Final,
                                            const std::string& No_Serie, const std::string& mf,
                                            const std::string& modelo, int32_t usuario) {
  return MontarRegistros(falha_, [&] {
    bp::db::Recordset d = dal_->Conexao().Query(
        "SELECT * FROM LogDocumentoEmitidoECF WHERE Cd_PessoaUsuaria = ? AND No_Impressora = ? "
        "AND Dt_Emissao >= ? AND Dt_Emissao < ? AND Ds_TipoDocumento <> 'CF' ORDER BY No_COO",
        {Value(ecf.Cd_PessoaUsuaria), Byte(No_Impressora), Dia(Dt_Inicial), DiaSeguinte(Dt_Final)});
    std::vector<std::string> linhas;
    for (; !d.Eof(); d.MoveNext()) {
      const bp::DateTime fim = DataOuVazia(d["Dt_Fim"]);
      RegistroFixo r = Inicio("R06", {No_Serie, mf, modelo});
      r.N("usuario", usuario, 2).N("COO", InteiroOuZero(d["No_COO"]), 9);
      r.N("GNF", InteiroOuZero(d["No_ContadorGNF"]), 6)
          .N("GRG", InteiroOuZero(d["No_ContadorGRG"]), 6);
      r.N("CDC", InteiroOuZero(d["No_ContadorCDC"]), 4);
      r.X("denominacao", TextoOuVazio(d["Ds_TipoDocumento"]), 2).D(fim).H(fim);
      linhas.push_back(r.Texto());
    }
    return linhas;
  });
}

RegistroMovimento RegistroMovimentoEcf::R07(const bp::host::RegistroECF& ecf, uint8_t No_Impressora,
                                            bp::DateTime Dt_Inicial, bp::DateTime Dt_Final,
                                            const std::string& No_Serie, const std::string& mf,
                                            const std::string& modelo, int32_t usuario) {
  return MontarRegistros(falha_, [&] {
    bp::db::Connection& conexao = dal_->Conexao();
    const std::vector<Value> filtro = {Value(ecf.Cd_PessoaUsuaria), Byte(No_Impressora),
                                       Dia(Dt_Inicial), DiaSeguinte(Dt_Final)};
    // Coupons paid, then the non-fiscal documents that moved money, each by COO.
    bp::db::Recordset c = conexao.Query(
        "SELECT No_CupomFiscal, No_ContadorCupomFiscal, Tp_Venda, Vl_TotalLiquido FROM CupomFiscal "
        "WHERE Cd_PessoaUsuaria = ? AND No_Impressora = ? AND Dt_Emissao >= ? AND Dt_Emissao < ? "
        "AND Ic_Excluido = ? AND Ic_CupomConcluido = ? ORDER BY No_CupomFiscal",
        {filtro[0], filtro[1], filtro[2], filtro[3], Value(false), Value(true)});
    bp::db::Recordset d = conexao.Query(
        "SELECT No_COO, No_ContadorGNF, Vl_Documento FROM LogDocumentoEmitidoECF "
        "WHERE Cd_PessoaUsuaria = ? AND No_Impressora = ? AND Dt_Emissao >= ? AND Dt_Emissao < ? "
        "AND Vl_Documento IS NOT NULL ORDER BY No_COO",
        filtro);
    std::vector<std::string> linhas;
    const auto pagamento = [&](int32_t coo, int32_t ccf, int32_t gnf, const std::string& meio,
                               Money valor) {
      RegistroFixo r = Inicio("R07", {No_Serie, mf, modelo});
      r.N("usuario", usuario, 2).N("COO", coo, 9).N("CCF", ccf, 9).N("GNF", gnf, 6);
      r.X("meio de pagamento", meio, 15).N("valor pago", valor, 13, 2);
      r.X("estorno", "N", 1).N("valor estornado", Money(), 13, 2);
      linhas.push_back(r.Texto());
    };
    for (; !c.Eof(); c.MoveNext()) {
      pagamento(InteiroOuZero(c["No_CupomFiscal"]), InteiroOuZero(c["No_ContadorCupomFiscal"]), 0,
                MeioDePagamento(c["Tp_Venda"]), Coluna(c, "Vl_TotalLiquido"));
    }
    for (; !d.Eof(); d.MoveNext()) {
      pagamento(InteiroOuZero(d["No_COO"]), 0, InteiroOuZero(d["No_ContadorGNF"]), "Dinheiro",
                Coluna(d, "Vl_Documento"));
    }
    return linhas;
  });
}

std::unique_ptr<bp::host::BORegistroMovimentoECF> Sessao::CriarRegistroMovimentoECF() {
  return std::make_unique<RegistroMovimentoEcf>(*this);
}

}  // namespace station
