#include "station/exports/campos_sintegra.h"

#include <cmath>

#include "bp/format.h"

namespace station {

std::string SituacaoTributaria(const std::string& trib, const std::string& cst, double aliquota) {
  const std::string final = cst.size() >= 2 ? cst.substr(cst.size() - 2) : cst;
  if (trib == "4" || trib == "S") return "ISS";
  if (final == "60" || trib == "6" || trib == "F") return "F";
  if (final == "40" || trib == "I") return "I";
  if (final == "41" || final == "50" || final == "51" || trib == "N") return "N";
  if (aliquota > 0) {
    return bp::Format(static_cast<int64_t>(std::llround(aliquota * 100)), "0000");
  }
  return "N";
}

std::string LetraTributaria(const std::string& situacao) {
  if (situacao == "ISS") return "S";
  if (situacao == "F" || situacao == "I" || situacao == "N") return situacao;
  return "T";
}

}  // namespace station
