// Fixed-width fields of the tax files (the ECF movement file, the SINTEGRA
// records), as their published layouts write them:
//   numeric (N)       digits only, right-aligned, zeros on the left, no sign,
//                     the decimal point dropped; zeros when there is no value
//   alphanumeric (X)  left-aligned, blanks on the right; blanks when there is
//                     no value
//   date (D)          "yyyymmdd"; zeros for the empty date
//   time (H)          "hhmmss"; zeros for the empty date
// Widths count characters (the file is written one byte per character). A
// value a numeric field cannot hold (negative, or more digits than the width)
// raises CampoInvalido naming the field; alphanumeric values longer than
// their field are cut.
#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "bp/datetime.h"
#include "bp/host/bo_registro_movimento_ecf.h"
#include "bp/money.h"

namespace station {

class CampoInvalido : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One record being built, field by field.
class RegistroFixo {
 public:
  explicit RegistroFixo(const std::string& tipo) { X("tipo", tipo, 3); }
  // A record whose type takes `largura` characters ("50", "60M").
  RegistroFixo(const std::string& tipo, int largura) { X("tipo", tipo, largura); }

  RegistroFixo& X(const char* campo, const std::string& texto, int largura);
  RegistroFixo& N(const char* campo, int64_t valor, int largura);
  // Money with `decimais` decimals (rounded half away from zero).
  RegistroFixo& N(const char* campo, bp::Money valor, int largura, int decimais);
  // A quantity with `decimais` decimals (rounded half away from zero).
  RegistroFixo& Q(const char* campo, double valor, int largura, int decimais);
  // The digits of `texto` only (CNPJ).
  RegistroFixo& Digitos(const char* campo, const std::string& texto, int largura);
  // Alphanumeric without punctuation: letters and digits only (a state
  // registration, "244.317.553.111" -> "244317553111", "ISENTO" kept).
  RegistroFixo& SemPontuacao(const char* campo, const std::string& texto, int largura);
  RegistroFixo& D(bp::DateTime data);
  RegistroFixo& H(bp::DateTime data);

  const std::string& Texto() const { return texto_; }
  // Width in characters (UTF-8 continuation bytes not counted).
  static size_t Largura(const std::string& texto);

 private:
  std::string texto_;
};

// Runs a record type's builder and joins its lines with CR LF; a field that
// cannot be written fails the whole type (False, the reason in `falha`).
bp::host::RegistroMovimento MontarRegistros(
    std::string& falha, const std::function<std::vector<std::string>()>& construir);

}  // namespace station
