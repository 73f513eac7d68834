#include "station/fiscal/impressora_fiscal.h"

#include <filesystem>
#include <vector>

#include "bp/bp_abrir_dia.h"
#include "bp/env.h"
#include "bp/format.h"
#include "bp/host/data_access.h"

namespace station {
namespace {

// Texts of the fuel-volume report and the document kinds logged.
constexpr const char* kTituloVolume = "VOLUME DE COMBUSTÍVEL VENDIDO";
constexpr const char* kSemVendas = "NENHUMA VENDA DE COMBUSTÍVEL NO PERÍODO";
constexpr const char* kSemData = "--/--/----";
constexpr const char* kDocumentoRelatorio = "RG";
constexpr const char* kDocumentoReducaoZ = "RZ";

}  // namespace

bp::host::DadosReducaoZ DadosDaReducao(const IdentificacaoEcf& id, const ReducaoZEmulada& z) {
  bp::host::DadosReducaoZ d;
  d.Dt_Movimento = z.dt_movimento;
  d.Ds_LetraIndicativaMemoriaAdicional = id.mf_adicional;
  d.Ds_TipoECF = id.tipo;
  d.Ds_MarcaECF = id.marca;
  d.Ds_ModeloECF = id.modelo;
  d.Ds_VersaoSoftwareBasicoECF = id.versao_sb;
  d.Dt_InstalacaoSoftwareECF = id.dt_instalacao_sb;
  d.No_Impressora = id.no_impressora;
  d.No_CnpjEmpresaUsuariaECF = id.cnpj_usuario;
  d.Cd_IEstadualEmpresaUsuariaECF = id.ie_usuario;
  d.No_OrdemUsuario = id.no_ordem_usuario;
  d.Ic_PermiteDescontoISS = id.permite_desconto_iss;

  const Contadores& c = z.contadores;
  d.Qt_ContReducoes = c.crz;
  d.No_ContadorReducaoZ = c.crz;
  d.Dt_EmissaoReducaoZ = z.dt_emissao;
  d.No_ContadorReinicioDeOperacao = c.cro;
  d.Qt_ContOperacoes = c.coo;
  d.No_ContadorGeralOperacoesNaoFiscais = c.gnf;
  d.No_ContadorCupomFiscal = c.ccf;
  d.No_ContadorGeralRelatorioGerencial = c.grg;
  d.No_ContadorCupomFiscalCancelado = c.cfc;
  d.No_ContadorComprovantesDebitoOuCredito = c.cdc;

  const TotaisParciais& t = z.totais;
  d.Vl_GTotalFinal = z.gt_final;
  for (int32_t i = 0; i < z.aliquotas_usadas; ++i) {
    const size_t k = static_cast<size_t>(i);
    d.totalizadores.push_back(
        {static_cast<uint8_t>(z.aliquotas[k].tipo), t.aliquota[k], z.aliquotas[k].aliquota});
  }
  d.Vl_IsentasICMS = t.isentas_icms;
  d.Vl_NaoIncidenciaICMS = t.nao_incidencia_icms;
  d.Vl_SubTribICMS = t.subst_icms;
  d.Vl_IsentasISS = t.isentas_iss;
  d.Vl_NaoIncidenciaISS = t.nao_incidencia_iss;
  d.Vl_SubTribISS = t.subst_iss;
  d.Vl_DescontosICMS = t.descontos_icms;
  d.Vl_DescontosISS = t.descontos_iss;
  d.Vl_AcrescimosICMS = t.acrescimos_icms;
  d.Vl_AcrescimosISS = t.acrescimos_iss;
  d.Vl_CancelamentosICMS = t.cancelamentos_icms;
  d.Vl_CancelamentosISS = t.cancelamentos_iss;
  d.Vl_TotalizadorSangria = t.sangria;
  d.Vl_TotalizadorSuprimento = t.suprimento;
  return d;
}

ImpressoraFiscal::ImpressoraFiscal(bp::host::BOSistema& sessao, std::string pasta)
    : sessao_(sessao), ecf_(std::move(pasta)) {
  const std::string sistema = sessao.ObDAL().SystemFolder();
  if (sistema.empty()) return;
  std::error_code ec;
  std::filesystem::create_directories(bp::PastaArquivosMovimentoECF(sistema), ec);
}

bp::host::DadosReducaoZ ImpressoraFiscal::DadosultimaReducaoZ(bp::host::BOSistema& /*sessao*/) {
  const std::optional<ReducaoZEmulada> z = ecf_.UltimaReducaoZ();
  if (!z) return {};
  return DadosDaReducao(ecf_.Estado().identificacao, *z);
}

void ImpressoraFiscal::ImprimirVolumeCombustivelVendido(bp::host::BOSistema& ObBOSistema,
                                                        bp::DateTime Dt_Inicial,
                                                        bp::DateTime Dt_Final) {
  const bp::DateTime inicio = bp::Env::Current().Now();
  const IdentificacaoEcf id = ecf_.Estado().identificacao;
  const bp::db::Recordset rs = ObBOSistema.ObDAL().Conexao().Query(
      "SELECT p.Nm_Produto, SUM(i.Qt_Unidade) AS Qt_Litros FROM ItemCupomFiscal i "
      "JOIN Produto p ON p.Cd_PessoaUsuaria = i.Cd_PessoaUsuaria AND p.Cd_Produto = i.Cd_Produto "
      "WHERE i.Cd_PessoaUsuaria = ? AND i.No_Impressora = ? AND i.Dt_Emissao >= ? "
      "AND i.Dt_Emissao < ? AND p.Fl_VendBomba = ? AND i.Ic_Excluido = ? "
      "GROUP BY p.Nm_Produto ORDER BY p.Nm_Produto",
      {bp::Value(ObBOSistema.Cd_PessoaUsuaria()), bp::Value(static_cast<int32_t>(id.no_impressora)),
       bp::Value(Dt_Inicial.DatePart()), bp::Value(Dt_Final.DatePart().AddDays(1)), bp::Value(true),
       bp::Value(false)});
  // A closing that could not learn its Z date asks for the empty period.
  const auto data = [](bp::DateTime d) {
    return d.IsEmpty() ? std::string(kSemData) : bp::Format(d, "dd/mm/yyyy");
  };
  std::vector<std::string> linhas = {"PERÍODO " + data(Dt_Inicial) + " A " + data(Dt_Final)};
  for (const auto& row : rs.Rows()) {
    const double litros = row[1].IsNull() ? 0.0 : row[1].ToDouble();
    linhas.push_back(row[0].ToText() + "  " + bp::Format(litros, "#,##0.000") + " L");
  }
  if (rs.Rows().empty()) linhas.emplace_back(kSemVendas);
  ecf_.ImprimirRelatorioGerencial(inicio, kTituloVolume, linhas);
  // A report printed while no day is open belongs to the movement its date
  // starts.
  const EstadoEcf depois = ecf_.Estado();
  Registrar(kDocumentoRelatorio,
            depois.dt_movimento.IsEmpty() ? inicio.DatePart() : depois.dt_movimento, inicio,
            depois);
}

void ImpressoraFiscal::ImprimirReducaoZ() {
  const bp::DateTime inicio = bp::Env::Current().Now();
  const ReducaoZEmulada z = ecf_.ImprimirReducaoZ(inicio);
  Registrar(kDocumentoReducaoZ, z.dt_movimento, inicio, ecf_.Estado());
}

void ImpressoraFiscal::Registrar(const std::string& tipo, bp::DateTime dia, bp::DateTime inicio,
                                 const EstadoEcf& depois) {
  const Contadores& c = depois.contadores;
  sessao_.ObDAL().Conexao().Execute(
      "INSERT INTO LogDocumentoEmitidoECF (Cd_PessoaUsuaria, No_Impressora, Dt_Emissao, No_COO, "
      "Ds_TipoDocumento, Dt_Inicio, No_ContadorGNF, No_ContadorGRG, No_ContadorCDC, Dt_Fim) "
      "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
      {bp::Value(sessao_.Cd_PessoaUsuaria()),
       bp::Value(static_cast<int32_t>(depois.identificacao.no_impressora)),
       bp::Value(dia.DatePart()), bp::Value(c.coo), bp::Value(tipo), bp::Value(inicio),
       bp::Value(c.gnf), bp::Value(c.grg), bp::Value(c.cdc), bp::Value(bp::Env::Current().Now())});
}

}  // namespace station
