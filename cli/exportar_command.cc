// posto exportar cupons: the fleet file of a receivable's coupons, in one of
// the three layouts; posto exportar produtos | estoque: the product register
// and the stock at a date.
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "bp/bp_exportacao_produtos.h"
#include "bp/bp_exportar_cupom_fiscal.h"
#include "bp/bp_exportar_estoque.h"
#include "bp/format.h"
#include "bp/registry.h"
#include "cli/ambiente.h"
#include "cli/banco.h"
#include "cli/commands.h"
#include "cli/destino.h"
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
  std::shared_ptr<station::Sessao> sessao = SessaoDaEmpresa(o);
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

// Runs Validar and an export of the product register or the stock, as a host
// would; `exportar` calls the class's export.
template <class Classe, class Exportacao>
int ExportarCadastro(const Options& o, const char* progid, const std::string& nome,
                     Exportacao exportar) {
  AmbienteDoArquivo ambiente(o);
  std::shared_ptr<station::Sessao> sessao = SessaoDaEmpresa(o);
  auto classe = bp::CreateObject<Classe>(progid);
  classe->SetObBOSistema(sessao);
  classe->SetDs_Caminho(ambiente.Caminho());
  if (!classe->Validar() || !exportar(*classe)) {
    throw Failure("arquivo " + nome + " não gravado por completo (veja a mensagem acima)");
  }
  ambiente.Gravado();
  std::cout << "Arquivo " << nome << " gravado: " << ambiente.Caminho() << " ("
            << LinhasDoArquivo(ambiente.Caminho()) << " registros)\n";
  return 0;
}

int ExportarProdutos(const Options& o) {
  return ExportarCadastro<bp::BPExportacaoProdutos>(
      o, "BP.BPExportacaoProdutos", "do cadastro de produtos",
      [](bp::BPExportacaoProdutos& c) { return c.ExportaProdutos(); });
}

int ExportarEstoque(const Options& o) {
  const std::optional<bp::DateTime> data = o.Moment("--data");
  if (!data) throw UsageError("informe --data");
  return ExportarCadastro<bp::BPExportarEstoque>(
      o, "BP.BPExportarEstoque", "do estoque em " + bp::Format(*data, "dd/mm/yyyy"),
      [&](bp::BPExportarEstoque& c) { return c.ExportarEstoque(data->DatePart()); });
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
      {"exportar produtos",
       "Grava o cadastro de produtos (registros P1, P2 e P9).",
       {kOpcaoDb, kOpcaoEmpresa, kOpcaoArquivo, kOpcaoNow, kOpcaoSim},
       {},
       ExportarProdutos},
      {"exportar estoque",
       "Grava o estoque de cada produto no fim de uma data (registros E1, E2 e E9).",
       {kOpcaoDb, kOpcaoEmpresa, Moment("--data", "data do estoque"), kOpcaoArquivo,
        kOpcaoNow, kOpcaoSim},
       {},
       ExportarEstoque},
  };
}

}  // namespace posto
