#include "forecourt/mascara.h"

#include <cstddef>
#include <vector>

namespace bp::forecourt {

namespace {

constexpr char kLugar = '@';
constexpr char kDaEsquerda = '!';

// The characters (UTF-8 code points) of a text.
std::vector<std::string_view> Caracteres(std::string_view texto) {
  std::vector<std::string_view> out;
  for (size_t i = 0; i < texto.size();) {
    size_t n = 1;
    while (i + n < texto.size() && (static_cast<unsigned char>(texto[i + n]) & 0xC0) == 0x80) ++n;
    out.push_back(texto.substr(i, n));
    i += n;
  }
  return out;
}

}  // namespace

std::string AplicarMascara(std::string_view texto, std::string_view mascara) {
  const std::vector<std::string_view> chars = Caracteres(texto);
  const bool da_esquerda = !mascara.empty() && mascara.front() == kDaEsquerda;
  if (da_esquerda) mascara.remove_prefix(1);

  size_t lugares = 0;
  for (char c : mascara) lugares += c == kLugar ? 1 : 0;

  std::string out;
  // The character that goes to each place, in order of the places.
  size_t proximo = 0;
  if (!da_esquerda && chars.size() > lugares) {
    for (; proximo < chars.size() - lugares; ++proximo) out += chars[proximo];
  }
  // From the right, the first places stay blank until the remaining
  // characters exactly fill the remaining places.
  size_t vazios = !da_esquerda && chars.size() < lugares ? lugares - chars.size() : 0;
  for (char c : mascara) {
    if (c != kLugar) {
      out += c;
    } else if (vazios > 0) {
      --vazios;
      out += ' ';
    } else if (proximo < chars.size()) {
      out += chars[proximo++];
    } else {
      out += ' ';
    }
  }
  for (; proximo < chars.size(); ++proximo) out += chars[proximo];
  return out;
}

}  // namespace bp::forecourt
