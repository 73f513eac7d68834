// The progress bar of long work: the platform's progress window (on a
// terminal, one line redrawn on standard error; nothing without one), opened
// at the first step and closed when the work ends.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "bp/andamento.h"

namespace posto {

class Progresso {
 public:
  explicit Progresso(std::string titulo) : titulo_(std::move(titulo)) {}
  ~Progresso() { Fechar(); }
  Progresso(const Progresso&) = delete;
  Progresso& operator=(const Progresso&) = delete;

  // `feito` of `total` done; `acao` says what is being done.
  void Mostrar(int64_t feito, int64_t total, const std::string& acao);
  void Fechar();

 private:
  std::string titulo_;
  std::optional<bp::Andamento> janela_;
};

}  // namespace posto
