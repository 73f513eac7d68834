// The numbered steps of the nozzle-release dialogue, run for one call of
// ProcessarAndamento: the step handed in and every step it advances to.
#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <string>

#include "bp/bp_mt_liberar_bico.h"
#include "bp/erro.h"
#include "bp/host/bo_sistema.h"

namespace bp::forecourt {

struct ObjetosLiberacao;

// The step that acknowledges an error or a verdict and resets the terminal.
inline constexpr int16_t kPassoReinicio = 28;

class PassosLiberarBico {
 public:
  PassosLiberarBico(BPMTLiberarBico& dialogo, int16_t No_MT, host::AcaoEnum No_Action);

  // Runs the step and the steps it advances to, until one waits for an
  // answer or ends the dialogue.
  void Executar(int16_t passo);
  // Ends the unit of work that a recovery of a lost connection began, once.
  void TerminarTrabalho();

 private:
  // What a step leaves to do: stop here, or run the next step now.
  enum class Seguir { Parar, Avancar };

  Seguir Passo(int16_t passo);
  Seguir Passo1a9(int16_t passo);
  Seguir Passo10a19(int16_t passo);
  Seguir Passo20a27(int16_t passo);
  Seguir Reiniciar();

  // The moves the steps are made of.
  Seguir Perguntar(const char* prompt, const char* mascara = "");
  void Mostrar(const char* texto);
  Seguir Avancar();
  Seguir Pular();
  Seguir TelaErro(std::string texto);
  void Atualizar();

  // Runs a call that reaches the host; a lost connection (3709) is
  // recovered up to three times in this call by beginning work again.
  template <class Chamada>
  auto Host(Chamada&& chamada) -> decltype(chamada()) {
    for (;;) {
      try {
        return chamada();
      } catch (...) {
        if (ToErro(std::current_exception()).number != rt::kConnectionUnusable ||
            recuperacoes_ >= 3)
          throw;
        Recuperar();
      }
    }
  }
  void Recuperar();
  int32_t CdPessoaUsuaria();
  // Runs a host operation inside a unit of work of ProcessarAndamento.
  bool EmTrabalho(const std::function<bool()>& operacao);

  BPMTLiberarBico& dialogo_;
  const int16_t no_mt_;
  const host::AcaoEnum acao_;
  BPMTLiberarBico::EstadoMT& estado_;
  ObjetosLiberacao& objetos_;
  int16_t passo_ = 0;  // the step running
  bool pagamento_escolhido_ = false;
  bool cheque_presente_ = false;
  int recuperacoes_ = 0;
  bool comecou_trabalho_ = false;
  bool marcador_ = false;
};

}  // namespace bp::forecourt
