#include "bp/exportacao_de_registros.h"

#include <exception>

#include "bp/disco_removivel.h"
#include "bp/env.h"
#include "bp/erro.h"
#include "bp/erros.h"
#include "bp/names.h"
#include "exports/textos_exportacao.h"

namespace bp {

ExportacaoDeRegistros::ExportacaoDeRegistros(const char* classe)
    : classe_(classe), progresso_(classe) {}

ExportacaoDeRegistros::~ExportacaoDeRegistros() = default;

void ExportacaoDeRegistros::LetProperty(std::string_view name, const Value& value) {
  if (SameName(name, exportacao::kPropCaminho)) {
    ds_caminho_ = value.ToText();
  } else if (SameName(name, exportacao::kPropCampoErro)) {
    nm_campo_erro_critica_ = value.ToText();
  } else {
    RaiseNotSupported(name);
  }
}

Value ExportacaoDeRegistros::GetProperty(std::string_view name) const {
  if (SameName(name, exportacao::kPropCaminho)) return Value(ds_caminho_);
  if (SameName(name, exportacao::kPropCampoErro)) return Value(nm_campo_erro_critica_);
  RaiseNotSupported(name);
}

host::BORegistroSintegra& ExportacaoDeRegistros::Construtor() {
  if (!construtor_) {
    if (!ObBOSistema()) RaiseRuntime(rt::kObjectNotSet);
    construtor_ = ObBOSistema()->CriarRegistroSintegra();
    construtor_->SetObDAL(ObBOSistema()->ObDAL());
  }
  return *construtor_;
}

Andamento& ExportacaoDeRegistros::Janela() {
  if (!janela_) {
    janela_ = std::make_unique<Andamento>(Env::Current());
    progresso_.SetJanela(janela_.get());
  }
  return *janela_;
}

void ExportacaoDeRegistros::SetPercentual(int percentual) {
  if (percentual <= 0) percentual = 1;
  if (percentual > 100) percentual = 100;
  Janela();
  progresso_.SetPercentualAndamento(static_cast<uint8_t>(percentual));
}

bool ExportacaoDeRegistros::AbrirArquivo() {
  arquivo_ = AbrirDestino(ds_caminho_, Env::Current(), /*perguntar=*/true);
  return arquivo_ != nullptr;
}

bool ExportacaoDeRegistros::Escrever(const host::RegistrosSintegra& registros) {
  if (!registros.Ic_Sucesso) return false;
  if (!registros.Tx_Registros.empty()) {
    if (!arquivo_) RaiseRuntime(rt::kBadFileNameOrNumber);
    arquivo_->WriteLine(registros.Tx_Registros);
  }
  return true;
}

void ExportacaoDeRegistros::Aviso(const std::string& titulo, const std::string& texto) {
  MessageBoxRequest aviso;
  aviso.text = texto;
  aviso.caption = titulo;
  aviso.buttons = Buttons::Ok;
  aviso.icon = Icon::Exclamation;
  Env::Current().MessageBox(aviso);
}

bool ExportacaoDeRegistros::Passo(bool ok, const std::string& titulo, const std::string& texto) {
  if (!ok) Aviso(titulo, texto);
  return ok;
}

bool ExportacaoDeRegistros::Executar(const char* proc, const std::function<bool()>& corpo) {
  try {
    const bool escrito = corpo();
    Encerrar();
    return escrito;
  } catch (...) {
    const Erro erro = ToErro(std::current_exception());
    try {
      Encerrar();
    } catch (...) {
      // The failure that got here is the one to report.
    }
    GravaLogEMostraErro(erro.number, erro.description, erro.source, proc, true,
                        Env::Current().ModuleName() + ".log");
    return false;
  }
}

void ExportacaoDeRegistros::Encerrar() {
  std::unique_ptr<TextFile> aberto = std::move(arquivo_);
  if (janela_) {
    janela_->Unload();
    janela_.reset();
  }
  progresso_.SetJanela(nullptr);
  if (aberto) aberto->Close();
}

}  // namespace bp
