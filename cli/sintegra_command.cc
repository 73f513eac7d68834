// posto sintegra and posto gam: the monthly SINTEGRA and GAM files; posto
// estoque consolidar: the stock at a date into EstoqueConsolidado.
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "bp/andamento.h"
#include "bp/bp_exportacao_gam.h"
#include "bp/bp_exportacao_sintegra.h"
#include "bp/format.h"
#include "bp/registry.h"
#include "cli/banco.h"
#include "cli/commands.h"
#include "cli/destino.h"
#include "station/session/sessao.h"

namespace posto {
namespace {

bp::DateTime Data(const Options& o, const std::string& nome) {
  const std::optional<bp::DateTime> data = o.Moment(nome);
  if (!data) throw UsageError("informe " + nome);
  return data->DatePart();
}

// Runs Validar and the export of one of the two classes, as a host would.
template <class Classe>
int Exportar(const Options& o, const char* progid, const char* nome, bool (Classe::*exportar)()) {
  const bp::DateTime de = Data(o, "--de");
  const bp::DateTime ate = Data(o, "--ate");
  AmbienteDoArquivo ambiente(o);
  std::shared_ptr<station::Sessao> sessao = SessaoDaEmpresa(o);
  auto classe = bp::CreateObject<Classe>(progid);
  classe->SetObBOSistema(sessao);
  classe->SetDt_Inicial(de);
  classe->SetDt_Final(ate);
  classe->SetDs_Caminho(ambiente.Caminho());
  classe->SetNm_Funcionario(o.Text("--contato", ""));
  classe->SetIc_Retificacao(o.Has("--retificacao") ? bp::Tp_BytesimNao::sim
                                                   : bp::Tp_BytesimNao::Nao);
  if (!classe->Validar()) {
    const bool periodo = classe->Nm_CampoErroCritica() == "Dt_Inicial";
    throw Failure(std::string("arquivo ") + nome + " não gravado: corrija " +
                  (periodo ? "--de e --ate" : "--arquivo") + " (veja a mensagem acima)");
  }
  if (!((*classe).*exportar)()) {
    throw Failure(std::string("arquivo ") + nome + " não gravado por completo (veja a mensagem " +
                  "acima)");
  }
  ambiente.Gravado();
  std::cout << "Arquivo " << nome << " de " << bp::Format(de, "dd/mm/yyyy") << " a "
            << bp::Format(ate, "dd/mm/yyyy") << " gravado: " << ambiente.Caminho() << " ("
            << LinhasDoArquivo(ambiente.Caminho()) << " registros)\n";
  return 0;
}

int Sintegra(const Options& o) {
  return Exportar<bp::BPExportacaoSintegra>(o, "BP.BPExportacaoSintegra", "SINTEGRA",
                                            &bp::BPExportacaoSintegra::ExportaSintegra);
}

int Gam(const Options& o) {
  return Exportar<bp::BPExportacaoGam>(o, "BP.BPExportacaoGam", "GAM",
                                       &bp::BPExportacaoGam::ExportaGAM);
}

int Consolidar(const Options& o) {
  const bp::DateTime data = Data(o, "--data");
  AmbienteDoComando ambiente(o);
  std::shared_ptr<station::Sessao> sessao = SessaoDaEmpresa(o);
  auto classe = bp::CreateObject<bp::BPExportacaoSintegra>("BP.BPExportacaoSintegra");
  classe->SetObBOSistema(sessao);
  bp::Andamento janela;
  janela.SetCaption("Consolidando o estoque");
  janela.Show();
  classe->PreparaEstoqueConsolidado(data, true, false, &janela);
  janela.Unload();
  const int32_t produtos =
      sessao->Dal()
          .Conexao()
          .Query(
              "SELECT COUNT(*) FROM EstoqueConsolidado WHERE Cd_PessoaUsuaria = ? AND "
              "Dt_Referencia = ?",
              {bp::Value(sessao->Cd_PessoaUsuaria()), bp::Value(data)})
          .Field(0)
          .ToInt32();
  std::cout << "Estoque consolidado em " << bp::Format(data, "dd/mm/yyyy") << ": " << produtos
            << " produto(s).\n";
  return 0;
}

std::vector<Option> OpcoesDoPeriodo() {
  return {kOpcaoDb,
          kOpcaoEmpresa,
          Moment("--de", "primeiro dia do período"),
          Moment("--ate", "último dia do período, no mesmo mês"),
          kOpcaoArquivo,
          Flag("--retificacao", "o arquivo retifica um já entregue"),
          Text("--contato", "NOME", "pessoa de contato do registro 11"),
          kOpcaoNow,
          kOpcaoSim};
}

}  // namespace

std::vector<Command> ComandosSintegra() {
  return {
      {"sintegra",
       "Grava o arquivo SINTEGRA de um mês (registros 10, 11, 50, 53, 54, 60, 74, 75 e 90).",
       OpcoesDoPeriodo(),
       {},
       Sintegra},
      {"gam",
       "Grava o arquivo GAM de um mês (notas recebidas, produtos e registros 88 de combustíveis).",
       OpcoesDoPeriodo(),
       {},
       Gam},
      {"estoque consolidar",
       "Consolida o estoque de cada produto em uma data (a partir da última consolidação).",
       {kOpcaoDb, kOpcaoEmpresa, Moment("--data", "data da consolidação"), kOpcaoNow},
       {},
       Consolidar},
  };
}

}  // namespace posto
