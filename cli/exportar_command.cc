// posto exportar cupons: the fleet file of a receivable's coupons, in one of
// the three layouts.
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "bp/bp_exportar_cupom_fiscal.h"
#include "bp/registry.h"
#include "cli/ambiente.h"
#include "cli/banco.h"
#include "cli/commands.h"
#include "station/session/sessao.h"

namespace posto {
namespace {

int ExportarCupons(const Options& o) {
  AmbienteDoComando ambiente(o);
  if (!o.Has("--conta") || !o.Has("--tipo") || !o.Has("--pasta"))
    throw UsageError("informe --conta, --tipo e --pasta");
  const int32_t tipo = o.Int("--tipo", 0);
  if (tipo != bp::kArquivoCupomTexto && tipo != bp::kArquivoCupomAnalitico &&
      tipo != bp::kArquivoCupomSintetico)
    throw UsageError("--tipo deve ser 201, 101 ou 102");
  station::Configuracao config(Banco(o));
  config.cd_pessoa_usuaria = o.Int("--empresa", 1);
  std::shared_ptr<station::Sessao> sessao = AbrirSessao(config, UsoDoBanco::kNaVersaoDaBiblioteca);
  auto exportador = bp::CreateObject<bp::BPExportarCupomFiscal>("BP.BPExportarCupomFiscal");
  exportador->SetObBOSistema(sessao);
  exportador->SetCd_ContaAReceber(o.Int("--conta", 0));
  exportador->SetDs_Path(o.Text("--pasta", "."));
  bp::Andamento janela;
  exportador->Exportar(&janela, tipo);
  janela.Unload();
  std::cout << exportador->Nm_ArqDestino() << "\n";
  return 0;
}

}  // namespace

std::vector<Command> ComandosExportar() {
  return {
      {"exportar cupons",
       "Grava o arquivo dos abastecimentos de uma conta a receber: 201 texto por veículo, 101 "
       "CSV analítico, 102 CSV sintético.",
       {kOpcaoDb, kOpcaoEmpresa, Integer("--conta", "N", "a conta a receber"),
        Integer("--tipo", "N", "201, 101 ou 102"), Text("--pasta", "PASTA", "pasta de destino"),
        kOpcaoNow, kOpcaoSim},
       {},
       ExportarCupons},
  };
}

}  // namespace posto
