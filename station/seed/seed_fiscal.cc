#include "station/seed/seed_fiscal.h"

#include <cmath>
#include <string>
#include <vector>

#include "bp/erro.h"
#include "bp/format.h"
#include "station/fiscal/ecf_emulador.h"
#include "station/fiscal/encriptar.h"
#include "station/fiscal/impressora_fiscal.h"
#include "station/session/objeto_de_sessao.h"
#include "station/fiscal/reducao_z.h"

namespace station {
namespace {

using bp::DateTime;
using bp::Money;
using bp::Value;

constexpr int kSlotsDoMapa = 4;

// The printer as the history's ECF row and the company describe it.
IdentificacaoEcf Identificacao(Sessao& sessao) {
  bp::db::Connection& c = sessao.Dal().Conexao();
  const bp::db::Recordset ecf = c.Query(
      "SELECT Cd_IdentificacaoECF, Ds_MarcaECF, Ds_ModeloECF, Dt_Referencia FROM ECF "
      "WHERE Cd_PessoaUsuaria = ? AND No_Impressora = ?",
      {Value(sessao.Cd_PessoaUsuaria()), Value(static_cast<int32_t>(FiscalDemo::kEcf))});
  if (ecf.Eof()) RegistroNaoEncontrado("SeedFiscal");
  const bp::db::Recordset mapa = c.Query(
      "SELECT Tp_T01, Al_T01, Tp_T02, Al_T02, Tp_T03, Al_T03, Tp_T04, Al_T04 FROM MapaResumoECF "
      "WHERE Cd_PessoaUsuaria = ? AND No_Impressora = ? ORDER BY Dt_Movimento DESC LIMIT 1",
      {Value(sessao.Cd_PessoaUsuaria()), Value(static_cast<int32_t>(FiscalDemo::kEcf))});
  const bp::host::IdentificacaoEmpresa empresa = sessao.EmpresaUsuaria().Identificacao();

  IdentificacaoEcf id;
  id.no_impressora = FiscalDemo::kEcf;
  id.cd_identificacao = TextoOuVazio(ecf["Cd_IdentificacaoECF"]);
  id.no_serie = FiscalDemo::kSerie;
  id.tipo = FiscalDemo::kTipo;
  id.marca = TextoOuVazio(ecf["Ds_MarcaECF"]);
  id.modelo = TextoOuVazio(ecf["Ds_ModeloECF"]);
  id.versao_sb = FiscalDemo::kVersaoSB;
  id.dt_instalacao_sb = DataOuVazia(ecf["Dt_Referencia"]).AddSeconds(10 * 3600);
  id.cnpj_usuario = empresa.cnpj;
  id.ie_usuario = empresa.inscricao_estadual;
  for (int i = 1; i <= kSlotsDoMapa && !mapa.Eof(); ++i) {
    const std::string n = bp::Format(i, "00");
    id.aliquotas.push_back({InteiroOuZero(mapa["Tp_T" + n]), DinheiroOuZero(mapa["Al_T" + n])});
  }
  return id;
}

// The printer row gains its serial, plain and encrypted, and programmed rates.
void GravarEcf(Sessao& sessao, const IdentificacaoEcf& id) {
  std::string atribuicoes = "No_Serie = ?, No_SerieCriptografadaBLOWFISH = ?";
  std::vector<Value> valores = {Value(id.no_serie), Value(Encriptar(id.no_serie))};
  for (size_t i = 0; i < id.aliquotas.size(); ++i) {
    const std::string n = bp::Format(static_cast<int32_t>(i + 1), "00");
    atribuicoes += ", Tp_T" + n + " = ?, Al_T" + n + " = ?";
    valores.emplace_back(static_cast<uint8_t>(id.aliquotas[i].tipo));
    valores.emplace_back(id.aliquotas[i].aliquota);
  }
  valores.emplace_back(sessao.Cd_PessoaUsuaria());
  valores.emplace_back(static_cast<int32_t>(id.no_impressora));
  sessao.Dal().Conexao().Execute(
      "UPDATE ECF SET " + atribuicoes + " WHERE Cd_PessoaUsuaria = ? AND No_Impressora = ?",
      valores);
}

// One Z reduction per day of the history, as the day's summary recorded it.
std::optional<ReducaoZEmulada> GravarReducoes(Sessao& sessao, const IdentificacaoEcf& id) {
  bp::db::Recordset m = sessao.Dal().Conexao().Query(
      "SELECT * FROM MapaResumoECF WHERE Cd_PessoaUsuaria = ? AND No_Impressora = ? "
      "ORDER BY Dt_Movimento",
      {Value(sessao.Cd_PessoaUsuaria()), Value(static_cast<int32_t>(id.no_impressora))});
  std::optional<ReducaoZEmulada> ultima;
  ReducaoZ registro(sessao);
  for (; !m.Eof(); m.MoveNext()) {
    ReducaoZEmulada z;
    z.dt_movimento = DataOuVazia(m["Dt_Movimento"]);
    z.dt_emissao = z.dt_movimento.AddSeconds(23 * 3600 + 50 * 60);
    z.contadores.coo = InteiroOuZero(m["No_CupomFiscalFinal"]);
    z.contadores.ccf = z.contadores.coo;
    z.contadores.crz = InteiroOuZero(m["Qt_ContReducoes"]);
    z.gt_final = DinheiroOuZero(m["Vl_GTotalFinal"]);
    z.venda_bruta = DinheiroOuZero(m["Vl_VendaBruta"]);
    z.aliquotas_usadas = static_cast<int32_t>(id.aliquotas.size());
    for (size_t i = 0; i < id.aliquotas.size(); ++i) {
      z.aliquotas[i] = id.aliquotas[i];
      z.totais.aliquota[i] =
          DinheiroOuZero(m["Vl_T" + bp::Format(static_cast<int32_t>(i + 1), "00")]);
    }
    z.totais.isentas_icms = DinheiroOuZero(m["Vl_Isentas"]);
    z.totais.nao_incidencia_icms = DinheiroOuZero(m["Vl_NaoIncidencia"]);
    z.totais.subst_icms = DinheiroOuZero(m["Vl_SubTrib"]);
    z.totais.descontos_icms = DinheiroOuZero(m["Vl_Descontos"]);
    z.totais.cancelamentos_icms = DinheiroOuZero(m["Vl_Cancelamentos"]);
    registro.SetDados(DadosDaReducao(id, z));
    registro.Gravar();
    ultima = z;
  }
  return ultima;
}

struct Combustivel {
  int32_t codigo;
  Money preco;
  std::string unidade;
};

std::vector<Combustivel> Combustiveis(Sessao& sessao) {
  const bp::db::Recordset rs = sessao.Dal().Conexao().Query(
      "SELECT Cd_Produto, Vl_Preco, Cd_Unidade FROM Produto WHERE Cd_PessoaUsuaria = ? "
      "AND Fl_VendBomba = ? ORDER BY Cd_Produto LIMIT 2",
      {Value(sessao.Cd_PessoaUsuaria()), Value(true)});
  std::vector<Combustivel> c;
  for (const auto& row : rs.Rows()) {
    const double preco = row[1].IsNull() ? 5.0 : row[1].ToDouble();
    c.push_back({row[0].ToInt32(), Money::FromDouble(std::round(preco * 1000) / 1000),
                 row[2].IsNull() ? std::string("LT") : row[2].ToText()});
  }
  if (c.empty()) RegistroNaoEncontrado("SeedFiscal (Produto)");
  return c;
}

// The morning's cash withdrawal: a non-fiscal receipt on the printer, logged
// as the station's front end logs the documents it prints.
void GravarSangria(Sessao& sessao, EcfEmulador& ecf, DateTime quando) {
  const Money valor = Money::FromInt(FiscalDemo::kSangria);
  const EcfEmulador::NaoFiscalRegistrado r = ecf.RegistrarSangria(quando, valor, false);
  const Contadores c = ecf.Estado().contadores;
  sessao.Dal().Conexao().Execute(
      "INSERT INTO LogDocumentoEmitidoECF (Cd_PessoaUsuaria, No_Impressora, Dt_Emissao, No_COO, "
      "Ds_TipoDocumento, Dt_Inicio, No_ContadorGNF, No_ContadorGRG, No_ContadorCDC, Dt_Fim, "
      "Ic_Sangria, Vl_Documento) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
      {Value(sessao.Cd_PessoaUsuaria()), Value(static_cast<int32_t>(FiscalDemo::kEcf)),
       Value(r.dt_movimento), Value(r.coo), Value("CN"), Value(quando), Value(r.gnf), Value(c.grg),
       Value(c.cdc), Value(quando), Value(true), Value(valor)});
}

// Today's coupons, each one fuel item, registered on the printer first so the
// coupon keeps the printer's numbers.
void GravarCuponsDeHoje(Sessao& sessao, EcfEmulador& ecf, DateTime agora, int32_t crz) {
  bp::db::Connection& c = sessao.Dal().Conexao();
  const std::vector<Combustivel> combustiveis = Combustiveis(sessao);
  const DateTime hoje = agora.DatePart();
  const int64_t fim = std::max<int64_t>(agora.SecondsOfDay(), (FiscalDemo::kCuponsDeHoje + 2) * 60);
  GravarSangria(sessao, ecf, hoje.AddSeconds(fim - (FiscalDemo::kCuponsDeHoje + 1) * 60));
  for (int n = 1; n <= FiscalDemo::kCuponsDeHoje; ++n) {
    const Combustivel& comb = combustiveis[static_cast<size_t>(n) % combustiveis.size()];
    const double litros = 18.5 + 3.25 * n;
    const Money total = Money::FromDouble(std::round(comb.preco.ToDouble() * litros * 100) / 100);
    const bool cancelado = n == FiscalDemo::kCupomNaoConcluidoCancelado;
    const bool concluido = !cancelado && n != FiscalDemo::kCupomNaoConcluidoMantido;
    const DateTime quando = hoje.AddSeconds(fim - (FiscalDemo::kCuponsDeHoje + 1 - n) * 60);

    VendaEmulada venda;
    venda.totalizador = "F1";
    venda.valor = total;
    venda.cancelado = cancelado;
    const CupomRegistrado r = ecf.RegistrarCupom(quando, venda);
    c.Execute(
        "INSERT INTO CupomFiscal (Cd_PessoaUsuaria, No_Impressora, No_CupomFiscal, Dt_Emissao, "
        "Hr_Emissao, Vl_TotProd, Vl_BasCalIcms, Vl_Icms, Vl_Total, Vl_DesAcr, Vl_TotalLiquido, "
        "Vl_GTotal, Vl_Cancelamentos, Vl_SubTrib, Vl_Isentas, Qt_ContReducoes, FL_Fechada, "
        "Ic_CupomConcluido, Dt_Movimento, No_ContadorCupomFiscal, Dt_Conclusao) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
        {Value(sessao.Cd_PessoaUsuaria()),
         Value(FiscalDemo::kEcf),
         Value(r.coo),
         Value(hoje),
         Value(bp::Format(quando, "hh:nn:ss")),
         Value(total),
         Value(Money()),
         Value(Money()),
         Value(total),
         Value(Money()),
         Value(total),
         Value(r.gt_antes),
         Value(r.cancelamentos_antes),
         Value(total),
         Value(Money()),
         Value(crz + 1),
         Value(false),
         Value(concluido),
         Value(r.dt_movimento),
         Value(r.ccf),
         concluido ? Value(quando) : Value(bp::Null{})});
    c.Execute(
        "INSERT INTO ItemCupomFiscal (Cd_PessoaUsuaria, No_Impressora, No_CupomFiscal, Dt_Emissao, "
        "No_Item, Cd_Produto, Qt_Unidade, Vl_UnitTabela, Vl_UnitVenda, Vl_AltAut, Vl_AltDig, "
        "Cd_Unidade, Tx_Icms, Tx_BaseCalculo, No_TribIcms) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
        {Value(sessao.Cd_PessoaUsuaria()), Value(FiscalDemo::kEcf), Value(r.coo), Value(hoje),
         Value(uint8_t{1}), Value(comb.codigo), Value(litros), Value(comb.preco), Value(comb.preco),
         Value(Money()), Value(Money()), Value(comb.unidade), Value(0.0), Value(0.0), Value("F")});
  }
}

}  // namespace

void SeedFiscal(Sessao& sessao, DateTime agora) {
  const IdentificacaoEcf id = Identificacao(sessao);
  GravarEcf(sessao, id);
  const std::optional<ReducaoZEmulada> ultima = GravarReducoes(sessao, id);

  EstadoEcf estado;
  estado.identificacao = id;
  if (ultima) {
    estado.contadores = ultima->contadores;
    estado.gt = ultima->gt_final;
    estado.gt_inicio_dia = ultima->gt_final;
    estado.ultima_reducao_z = ultima;
  }
  EcfEmulador ecf(PastaDoEmulador(sessao.Dal().Config()));
  ecf.Instalar(estado);
  GravarCuponsDeHoje(sessao, ecf, agora, estado.contadores.crz);
}

}  // namespace station
