// posto ecf: shows the emulated fiscal printer of a station database;
// posto ecf falha: switches its failures on and off.
#include <iostream>
#include <string>
#include <vector>

#include "bp/db/connection.h"
#include "bp/format.h"
#include "cli/banco.h"
#include "cli/commands.h"
#include "cli/csv.h"
#include "station/fiscal/ecf_emulador.h"

namespace posto {
namespace {

const Option kOpcaoPasta =
    Text("--pasta", "PASTA", "pasta do sistema, onde fica a impressora de um banco num servidor");

std::string Data(bp::DateTime d, const char* vazia) {
  return d.IsEmpty() ? vazia : bp::Format(d, "dd/mm/yyyy");
}

std::string Valor(bp::Money v) { return bp::Format(v, "#,##0.00"); }

// The printer of the station database named by the command, which must exist.
station::EcfEmulador Impressora(const Options& o) {
  station::Configuracao config(Banco(o));
  config.pasta_sistema = o.Text("--pasta", "");
  AbrirBanco(config.banco, UsoDoBanco::kQualquerVersao);
  station::EcfEmulador ecf(station::PastaDoEmulador(config));
  if (!ecf.Instalado()) {
    throw Failure("Nenhuma impressora fiscal emulada em " + ecf.Pasta() +
                  " (crie-a com posto station seed).");
  }
  return ecf;
}

void Csv(const station::EcfEmulador& ecf) {
  const station::EstadoEcf e = ecf.Estado();
  const station::IdentificacaoEcf& id = e.identificacao;
  const station::Contadores& c = e.contadores;
  const auto n = [](int32_t v) { return std::to_string(v); };
  const auto valor = [](bp::Money v) { return bp::Format(v, "0.00"); };
  std::cout << LinhaCsv({"ECF", "Identificação", "Série", "Marca", "Modelo", "Tipo", "Versão SB",
                         "CNPJ do usuário", "Dia fiscal aberto", "COO", "CCF", "CRZ", "CRO", "GNF",
                         "GRG", "CDC", "Grande total", "Venda do dia", "Última redução Z", "Falha"})
            << LinhaCsv({n(id.no_impressora), id.cd_identificacao, id.no_serie, id.marca, id.modelo,
                         id.tipo, id.versao_sb, id.cnpj_usuario, Data(e.dt_movimento, ""), n(c.coo),
                         n(c.ccf), n(c.crz), n(c.cro), n(c.gnf), n(c.grg), n(c.cdc), valor(e.gt),
                         valor(e.gt - e.gt_inicio_dia),
                         e.ultima_reducao_z ? Data(e.ultima_reducao_z->dt_movimento, "") : "",
                         station::NomeDaFalha(e.falha)});
}

int Mostrar(const Options& o) {
  const station::EcfEmulador ecf = Impressora(o);
  if (o.Has("--csv")) {
    Csv(ecf);
    return 0;
  }
  const station::EstadoEcf e = ecf.Estado();
  const station::IdentificacaoEcf& id = e.identificacao;
  const station::Contadores& c = e.contadores;
  std::cout << "Impressora fiscal emulada em " << ecf.Pasta() << "\n"
            << "ECF " << bp::Format(static_cast<int32_t>(id.no_impressora), "000")
            << "  identificação " << id.cd_identificacao << "  série " << id.no_serie << "\n"
            << id.marca << " " << id.modelo << " (" << id.tipo << ", SB " << id.versao_sb
            << ")  usuário " << id.cnpj_usuario << "\n"
            << "Dia fiscal aberto: " << Data(e.dt_movimento, "nenhum") << "\n"
            << "COO " << c.coo << "  CCF " << c.ccf << "  CRZ " << c.crz << "  CRO " << c.cro
            << "  GNF " << c.gnf << "  GRG " << c.grg << "  CDC " << c.cdc << "\n"
            << "Grande total: " << Valor(e.gt)
            << "  venda do dia: " << Valor(e.gt - e.gt_inicio_dia) << "\n";
  if (e.ultima_reducao_z) {
    const station::ReducaoZEmulada& z = *e.ultima_reducao_z;
    std::cout << "Última redução Z: " << Data(z.dt_movimento, "") << " (emitida "
              << bp::Format(z.dt_emissao, "dd/mm/yyyy hh:nn:ss") << ", CRZ " << z.contadores.crz
              << ", GT " << Valor(z.gt_final) << ")\n";
  } else {
    std::cout << "Última redução Z: nenhuma\n";
  }
  std::cout << "Falha: " << station::NomeDaFalha(e.falha) << "\n"
            << "Bobina: " << ecf.ArquivoDaBobina() << "\n";
  return 0;
}

int Falha(const Options& o) {
  const auto falha = station::FalhaPeloNome(o.Argument(0));
  if (!falha) throw UsageError("falha desconhecida: " + o.Argument(0));
  station::EcfEmulador ecf = Impressora(o);
  ecf.DefinirFalha(*falha);
  std::cout << "Falha da impressora: " << station::NomeDaFalha(*falha) << "\n";
  return 0;
}

}  // namespace

std::vector<Command> ComandosEcf() {
  return {
      {"ecf", "Mostra a impressora fiscal emulada do banco.",
       {kOpcaoDb, kOpcaoPasta, kOpcaoCsv}, {}, Mostrar},
      {"ecf falha", "Liga ou desliga uma falha da impressora emulada.",
       {kOpcaoDb, kOpcaoPasta},
       {{"TIPO", "papel, desligada, comunicacao ou nenhuma"}},
       Falha},
  };
}

}  // namespace posto
