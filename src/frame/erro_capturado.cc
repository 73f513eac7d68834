#include <exception>

#include "bp/erros.h"

namespace bp {

ErroCapturadoT& ErroCapturado() {
  static ErroCapturadoT captured;
  return captured;
}

void CapturaErro(std::string_view mDescriptionComplemento) {
  Erro e = ToErro(std::current_exception());
  ErroCapturadoT& c = ErroCapturado();
  c.number = e.number;
  c.description = std::move(e.description);
  if (!mDescriptionComplemento.empty()) {
    c.description.append(" ").append(mDescriptionComplemento);
  }
  c.source = std::move(e.source);
  c.last_dll_error = e.last_dll_error;
  c.help_context = e.help_context;
  c.help_file = std::move(e.help_file);
}

void LancaErro(std::string_view mSourceComplemento) {
  const ErroCapturadoT& c = ErroCapturado();
  throw Erro(c.number, c.description, c.source + std::string(mSourceComplemento), c.help_file,
             c.help_context);
}

}  // namespace bp
