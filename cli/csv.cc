#include "cli/csv.h"

namespace posto {

const Option kOpcaoCsv = Flag("--csv", "escreve a tabela em CSV (separada por \";\")");

std::string LinhaCsv(const std::vector<std::string>& campos) {
  std::string linha;
  for (size_t i = 0; i < campos.size(); ++i) {
    const std::string& campo = campos[i];
    if (i > 0) linha += ';';
    if (campo.find_first_of(";\"\r\n") == std::string::npos) {
      linha += campo;
      continue;
    }
    linha += '"';
    for (char c : campo) linha += c == '"' ? std::string("\"\"") : std::string(1, c);
    linha += '"';
  }
  return linha + "\n";
}

}  // namespace posto
