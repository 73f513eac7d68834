// BPMTLiberarBico: the nozzle-release dialogue of the micro-terminals. One
// object serves the terminals the controller hands it (one screen record per
// terminal number 0 to 11); every answer is typed on the keypad and handed
// in with Enter (or Esc, which does the same). The dialogue asks the
// attendant's code and password, checks the cash register, asks the means of
// payment and what that means of payment needs (cheque, vehicle, odometer),
// the nozzle, the amount, a discount and the automatic settlement, shows the
// verdict of BPLiberarBico and, on Enter, records the responsibility.
// Every new screen goes to the host through AtualizarCih.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "bp/bp_liberar_bico.h"
#include "bp/public_class.h"
#include "bp/tela_mt.h"

namespace bp {

namespace forecourt {
struct ObjetosLiberacao;
class PassosLiberarBico;
}  // namespace forecourt

class BPMTLiberarBico final : public PublicClass {
 public:
  // A terminal's screen record: everything the host last received, and the
  // mask under which the answer is echoed.
  struct EstadoMT {
    std::string Tx_Linha1;
    std::string Tx_Linha2;
    std::string Tx_Buffer;
    int16_t No_Andamento = 0;
    host::AcaoEnum No_Action = host::AcaoEnum::AcaoMenuPrincipal;
    std::string Tx_Mascara;
  };

  BPMTLiberarBico();
  ~BPMTLiberarBico() override;

  const ClassInfo& Info() const override;

  // Handles one call of the terminal No_MT (0 to 11; any other number raises
  // 9): echoes what is being typed, or, when the buffer ends with Enter or
  // Esc, runs the step No_Andamento with the answer typed so far; an empty
  // buffer at step 1 starts the dialogue. The arguments are not written and
  // the lines passed in are not read. Returns True; a failing step shows
  // "Erro (Tecle enter)" with the description, goes to step 28 and raises.
  bool Execute(int16_t No_MT, host::AcaoEnum No_Action, int16_t No_Andamento,
               const std::string& Tx_Buffer, const std::string& Tx_Linha1,
               const std::string& Tx_Linha2);

  AtualizarCihEvento AtualizarCih;

  // The screen record of a terminal as the dialogue keeps it.
  const EstadoMT& Estado(int16_t No_MT) const;

 protected:
  void OnSessionSet() override;

 private:
  friend class forecourt::PassosLiberarBico;

  static bool BufferTemEnter(const std::string& texto);
  static bool BufferTemEsc(const std::string& texto);
  static bool BufferTemBackSpace(const std::string& texto);
  static bool DeveProcessarAtualizacaoBuffer(const std::string& texto);
  static bool DeveProcessarAndamento(const std::string& texto);
  bool ProcessarAtualizacaoBuffer(int16_t No_MT, host::AcaoEnum No_Action, int16_t No_Andamento,
                                  const std::string& Tx_Buffer);
  bool ProcessarAndamento(int16_t No_MT, host::AcaoEnum No_Action, int16_t No_Andamento);

  // The slot of a terminal number; 9 "Subscript out of range" outside 0 to 11.
  size_t Indice(int16_t No_MT) const;
  EstadoMT& Registro(int16_t No_MT);
  void Atualizar(int16_t No_MT, const EstadoMT& estado);

  std::array<EstadoMT, 12> estados_;
  std::unique_ptr<forecourt::ObjetosLiberacao> objetos_;
  BPLiberarBico regras_;
};

}  // namespace bp
