#include "bp/modulo.h"

#include <string_view>

#include "bp/erro.h"
#include "bp/trap.h"

namespace bp {
namespace {

constexpr std::string_view kLabelModulo = "BOModulo";
// The label of the two older utilities begins with a comma and a blank.
constexpr std::string_view kLabelNv4 = ", nv4";

std::u32string Decode(const std::string& s) {
  std::u32string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size();) {
    const auto b = static_cast<unsigned char>(s[i]);
    size_t len = b < 0x80 ? 1 : (b & 0xE0) == 0xC0 ? 2 : (b & 0xF0) == 0xE0 ? 3 : 4;
    if (i + len > s.size()) len = s.size() - i;
    char32_t cp = len == 1 ? b : len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
    for (size_t k = 1; k < len; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    out += cp;
    i += len;
  }
  return out;
}

std::string Encode(const std::u32string& s) {
  std::string out;
  out.reserve(s.size());
  for (char32_t cp : s) {
    if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (cp < 0x800) {
      out += static_cast<char>(0xC0 | (cp >> 6));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
      out += static_cast<char>(0xE0 | (cp >> 12));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (cp >> 18));
      out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    }
  }
  return out;
}

// Trim of the platform: blanks only, not tabs or line breaks.
std::u32string TrimBlanks(const std::u32string& s) {
  const size_t first = s.find_first_not_of(U' ');
  if (first == std::u32string::npos) return {};
  const size_t last = s.find_last_not_of(U' ');
  return s.substr(first, last - first + 1);
}

std::string TrimBlanks(const std::string& s) {
  const size_t first = s.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  const size_t last = s.find_last_not_of(' ');
  return s.substr(first, last - first + 1);
}

// String(count, character) of the platform: an empty fill is an invalid call.
std::u32string Fill(int64_t count, const std::u32string& complement) {
  if (count <= 0) return {};
  if (complement.empty()) RaiseRuntime(rt::kInvalidProcedureCall);
  return std::u32string(static_cast<size_t>(count), complement[0]);
}

}  // namespace

size_t CharCount(const std::string& utf8) {
  size_t n = 0;
  for (char c : utf8) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return n;
}

std::string FixaTamanhoVariavel(std::string& Variavel, int16_t& TamanhoARetornar,
                                std::string& Complemento, int16_t& Alinhamento) {
  return Direct(kLabelNv4, "FixaTamanhoVariavel", [&] {
    const std::u32string text = TrimBlanks(Decode(Variavel));
    const int64_t width = TamanhoARetornar;
    const auto length = static_cast<int64_t>(text.size());
    if (width < 0) RaiseRuntime(rt::kInvalidProcedureCall);
    const std::u32string complement = Decode(Complemento);
    std::u32string result;
    if (length > width) {
      result = text.substr(0, static_cast<size_t>(width));
    } else {
      const int64_t fill = width - length;
      switch (Alinhamento) {
        case kAlinhamentoEsquerda: result = text + Fill(fill, complement); break;
        case kAlinhamentoDireita: result = Fill(fill, complement) + text; break;
        case kAlinhamentoCentro: {
          // Half of the fill rounded half to even: 1 -> 0, 3 -> 2, 5 -> 2, 7 -> 4.
          int64_t left = fill / 2;
          if (fill % 2 == 1 && left % 2 == 1) ++left;
          result = Fill(left, complement) + text + Fill(width - left - length, complement);
          break;
        }
        default: result = text; break;
      }
    }
    Variavel = Encode(result);
    return Variavel;
  });
}

std::string FixaTamanho(std::string texto, int16_t tamanho, std::string complemento,
                        int16_t alinhamento) {
  return FixaTamanhoVariavel(texto, tamanho, complemento, alinhamento);
}

std::string SubstituirVirgulaPorPonto(const std::string& text) {
  return Direct(kLabelModulo, "SubstituirVirgulaPorPonto", [&] {
    std::string out;
    for (char c : TrimBlanks(text)) {
      if (c == '.') continue;
      out += c == ',' ? '.' : c;
    }
    return out;
  });
}

std::string RetiraCaracteresNaoNumericos(const std::string& Variavel) {
  return Direct(kLabelNv4, "RetiraCaracteresNaoNumericos", [&] {
    // The original counted positions in a byte, so 255 characters overflow.
    if (CharCount(Variavel) >= 255) RaiseRuntime(rt::kOverflow);
    std::string out;
    for (char c : Variavel) {
      if (c >= '0' && c <= '9') out += c;
    }
    return out;
  });
}

}  // namespace bp
