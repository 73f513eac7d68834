// posto ecf: shows the emulated fiscal printer of a station database and
// switches its failures on and off.
#include <iostream>
#include <string>

#include "bp/erro.h"
#include "bp/format.h"
#include "cli/commands.h"
#include "cli/options.h"
#include "station/ecf_emulador.h"

namespace posto {
namespace {

int Usage() {
  std::cerr << "uso: posto ecf [--db BANCO] [estado]\n"
               "     posto ecf [--db BANCO] falha papel|desligada|comunicacao|nenhuma\n";
  return 2;
}

// The words that are neither an option nor an option's value.
Args Positional(const Args& args) {
  Args words;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i].rfind("--", 0) == 0) {
      if (i + 1 < args.size() && args[i + 1].rfind("--", 0) != 0) ++i;
      continue;
    }
    words.push_back(args[i]);
  }
  return words;
}

std::string Data(bp::DateTime d, const char* vazia) {
  return d.IsEmpty() ? vazia : bp::Format(d, "dd/mm/yyyy");
}

std::string Valor(bp::Money v) { return bp::Format(v, "#,##0.00"); }

void Show(const station::EcfEmulador& ecf) {
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
}

}  // namespace

int RunEcf(const Args& args) {
  const Options o(args);
  station::Configuracao config(o.db);
  config.pasta_sistema = o.Text("--pasta", "");
  station::EcfEmulador ecf(station::PastaDoEmulador(config));
  if (!ecf.Instalado()) {
    std::cerr << "Nenhuma impressora fiscal emulada em " << ecf.Pasta()
              << " (crie-a com posto station seed).\n";
    return 2;
  }
  Args words = Positional(args);
  if (!words.empty() && words[0] == "falha") words.erase(words.begin());
  if (words.empty() || words[0] == "estado") {
    if (words.size() > 1) return Usage();
    Show(ecf);
    return 0;
  }
  const auto falha = station::FalhaPeloNome(words[0]);
  if (!falha || words.size() > 1) return Usage();
  ecf.DefinirFalha(*falha);
  std::cout << "Falha da impressora: " << station::NomeDaFalha(*falha) << "\n";
  return 0;
}

}  // namespace posto
