// Module Erros: the process-wide captured error and the error services.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "bp/erro.h"

namespace bp {

// The one captured error of the process, written by CapturaErro.
struct ErroCapturadoT {
  int32_t number = 0;
  std::string description;
  std::string source;
  int32_t last_dll_error = 0;
  int32_t help_context = 0;
  std::string help_file;
};
ErroCapturadoT& ErroCapturado();

// Copies the failure being handled into ErroCapturado; a non-empty complement
// is appended to the description after one blank. Call inside a catch block.
void CapturaErro(std::string_view mDescriptionComplemento);

// Raises the captured error with the complement appended to its source.
[[noreturn]] void LancaErro(std::string_view mSourceComplemento);

// Shows the box when asked, appends a six-line record to
// <module folder>/LogErros/<yyyy-mm-dd><log name> and returns True; every
// failure inside is swallowed.
bool GravaLogEMostraErro(int32_t Numero, const std::string& Descricao,
                         const std::string& Source, const std::string& Funcao,
                         bool Fl_MostrarMensagem, const std::string& Nm_ArquivoLog,
                         bool Ic_FecharMensagemAposDeterminadoTempo = false);

// The Portuguese message of a system error number, or "" when unknown.
std::string RetornaDescricaoErro(const int32_t& Numero);

// System numbers raised with a description of the raiser's own.
inline constexpr int32_t kErroNegocio = static_cast<int32_t>(0x80040660);
// The movement file of a Z reduction could not be produced.
inline constexpr int32_t kErroArquivoReducaoZ = static_cast<int32_t>(0x80042D72);
// ActiveCrypt failures are raised under the record-identification number.
inline constexpr int32_t kErroActiveCrypt = static_cast<int32_t>(0x80040201);

}  // namespace bp
