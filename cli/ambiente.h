// The environment a posto command runs in: the platform's, with the clock
// that --now sets and, with --sim, every question of the program answered
// Yes (a notice OK) at once, its text still shown on standard error.
#pragma once

#include "bp/env.h"
#include "cli/options.h"
#include "station/session/relogio_ajustavel.h"

namespace posto {

extern const Option kOpcaoNow;  // --now DATA
extern const Option kOpcaoSim;  // --sim

class AmbienteDoComando : public station::RelogioAjustavel {
 public:
  explicit AmbienteDoComando(const Options& options);
  bp::Answer MessageBox(const bp::MessageBoxRequest& request) override;

 private:
  bool sim_;
};

}  // namespace posto
