#include "cli/progresso.h"

#include <algorithm>

namespace posto {

void Progresso::Mostrar(int64_t feito, int64_t total, const std::string& acao) {
  if (!janela_) {
    janela_.emplace();
    janela_->SetCaption(titulo_);
    janela_->Show();
  }
  const double percentual = total > 0 ? 100.0 * static_cast<double>(std::clamp(feito, int64_t{0}, total)) /
                                            static_cast<double>(total)
                                      : 0.0;
  janela_->SetValor(static_cast<int32_t>(percentual));
  janela_->SetPercentual(bp::PercentLabel(percentual));
  janela_->SetAcao(acao);
}

void Progresso::Fechar() {
  if (janela_) janela_->Unload();
  janela_.reset();
}

}  // namespace posto
