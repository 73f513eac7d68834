// Small pieces the station's SINTEGRA records share.
#pragma once

#include <algorithm>
#include <string>

#include "bp/money.h"
#include "bp/value.h"

namespace station {

// The invoice model of the layout (01, the paper invoice) and its series.
inline constexpr const char* kModeloNota = "01";
inline constexpr const char* kSerieNota = "1";

// Fields hold no sign: a negative value is written as zero.
inline bp::Money Positivo(bp::Money valor) { return std::max(valor, bp::Money()); }

inline double NumeroOuZero(const bp::Value& v) { return v.IsNull() ? 0.0 : v.ToDouble(); }

// How an item or product is taxed, as the fiscal-printer records name it:
// the ICMS rate in hundredths ("1800"), "F" (tax substitution), "I"
// (exempt), "N" (not taxed) or "ISS" (a service); from the taxation code
// (No_TribIcms), the tax situation (CST, its last two digits) and the rate.
std::string SituacaoTributaria(const std::string& trib, const std::string& cst, double aliquota);

// The one-letter form of the product register: T, F, I, N or S.
std::string LetraTributaria(const std::string& situacao);

}  // namespace station
