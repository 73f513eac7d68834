#include "cli/relogio.h"

#include <cstdio>
#include <string>

namespace posto {

std::optional<bp::DateTime> LerDataHora(std::string_view view) {
  const std::string text(view);
  int a = 0, m = 0, d = 0, h = 0, n = 0, s = 0, fim = 0;
  char sep = 0;
  const char* t = text.c_str();
  // Every field read and nothing left over.
  const auto inteiro = [&](int lidos, int campos) {
    const bool ok = lidos == campos && fim == static_cast<int>(text.size());
    fim = 0;
    return ok;
  };
  if (inteiro(std::sscanf(t, "%4d-%2d-%2d%c%2d:%2d:%2d%n", &a, &m, &d, &sep, &h, &n, &s, &fim), 7) &&
      (sep == ' ' || sep == 'T'))
    return bp::DateTime::Make(a, m, d, h, n, s);
  if (inteiro(std::sscanf(t, "%4d-%2d-%2d%c%2d:%2d%n", &a, &m, &d, &sep, &h, &n, &fim), 6) &&
      (sep == ' ' || sep == 'T'))
    return bp::DateTime::Make(a, m, d, h, n);
  if (inteiro(std::sscanf(t, "%2d/%2d/%4d %2d:%2d%n", &d, &m, &a, &h, &n, &fim), 5))
    return bp::DateTime::Make(a, m, d, h, n);
  if (inteiro(std::sscanf(t, "%2d/%2d/%4d%n", &d, &m, &a, &fim), 3)) return bp::DateTime::Make(a, m, d);
  if (inteiro(std::sscanf(t, "%4d-%2d-%2d%n", &a, &m, &d, &fim), 3)) return bp::DateTime::Make(a, m, d);
  return std::nullopt;
}

}  // namespace posto
