#include "bp/bp_exportar_movimento_ecf.h"

#include <string>

#include "bp/criptografia.h"
#include "bp/disco_removivel.h"
#include "bp/env.h"
#include "bp/host/bo_empresa_usuaria.h"
#include "bp/host/bo_reducao_z.h"
#include "bp/host/data_access.h"
#include "bp/host/unit_of_work.h"
#include "bp/names.h"
#include "bp/registry.h"
#include "bp/trap.h"
#include "fiscal/objeto_obrigatorio.h"
#include "fiscal/textos_fiscais.h"

namespace bp {
namespace {

using fiscal::kBPExportarMovimentoECF;

constexpr const char* kPropCaminho = "Ds_Caminho";
constexpr const char* kPropCampoErro = "Nm_CampoErroCrítica";

// Appends one record type's text (nothing when it is empty); a type the
// writer could not build is shown in a box and ends the export.
bool Acrescentar(TextFile& arquivo, int tipo, const host::RegistroMovimento& registro, Env& env) {
  if (!registro.Ic_Sucesso) {
    MessageBoxRequest aviso;
    aviso.text = fiscal::kErroRegistrosInicio + std::to_string(tipo) + ".";
    aviso.caption = fiscal::kErroRegistrosTitulo;
    aviso.buttons = Buttons::Ok;
    aviso.icon = Icon::Exclamation;
    env.MessageBox(aviso);
    return false;
  }
  if (!registro.Tx_Registros.empty()) arquivo.WriteLine(registro.Tx_Registros);
  return true;
}

}  // namespace

BPExportarMovimentoECF::BPExportarMovimentoECF() : progresso_(kBPExportarMovimentoECF) {}
BPExportarMovimentoECF::~BPExportarMovimentoECF() = default;

const ClassInfo& BPExportarMovimentoECF::Info() const { return typelib::BPExportarMovimentoECF(); }

bool BPExportarMovimentoECF::Validar() {
  return Direct(kBPExportarMovimentoECF, "Validar", [] { return true; });
}

void BPExportarMovimentoECF::OnSessionSet() {
  const host::BOSistemaRef& sessao = ObBOSistema();
  if (!sessao) return;
  if (!escritor_) escritor_ = sessao->CriarRegistroMovimentoECF();
  escritor_->SetObDAL(sessao->ObDAL());
}

void BPExportarMovimentoECF::LetProperty(std::string_view name, const Value& value) {
  if (SameName(name, kPropCaminho)) {
    ds_caminho_ = value.ToText();
  } else if (SameName(name, kPropCampoErro)) {
    nm_campo_erro_critica_ = value.ToText();
  } else {
    RaiseNotSupported(name);
  }
}

Value BPExportarMovimentoECF::GetProperty(std::string_view name) const {
  if (SameName(name, kPropCaminho)) return Value(ds_caminho_);
  if (SameName(name, kPropCampoErro)) return Value(nm_campo_erro_critica_);
  RaiseNotSupported(name);
}

bool BPExportarMovimentoECF::ExportarMovimentoECF(const DateTime& Dt_Inicial,
                                                  const DateTime& Dt_Final,
                                                  const bool& Ic_ConfirmarAntesDeSobrescreverArquivo,
                                                  host::BOECF* ObBOECF) {
  std::unique_ptr<TextFile> arquivo;
  return Capture(
      kBPExportarMovimentoECF, "ExportarMovimentoECF",
      [&] {
        const bool escrito =
            Exportar(Dt_Inicial, Dt_Final, Ic_ConfirmarAntesDeSobrescreverArquivo,
                     fiscal::Obrigatorio(ObBOECF, "ObBOECF"), arquivo);
        Encerrar(arquivo);
        return escrito;
      },
      [&] { Encerrar(arquivo); });
}

void BPExportarMovimentoECF::Encerrar(std::unique_ptr<TextFile>& arquivo) {
  if (arquivo) {
    std::unique_ptr<TextFile> aberto = std::move(arquivo);
    aberto->Close();
  }
  if (janela_) {
    janela_->Unload();
    janela_.reset();
  }
  progresso_.SetJanela(nullptr);
}

bool BPExportarMovimentoECF::Exportar(const DateTime& Dt_Inicial, const DateTime& Dt_Final,
                                      bool confirmar, host::BOECF& ecf,
                                      std::unique_ptr<TextFile>& arquivo) {
  Env& env = Env::Current();
  host::BOSistema& sessao = fiscal::Sessao(ObBOSistema());
  const std::string origem = host::Origem(kBPExportarMovimentoECF, "ExportarMovimentoECF");

  // The identification of the ECF and its last Z reduction, handed to the
  // record writer as read.
  host::DadosReducaoZ d;
  std::string serie;
  {
    std::unique_ptr<host::BOReducaoZ> reducao = sessao.CriarReducaoZ();
    reducao->SetObBOSistema(ObBOSistema());
    host::UnitOfWork work(sessao, origem);
    reducao->CarregarUltimaReducaoZ(sessao.Cd_PessoaUsuaria(), ecf.Registro().No_Impressora);
    d = reducao->Dados();
    std::string cifrada = ecf.Registro().No_SerieCriptografada;
    serie = Desencriptar(cifrada);
    work.End();
  }

  OferecerApagarDisco(ds_caminho_, env);

  janela_ = std::make_unique<Andamento>(env);
  progresso_.SetJanela(janela_.get());
  janela_->Show();
  janela_->DoEvents();

  progresso_.SetPercentualAndamento(0);
  progresso_.SetDescricaoAndamento(fiscal::kAbrindoArquivo);
  progresso_.SetTituloAndamento(fiscal::kTituloExportacao);
  arquivo = AbrirDestino(ds_caminho_, env, confirmar);
  if (!arquivo) return false;

  host::BORegistroMovimentoECF& escritor = fiscal::Obrigatorio(escritor_.get(), "BORegistroMovimentoECF");
  const std::string& mf = d.Ds_LetraIndicativaMemoriaAdicional;
  const std::string& modelo = d.Ds_ModeloECF;
  const int32_t usuario = d.No_OrdemUsuario;

  progresso_.SetDescricaoAndamento(fiscal::kExportandoR01);
  progresso_.SetPercentualAndamento(100);
  {
    host::UnitOfWork work(sessao, origem);
    sessao.EmpresaUsuaria().Carregar();
    work.End();
  }
  if (!Acrescentar(*arquivo, 1,
                   escritor.R01(Dt_Inicial, Dt_Final, serie, mf, d.Ds_TipoECF, d.Ds_MarcaECF,
                                modelo, d.Ds_VersaoSoftwareBasicoECF, d.Dt_InstalacaoSoftwareECF,
                                d.No_Impressora, d.No_CnpjEmpresaUsuariaECF,
                                d.Cd_IEstadualEmpresaUsuariaECF),
                   env))
    return false;

  for (int tipo = 2; tipo <= 7; ++tipo) {
    progresso_.SetDescricaoAndamento(fiscal::kExportandoTipo + std::to_string(tipo));
    progresso_.SetPercentualAndamento(100);
    host::RegistroMovimento registro;
    switch (tipo) {
      case 2:
        registro = escritor.R02(Dt_Inicial, Dt_Final, serie, mf, modelo, d.Ic_PermiteDescontoISS);
        break;
      case 3:
        registro = escritor.R03(Dt_Inicial, Dt_Final, serie, mf, modelo);
        break;
      case 4:
        registro = escritor.R04(d.No_Impressora, Dt_Inicial, Dt_Final, serie, mf, modelo, usuario);
        break;
      case 5:
        registro = escritor.R05(ecf.Registro(), d.No_Impressora, Dt_Inicial, Dt_Final, serie, mf,
                                modelo, usuario);
        break;
      case 6:
        registro = escritor.R06(ecf.Registro(), d.No_Impressora, Dt_Inicial, Dt_Final, serie, mf,
                                modelo, usuario);
        break;
      default:
        registro = escritor.R07(ecf.Registro(), d.No_Impressora, Dt_Inicial, Dt_Final, serie, mf,
                                modelo, usuario);
        break;
    }
    if (!Acrescentar(*arquivo, tipo, registro, env)) return false;
  }
  return true;
}

namespace classes {
void RegisterBPExportarMovimentoECF() {
  RegisterClass(typelib::BPExportarMovimentoECF(),
                [] { return std::make_unique<BPExportarMovimentoECF>(); });
}
}  // namespace classes

}  // namespace bp
