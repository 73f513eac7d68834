#include "bp/bp_mt_liberar_bico.h"

#include <string>

#include "bp/env.h"
#include "bp/erro.h"
#include "bp/modulo.h"
#include "bp/names.h"
#include "bp/registry.h"
#include "bp/trap.h"
#include "forecourt/mascara.h"
#include "forecourt/objetos_liberacao.h"
#include "forecourt/passos_liberar_bico.h"
#include "forecourt/textos_mt.h"

namespace bp {

using forecourt::kClasseDialogo;

namespace {

bool TerminaCom(const std::string& texto, char tecla) {
  return !texto.empty() && texto.back() == tecla;
}

}  // namespace

BPMTLiberarBico::BPMTLiberarBico() : objetos_(std::make_unique<forecourt::ObjetosLiberacao>()) {}
BPMTLiberarBico::~BPMTLiberarBico() = default;

const ClassInfo& BPMTLiberarBico::Info() const { return typelib::BPMTLiberarBico(); }

void BPMTLiberarBico::OnSessionSet() {
  objetos_->EntregarSessao(ObBOSistema());
  regras_.SetObBOSistema(ObBOSistema());
}

bool BPMTLiberarBico::BufferTemEnter(const std::string& texto) { return TerminaCom(texto, kTeclaEnter); }
bool BPMTLiberarBico::BufferTemEsc(const std::string& texto) { return TerminaCom(texto, kTeclaEsc); }
bool BPMTLiberarBico::BufferTemBackSpace(const std::string& texto) {
  return TerminaCom(texto, kTeclaBackspace);
}

bool BPMTLiberarBico::DeveProcessarAtualizacaoBuffer(const std::string& texto) {
  return !BufferTemEnter(texto) && !BufferTemEsc(texto);
}

bool BPMTLiberarBico::DeveProcessarAndamento(const std::string& texto) {
  return BufferTemEnter(texto) || BufferTemEsc(texto);
}

size_t BPMTLiberarBico::Indice(int16_t No_MT) const {
  if (No_MT < 0 || static_cast<size_t>(No_MT) >= estados_.size())
    RaiseRuntime(rt::kSubscriptOutOfRange, "No_MT " + std::to_string(No_MT));
  return static_cast<size_t>(No_MT);
}

BPMTLiberarBico::EstadoMT& BPMTLiberarBico::Registro(int16_t No_MT) {
  return estados_[Indice(No_MT)];
}

const BPMTLiberarBico::EstadoMT& BPMTLiberarBico::Estado(int16_t No_MT) const {
  return estados_[Indice(No_MT)];
}

void BPMTLiberarBico::Atualizar(int16_t No_MT, const EstadoMT& estado) {
  AtualizarCih.Raise(No_MT, estado.No_Action, estado.No_Andamento, estado.Tx_Buffer,
                     estado.Tx_Linha1, estado.Tx_Linha2);
}

bool BPMTLiberarBico::Execute(int16_t No_MT, host::AcaoEnum No_Action, int16_t No_Andamento,
                              const std::string& Tx_Buffer, const std::string& /*Tx_Linha1*/,
                              const std::string& /*Tx_Linha2*/) {
  return Direct(kClasseDialogo, "Execute", [&] {
    if (DeveProcessarAtualizacaoBuffer(Tx_Buffer))
      ProcessarAtualizacaoBuffer(No_MT, No_Action, No_Andamento, Tx_Buffer);
    else if (DeveProcessarAndamento(Tx_Buffer))
      ProcessarAndamento(No_MT, No_Action, No_Andamento);
    // The main menu hands the terminal step 1 with nothing typed: the start.
    if (Tx_Buffer.empty() && No_Andamento == 1) ProcessarAndamento(No_MT, No_Action, No_Andamento);
    return true;
  });
}

bool BPMTLiberarBico::ProcessarAtualizacaoBuffer(int16_t No_MT, host::AcaoEnum /*No_Action*/,
                                                 int16_t /*No_Andamento*/,
                                                 const std::string& Tx_Buffer) {
  return Direct(kClasseDialogo, "ProcessarAtualizacaoBuffer", [&] {
    EstadoMT& estado = Registro(No_MT);
    if (Tx_Buffer == estado.Tx_Buffer) return true;

    if (!BufferTemBackSpace(Tx_Buffer)) {
      estado.Tx_Buffer = Tx_Buffer;
    } else if (Tx_Buffer.size() >= 2) {
      // Drops the Backspace and the character it erases.
      std::string sem_backspace = Tx_Buffer.substr(0, Tx_Buffer.size() - 1);
      size_t fim = sem_backspace.size() - 1;
      while (fim > 0 && (static_cast<unsigned char>(sem_backspace[fim]) & 0xC0) == 0x80) --fim;
      estado.Tx_Buffer = sem_backspace.substr(0, fim);
    } else {
      // Backspace with nothing typed leaves the dialogue.
      estado.No_Andamento = 0;
      estado.No_Action = host::AcaoEnum::AcaoMenuPrincipal;
      estado.Tx_Buffer.clear();
      estado.Tx_Linha1.clear();
      estado.Tx_Linha2.clear();
      Atualizar(No_MT, estado);
    }

    if (SameName(std::string_view(estado.Tx_Linha1).substr(0, 5), forecourt::kPrefixoSenha))
      estado.Tx_Linha2.assign(CharCount(estado.Tx_Buffer), '*');
    else
      estado.Tx_Linha2 = estado.Tx_Buffer;

    if (!estado.Tx_Mascara.empty()) {
      estado.Tx_Linha2 = forecourt::AplicarMascara(estado.Tx_Buffer, estado.Tx_Mascara);
    } else if (estado.Tx_Linha1 == forecourt::kPromptCpfCnpj) {
      const bool cpf = CharCount(estado.Tx_Buffer) < 12;
      estado.Tx_Linha2 = forecourt::AplicarMascara(
          estado.Tx_Buffer, cpf ? forecourt::kMascaraCpf : forecourt::kMascaraCnpj);
    }

    Atualizar(No_MT, estado);
    Env::Current().DoEvents();
    return true;
  });
}

bool BPMTLiberarBico::ProcessarAndamento(int16_t No_MT, host::AcaoEnum No_Action,
                                         int16_t No_Andamento) {
  EstadoMT& estado = Registro(No_MT);
  forecourt::PassosLiberarBico passos(*this, No_MT, No_Action);
  try {
    passos.Executar(No_Andamento);
    passos.TerminarTrabalho();
  } catch (...) {
    const Erro erro = ToErro(std::current_exception());
    estado.No_Andamento = forecourt::kPassoReinicio;
    estado.Tx_Buffer.clear();
    estado.Tx_Linha1 = forecourt::kErroTecleEnter;
    estado.Tx_Linha2 = erro.description;
    Atualizar(No_MT, estado);
    RethrowDirect(kClasseDialogo, "ProcessarAndamento");
  }
  return true;
}

namespace classes {
void RegisterBPMTLiberarBico() {
  RegisterClass(typelib::BPMTLiberarBico(), [] { return std::make_unique<BPMTLiberarBico>(); });
}
}  // namespace classes

}  // namespace bp
