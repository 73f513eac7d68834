#include "station/fiscal/ecf_emulador.h"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "bp/db/connection.h"
#include "bp/erro.h"
#include "bp/erros.h"
#include "bp/format.h"
#include "station/fiscal/ecf_estado.h"

namespace station {
namespace {

namespace fs = std::filesystem;

constexpr int32_t kErroStatus = static_cast<int32_t>(0x800405F0);
constexpr int32_t kErroDesligada = static_cast<int32_t>(0x800405FF);
constexpr int32_t kErroComunicacao = static_cast<int32_t>(0x800405EE);
constexpr int32_t kErroParametro = static_cast<int32_t>(0x800405F1);
constexpr int32_t kErroComandoRecusado = static_cast<int32_t>(0x800405F2);
constexpr int32_t kRegistroNaoEncontrado = static_cast<int32_t>(0x80040202);

constexpr const char* kOrigem = "ECFEmulador";
constexpr const char* kArquivoEstado = "estado.txt";
constexpr const char* kArquivoBobina = "bobina.txt";

// Texts printed on the paper roll.
constexpr const char* kLinha = "------------------------------------------------";
constexpr const char* kTituloCupom = "CUPOM FISCAL";
constexpr const char* kTituloCupomCancelado = "CUPOM FISCAL CANCELADO";
constexpr const char* kTituloReducaoZ = "REDUÇÃO Z";
constexpr const char* kTituloRelatorio = "RELATÓRIO GERENCIAL";
constexpr const char* kTituloNaoFiscal = "COMPROVANTE NÃO FISCAL";

[[noreturn]] void Falhar(int32_t numero, const std::string& origem = kOrigem) {
  throw bp::Erro(numero, bp::RetornaDescricaoErro(numero), origem);
}

std::string Valor(bp::Money v) { return bp::Format(v, "#,##0.00"); }

std::string DataHora(bp::DateTime d) { return bp::Format(d, "dd/mm/yyyy hh:nn:ss"); }

std::string Seis(int32_t n) { return bp::Format(n, "000000"); }

// The totaliser a sale names, resolved against the printer's programme.
struct Destino {
  bp::Money* total = nullptr;
  bool iss = false;
};

Destino DestinoDaVenda(EstadoEcf& e, const std::string& codigo) {
  TotaisParciais& t = e.dia;
  if (codigo == "F1") return {&t.subst_icms, false};
  if (codigo == "I1") return {&t.isentas_icms, false};
  if (codigo == "N1") return {&t.nao_incidencia_icms, false};
  if (codigo == "FS1") return {&t.subst_iss, true};
  if (codigo == "IS1") return {&t.isentas_iss, true};
  if (codigo == "NS1") return {&t.nao_incidencia_iss, true};
  if (codigo.size() == 2 && std::isdigit(static_cast<unsigned char>(codigo[0])) &&
      std::isdigit(static_cast<unsigned char>(codigo[1]))) {
    const int slot = std::stoi(codigo);
    const auto& programadas = e.identificacao.aliquotas;
    if (slot >= 1 && slot <= static_cast<int>(programadas.size())) {
      const size_t i = static_cast<size_t>(slot - 1);
      return {&t.aliquota[i], programadas[i].tipo == kTipoIss};
    }
  }
  Falhar(kErroParametro, kOrigem + std::string(".RegistrarCupom"));
}

// As on a real printer, a day that has had its Z reduction stays closed: with
// no day open, the printer refuses every document of that day (and of
// earlier ones) until the next day.
void RecusarDiaReduzido(const EstadoEcf& e, bp::DateTime quando, const char* operacao) {
  if (e.dt_movimento.IsEmpty() && e.ultima_reducao_z &&
      quando.DatePart() <= e.ultima_reducao_z->dt_movimento.DatePart())
    Falhar(kErroComandoRecusado, kOrigem + std::string(".") + operacao);
}

// Opens the fiscal day of `quando` when none is open: the first coupon or
// non-fiscal receipt after a Z reduction starts the next day's movement.
void AbrirDiaSeFechado(EstadoEcf& e, bp::DateTime quando, const char* operacao) {
  RecusarDiaReduzido(e, quando, operacao);
  if (!e.dt_movimento.IsEmpty()) return;
  e.dt_movimento = quando.DatePart();
  e.gt_inicio_dia = e.gt;
}

std::vector<std::string> Cabecalho(const EstadoEcf& e, bp::DateTime quando, int32_t coo) {
  const IdentificacaoEcf& id = e.identificacao;
  return {kLinha, "CNPJ " + id.cnpj_usuario + "  IE " + id.ie_usuario,
          DataHora(quando) + "  COO:" + Seis(coo), kLinha};
}

std::vector<std::string> Rodape(const EstadoEcf& e) {
  const IdentificacaoEcf& id = e.identificacao;
  return {kLinha,
          id.marca + " " + id.tipo + " " + id.modelo +
              " ECF:" + bp::Format(static_cast<int32_t>(id.no_impressora), "000"),
          "FAB:" + id.no_serie + " " + id.mf_adicional, ""};
}

void Juntar(std::vector<std::string>& a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
}

std::vector<std::string> TextoDaReducaoZ(const EstadoEcf& e, const ReducaoZEmulada& z) {
  std::vector<std::string> l = Cabecalho(e, z.dt_emissao, z.contadores.coo);
  l.push_back(kTituloReducaoZ);
  l.push_back("MOVIMENTO DO DIA: " + bp::Format(z.dt_movimento, "dd/mm/yyyy"));
  l.push_back("CRZ:" + Seis(z.contadores.crz) + "  CRO:" + Seis(z.contadores.cro) +
              "  CCF:" + Seis(z.contadores.ccf));
  l.push_back("GNF:" + Seis(z.contadores.gnf) + "  GRG:" + Seis(z.contadores.grg) +
              "  CDC:" + Seis(z.contadores.cdc));
  l.push_back("GRANDE TOTAL: " + Valor(z.gt_final));
  l.push_back("VENDA BRUTA DIÁRIA: " + Valor(z.venda_bruta));
  for (int32_t i = 0; i < z.aliquotas_usadas; ++i) {
    const auto& a = z.aliquotas[static_cast<size_t>(i)];
    l.push_back(bp::Format(i + 1, "00") + (a.tipo == kTipoIss ? "S " : "T ") +
                bp::Format(a.aliquota, "0.00") + "%  " +
                Valor(z.totais.aliquota[static_cast<size_t>(i)]));
  }
  const TotaisParciais& t = z.totais;
  l.push_back("F1 " + Valor(t.subst_icms) + "  I1 " + Valor(t.isentas_icms) + "  N1 " +
              Valor(t.nao_incidencia_icms));
  l.push_back("CANCELAMENTOS ICMS " + Valor(t.cancelamentos_icms) + "  ISS " +
              Valor(t.cancelamentos_iss));
  l.push_back("DESCONTOS ICMS " + Valor(t.descontos_icms) + "  ISS " + Valor(t.descontos_iss));
  l.push_back("SANGRIA " + Valor(t.sangria) + "  SUPRIMENTO " + Valor(t.suprimento));
  Juntar(l, Rodape(e));
  return l;
}

}  // namespace

std::string NomeDaFalha(FalhaEcf falha) {
  switch (falha) {
    case FalhaEcf::kSemPapel:
      return "papel";
    case FalhaEcf::kDesligada:
      return "desligada";
    case FalhaEcf::kComunicacao:
      return "comunicacao";
    case FalhaEcf::kNenhuma:
      break;
  }
  return "nenhuma";
}

std::optional<FalhaEcf> FalhaPeloNome(const std::string& nome) {
  for (FalhaEcf f :
       {FalhaEcf::kNenhuma, FalhaEcf::kSemPapel, FalhaEcf::kDesligada, FalhaEcf::kComunicacao}) {
    if (NomeDaFalha(f) == nome) return f;
  }
  return std::nullopt;
}

std::string PastaDoEmulador(const Configuracao& config) {
  if (!bp::db::IsServerTarget(config.banco)) return config.banco + ".ecf";
  const std::string base = config.pasta_sistema.empty() ? "." : config.pasta_sistema;
  return (fs::path(base) / "ECF").string();
}

EcfEmulador::EcfEmulador(std::string pasta) : pasta_(std::move(pasta)) {}

std::string EcfEmulador::ArquivoDeEstado() const {
  return (fs::path(pasta_) / kArquivoEstado).string();
}
std::string EcfEmulador::ArquivoDaBobina() const {
  return (fs::path(pasta_) / kArquivoBobina).string();
}

bool EcfEmulador::Instalado() const { return fs::exists(ArquivoDeEstado()); }

void EcfEmulador::Instalar(const IdentificacaoEcf& identificacao) {
  EstadoEcf estado;
  estado.identificacao = identificacao;
  Instalar(estado);
}

void EcfEmulador::Instalar(const EstadoEcf& estado) {
  if (estado.identificacao.aliquotas.size() > static_cast<size_t>(kTotalizadoresDeAliquota)) {
    Falhar(kErroParametro);
  }
  std::error_code ec;
  fs::create_directories(pasta_, ec);
  fs::remove(ArquivoDaBobina(), ec);  // a new printer starts a new roll
  Gravar(estado);
}

EstadoEcf EcfEmulador::Carregar() const {
  std::ifstream in(ArquivoDeEstado(), std::ios::binary);
  if (!in) {
    throw bp::Erro(kRegistroNaoEncontrado, bp::RetornaDescricaoErro(kRegistroNaoEncontrado),
                   kOrigem + std::string(" (") + ArquivoDeEstado() + ")");
  }
  std::ostringstream texto;
  texto << in.rdbuf();
  return LerEstadoEcf(texto.str());
}

void EcfEmulador::Gravar(const EstadoEcf& estado) const {
  // Written beside and renamed over, so a reader never sees half a state.
  const std::string destino = ArquivoDeEstado();
  const std::string temporario = destino + ".novo";
  {
    std::ofstream out(temporario, std::ios::binary | std::ios::trunc);
    out << EscreverEstadoEcf(estado);
    if (!out.flush()) throw bp::RuntimeErro(bp::rt::kDeviceIoError, temporario);
  }
  std::error_code ec;
  fs::rename(temporario, destino, ec);
  if (ec) throw bp::RuntimeErro(bp::rt::kDeviceIoError, destino);
}

void EcfEmulador::AnexarNaBobina(const std::vector<std::string>& linhas) const {
  std::ofstream out(ArquivoDaBobina(), std::ios::binary | std::ios::app);
  for (const std::string& l : linhas) out << l << '\n';
  if (!out.flush()) throw bp::RuntimeErro(bp::rt::kDeviceIoError, ArquivoDaBobina());
}

void EcfEmulador::VerificarFalha(const EstadoEcf& estado, bool imprime) {
  switch (estado.falha) {
    case FalhaEcf::kDesligada:
      Falhar(kErroDesligada);
    case FalhaEcf::kComunicacao:
      Falhar(kErroComunicacao);
    case FalhaEcf::kSemPapel:
      if (imprime) Falhar(kErroStatus);
      return;
    case FalhaEcf::kNenhuma:
      return;
  }
}

EstadoEcf EcfEmulador::Estado() const { return Carregar(); }

void EcfEmulador::DefinirFalha(FalhaEcf falha) {
  EstadoEcf e = Carregar();
  e.falha = falha;
  Gravar(e);
}

std::string EcfEmulador::Cd_IdentificacaoECF() const {
  const EstadoEcf e = Carregar();
  VerificarFalha(e, false);
  return e.identificacao.cd_identificacao;
}

bp::DateTime EcfEmulador::Dt_Movimento() const {
  const EstadoEcf e = Carregar();
  VerificarFalha(e, false);
  return e.dt_movimento;
}

std::optional<ReducaoZEmulada> EcfEmulador::UltimaReducaoZ() const {
  const EstadoEcf e = Carregar();
  VerificarFalha(e, false);
  return e.ultima_reducao_z;
}

CupomRegistrado EcfEmulador::RegistrarCupom(bp::DateTime quando, const VendaEmulada& venda) {
  EstadoEcf e = Carregar();
  VerificarFalha(e, true);
  AbrirDiaSeFechado(e, quando, "RegistrarCupom");
  const Destino destino = DestinoDaVenda(e, venda.totalizador);
  if (venda.valor <= bp::Money() || venda.desconto < bp::Money() || venda.desconto > venda.valor) {
    Falhar(kErroParametro, kOrigem + std::string(".RegistrarCupom"));
  }
  CupomRegistrado r;
  r.cancelamentos_antes = e.dia.cancelamentos_icms + e.dia.cancelamentos_iss;
  r.gt_antes = e.gt;
  r.dt_movimento = e.dt_movimento;
  r.coo = ++e.contadores.coo;
  r.ccf = ++e.contadores.ccf;
  const bp::Money liquido = venda.valor - venda.desconto;
  if (venda.cancelado) {
    ++e.contadores.cfc;
    (destino.iss ? e.dia.cancelamentos_iss : e.dia.cancelamentos_icms) += liquido;
  } else {
    // The grand total and the gross sale count the amount before discount.
    e.gt += venda.valor;
    *destino.total += liquido;
    (destino.iss ? e.dia.descontos_iss : e.dia.descontos_icms) += venda.desconto;
  }

  std::vector<std::string> l = Cabecalho(e, quando, r.coo);
  l.push_back(std::string(venda.cancelado ? kTituloCupomCancelado : kTituloCupom) +
              "  CCF:" + Seis(r.ccf));
  l.push_back("TOTAL " + venda.totalizador + "  R$ " + Valor(liquido));
  Juntar(l, Rodape(e));
  AnexarNaBobina(l);
  Gravar(e);
  return r;
}

EcfEmulador::NaoFiscalRegistrado EcfEmulador::RegistrarSangria(bp::DateTime quando, bp::Money valor,
                                                               bool suprimento) {
  EstadoEcf e = Carregar();
  VerificarFalha(e, true);
  if (valor <= bp::Money()) Falhar(kErroParametro, kOrigem + std::string(".RegistrarSangria"));
  AbrirDiaSeFechado(e, quando, "RegistrarSangria");
  NaoFiscalRegistrado r;
  r.coo = ++e.contadores.coo;
  r.gnf = ++e.contadores.gnf;
  r.dt_movimento = e.dt_movimento;
  (suprimento ? e.dia.suprimento : e.dia.sangria) += valor;
  std::vector<std::string> l = Cabecalho(e, quando, r.coo);
  l.push_back(std::string(kTituloNaoFiscal) + "  GNF:" + Seis(r.gnf));
  l.push_back(std::string(suprimento ? "SUPRIMENTO" : "SANGRIA") + "  R$ " + Valor(valor));
  Juntar(l, Rodape(e));
  AnexarNaBobina(l);
  Gravar(e);
  return r;
}

int32_t EcfEmulador::ImprimirRelatorioGerencial(bp::DateTime quando, const std::string& titulo,
                                                const std::vector<std::string>& linhas) {
  EstadoEcf e = Carregar();
  VerificarFalha(e, true);
  // A report prints inside the open day; with none open it starts no day of
  // its own, so there is still nothing for a Z reduction to close.
  RecusarDiaReduzido(e, quando, "ImprimirRelatorioGerencial");
  const int32_t coo = ++e.contadores.coo;
  ++e.contadores.grg;
  std::vector<std::string> l = Cabecalho(e, quando, coo);
  l.push_back(kTituloRelatorio);
  l.push_back(titulo);
  Juntar(l, linhas);
  Juntar(l, Rodape(e));
  AnexarNaBobina(l);
  Gravar(e);
  return coo;
}

ReducaoZEmulada EcfEmulador::ImprimirReducaoZ(bp::DateTime quando) {
  EstadoEcf e = Carregar();
  VerificarFalha(e, true);
  // A Z reduction closes the open day: with none open there is nothing to
  // reduce, and a second Z of a day is refused.
  if (e.dt_movimento.IsEmpty())
    Falhar(kErroComandoRecusado, kOrigem + std::string(".ImprimirReducaoZ"));
  ++e.contadores.coo;
  ++e.contadores.crz;
  ReducaoZEmulada z;
  z.dt_movimento = e.dt_movimento;
  z.dt_emissao = quando;
  z.contadores = e.contadores;
  z.gt_final = e.gt;
  z.venda_bruta = e.gt - e.gt_inicio_dia;
  z.aliquotas_usadas = static_cast<int32_t>(e.identificacao.aliquotas.size());
  for (size_t i = 0; i < e.identificacao.aliquotas.size(); ++i) {
    z.aliquotas[i] = e.identificacao.aliquotas[i];
  }
  z.totais = e.dia;

  AnexarNaBobina(TextoDaReducaoZ(e, z));
  e.ultima_reducao_z = z;
  e.dia = TotaisParciais{};
  e.dt_movimento = bp::DateTime();
  e.gt_inicio_dia = e.gt;
  Gravar(e);
  return z;
}

}  // namespace station
