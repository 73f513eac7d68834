// posto dia abrir | fechar: opens or closes the fiscal day of a station
// database on its emulated fiscal printer, then says what happened.
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "bp/bp_abrir_dia.h"
#include "bp/erro.h"
#include "bp/format.h"
#include "bp/host/unit_of_work.h"
#include "bp/registry.h"
#include "cli/ambiente.h"
#include "cli/banco.h"
#include "cli/commands.h"
#include "station/fiscal/cupom_fiscal.h"
#include "station/fiscal/ecf_emulador.h"
#include "station/fiscal/impressora_fiscal.h"
#include "station/session/sessao.h"

namespace posto {
namespace {

namespace fs = std::filesystem;

std::string Data(bp::DateTime d) { return bp::Format(d, "dd/mm/yyyy"); }

// The system folder: --pasta, or the folder that holds a database file.
std::string PastaDoSistema(const Options& o) {
  if (o.Has("--pasta")) return o.Text("--pasta", ".");
  if (bp::db::IsServerTarget(Banco(o))) return ".";
  const fs::path pasta = fs::absolute(Banco(o)).parent_path();
  return pasta.empty() ? "." : pasta.string();
}

// What the station's front end holds while a fiscal day opens or closes: the
// session, its printer, the workstation's ECF record and the coupon object.
struct Estacao {
  explicit Estacao(const Options& o) {
    station::Configuracao config(Banco(o));
    config.cd_pessoa_usuaria = o.Int("--empresa", 1);
    config.pasta_sistema = PastaDoSistema(o);
    sessao = AbrirSessao(config, UsoDoBanco::kNaVersaoDaBiblioteca);
    impressora = std::make_unique<station::ImpressoraFiscal>(*sessao, station::PastaDoEmulador(config));
    cupom = std::make_unique<station::CupomFiscal>(*sessao);
    ecf = sessao->CriarECF();
    ecf->SetObBOSistema(sessao);
    ecf->Registro().Cd_PessoaUsuaria = sessao->Cd_PessoaUsuaria();
    ecf->Registro().No_Impressora = sessao->ObDAL().NumeroECF();
    bp::host::UnitOfWork work(*sessao, "posto.dia");
    ecf->Carregar();
    work.End();
    // Folders an installation of the station provides: the movement files'
    // and the error log's beside the program.
    fs::create_directories(bp::PastaArquivosMovimentoECF(config.pasta_sistema));
    fs::create_directories(fs::path(bp::Env::Current().ModuleFolder()) / "LogErros");
  }

  std::shared_ptr<station::Sessao> sessao;
  std::unique_ptr<station::ImpressoraFiscal> impressora;
  std::unique_ptr<station::CupomFiscal> cupom;
  std::unique_ptr<bp::host::BOECF> ecf;
  bp::host::BOSistemaRef Ref() const { return sessao; }
};

void MostrarArquivo(const bp::BPAbrirDia& dia) {
  if (!dia.ArquivoGerado().empty())
    std::cout << "Arquivo de movimento assinado: " << dia.ArquivoGerado() << "\n";
}

int Abrir(Estacao& e, bp::BPAbrirDia& dia) {
  bp::host::BOSistemaRef sessao = e.Ref();
  std::string mensagem;
  bp::Tp_EdicaoEnum edicao = bp::Tp_EdicaoEnum::Tp_EdicaoInclusao;
  dia.AbrirDia(sessao, nullptr, e.ecf.get(), e.impressora.get(), e.cupom.get(), nullptr, mensagem,
               edicao);
  if (dia.UltimaReducaoZ().IsEmpty()) {
    std::cout << "A impressora não informou redução Z em " << dia.TentativasFeitas()
              << " tentativas: nada foi feito.\n";
    return 0;
  }
  std::cout << "Redução Z de " << Data(dia.UltimaReducaoZ()) << " gravada.\n"
            << "Cupons não concluídos excluídos: " << dia.CuponsExcluidos().size() << "\n";
  for (const bp::host::RegistroCupomFiscal& c : dia.CuponsExcluidos()) {
    std::cout << "  ECF " << static_cast<int>(c.No_Impressora) << " cupom " << c.No_CupomFiscal
              << " de " << Data(c.Dt_Emissao) << "\n";
  }
  MostrarArquivo(dia);
  return 0;
}

int Fechar(Estacao& e, bp::BPAbrirDia& dia) {
  bp::host::BOSistemaRef sessao = e.Ref();
  std::string mensagem;
  const bp::DateTime reducao =
      dia.FecharDia(sessao, nullptr, e.ecf.get(), e.impressora.get(), e.cupom.get(), nullptr, mensagem);
  if (reducao.IsEmpty())
    std::cout << "Dia fechado sem a data da redução Z.\n";
  else
    std::cout << "Dia fechado: redução Z de " << Data(reducao) << ".\n";
  MostrarArquivo(dia);
  if (dia.FalhasDoFechamento().empty()) return 0;
  bp::Env& env = bp::Env::Current();
  const std::string log = env.ModuleFolder() + bp::kPathSeparator + "LogErros" +
                          bp::kPathSeparator + bp::Format(env.Now(), "yyyy-mm-dd") + "Ret.log";
  for (const auto& falha : dia.FalhasDoFechamento()) {
    std::cout << "Passo " << falha.Passo << " falhou: " << bp::HexNumber(falha.erro.number) << " "
              << falha.erro.description << "\n  Fonte: " << falha.erro.source << "\n";
  }
  std::cout << "Falhas registradas em " << log << "\n";
  return 1;
}

int Dia(const Options& o, bool abrir) {
  AmbienteDoComando ambiente(o);
  Estacao estacao(o);
  auto dia = bp::CreateObject<bp::BPAbrirDia>("BP.BPAbrirDia");
  dia->SetObBOSistema(estacao.Ref());
  return abrir ? Abrir(estacao, *dia) : Fechar(estacao, *dia);
}

int AbrirDia(const Options& o) { return Dia(o, true); }
int FecharDia(const Options& o) { return Dia(o, false); }

}  // namespace

std::vector<Command> ComandosDia() {
  const Option pasta = Text("--pasta", "PASTA",
                            "pasta do sistema (padrão: a do arquivo do banco; \".\" num servidor)");
  return {
      {"dia abrir",
       "Abre o dia fiscal na impressora emulada do posto.",
       {kOpcaoDb, pasta, kOpcaoEmpresa, kOpcaoNow, kOpcaoSim}, {}, AbrirDia},
      {"dia fechar",
       "Fecha o dia fiscal na impressora emulada do posto.",
       {kOpcaoDb, pasta, kOpcaoEmpresa, kOpcaoNow, kOpcaoSim}, {}, FecharDia},
  };
}

}  // namespace posto
