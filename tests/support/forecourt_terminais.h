// A test host of the micro-terminals over the forecourt fakes: the station's
// terminal keeper with every screen event recorded, and shorthands to type.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "station/forecourt/terminais_mt.h"
#include "support/forecourt_fakes.h"
#include "support/test_env.h"

namespace bp::testing {

struct TelaMT {
  int16_t mt = 0;
  int32_t acao = 0;
  int16_t andamento = 0;
  std::string buffer;
  std::string linha1;
  std::string linha2;
  // "acao/andamento [buffer] linha1 | linha2", to compare a screen whole.
  std::string Texto() const {
    return std::to_string(acao) + "/" + std::to_string(andamento) + " [" + buffer + "] " + linha1 +
           " | " + linha2;
  }
};

class TerminaisDeTeste {
 public:
  TerminaisDeTeste();

  TestEnv env;
  std::shared_ptr<FakeSessaoForecourt> sessao = std::make_shared<FakeSessaoForecourt>();
  station::TerminaisMT terminais{sessao};
  std::vector<TelaMT> telas;

  // Idle terminal -> main menu -> step 1 of the dialogue.
  void Iniciar(int16_t mt);
  // Types each character as one key.
  void Digitar(int16_t mt, const std::string& teclas);
  // Types the answer and Enter; or each answer in turn.
  void Responder(int16_t mt, const std::string& resposta) { Digitar(mt, resposta + "\r"); }
  void ResponderEmOrdem(int16_t mt, const std::vector<std::string>& respostas);
  // Starts, logs in as employee 12 with password 1234 and reaches the
  // payment prompt.
  void AtePagamento(int16_t mt);
  // The line 1 of the prompts shown since event `desde` (events that moved
  // to a step waiting for an answer).
  std::vector<std::string> Prompts(size_t desde = 0) const;
  const TelaMT& Ultima() const { return telas.back(); }
};

}  // namespace bp::testing
