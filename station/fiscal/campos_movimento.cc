#include "station/fiscal/campos_movimento.h"

#include <cctype>
#include <cmath>

#include "bp/format.h"

namespace station {
namespace {

bool Continuacao(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

[[noreturn]] void Invalido(const char* campo, const std::string& valor, int largura) {
  throw CampoInvalido(std::string("campo ") + campo + ": " + valor + " não cabe em " +
                      std::to_string(largura) + " posições numéricas");
}

std::string Zeros(const char* campo, const std::string& digitos, int largura) {
  if (digitos.size() > static_cast<size_t>(largura)) Invalido(campo, digitos, largura);
  return std::string(static_cast<size_t>(largura) - digitos.size(), '0') + digitos;
}

int64_t Escala(int decimais) {
  int64_t e = 1;
  for (int i = 0; i < decimais; ++i) e *= 10;
  return e;
}

}  // namespace

size_t RegistroFixo::Largura(const std::string& texto) {
  size_t n = 0;
  for (char c : texto) n += Continuacao(c) ? 0 : 1;
  return n;
}

RegistroFixo& RegistroFixo::X(const char* /*campo*/, const std::string& texto, int largura) {
  std::string corte;
  int usados = 0;
  for (size_t i = 0; i < texto.size(); ++i) {
    if (!Continuacao(texto[i])) {
      if (usados == largura) break;
      ++usados;
    }
    const char c = texto[i];
    corte += (c == '\r' || c == '\n' || c == '\t') ? ' ' : c;
  }
  texto_ += corte + std::string(static_cast<size_t>(largura - usados), ' ');
  return *this;
}

RegistroFixo& RegistroFixo::N(const char* campo, int64_t valor, int largura) {
  if (valor < 0) Invalido(campo, std::to_string(valor), largura);
  texto_ += Zeros(campo, std::to_string(valor), largura);
  return *this;
}

RegistroFixo& RegistroFixo::N(const char* campo, bp::Money valor, int largura, int decimais) {
  if (valor < bp::Money()) Invalido(campo, valor.ToSql(), largura);
  const int64_t divisor = bp::Money::kScale / Escala(decimais);
  const int64_t inteiro = (valor.Raw() + divisor / 2) / divisor;
  return N(campo, inteiro, largura);
}

RegistroFixo& RegistroFixo::Q(const char* campo, double valor, int largura, int decimais) {
  if (!(valor >= 0) || !std::isfinite(valor)) Invalido(campo, std::to_string(valor), largura);
  const double escalado = std::round(valor * static_cast<double>(Escala(decimais)));
  if (escalado >= 1e18) Invalido(campo, std::to_string(valor), largura);
  return N(campo, static_cast<int64_t>(escalado), largura);
}

RegistroFixo& RegistroFixo::Digitos(const char* campo, const std::string& texto, int largura) {
  std::string digitos;
  for (char c : texto) {
    if (c >= '0' && c <= '9') digitos += c;
  }
  texto_ += Zeros(campo, digitos, largura);
  return *this;
}

RegistroFixo& RegistroFixo::SemPontuacao(const char* campo, const std::string& texto, int largura) {
  std::string limpo;
  for (char c : texto) {
    if (std::isalnum(static_cast<unsigned char>(c)) || (static_cast<unsigned char>(c) & 0x80)) {
      limpo += c;
    }
  }
  return X(campo, limpo, largura);
}

RegistroFixo& RegistroFixo::D(bp::DateTime data) {
  texto_ += data.IsEmpty() ? std::string(8, '0') : bp::Format(data, "yyyymmdd");
  return *this;
}

RegistroFixo& RegistroFixo::H(bp::DateTime data) {
  texto_ += data.IsEmpty() ? std::string(6, '0') : bp::Format(data, "hhnnss");
  return *this;
}

bp::host::RegistroMovimento MontarRegistros(
    std::string& falha, const std::function<std::vector<std::string>()>& construir) {
  falha.clear();
  try {
    std::string texto;
    for (const std::string& linha : construir()) texto += (texto.empty() ? "" : "\r\n") + linha;
    return {true, texto};
  } catch (const CampoInvalido& e) {
    falha = e.what();
    return {false, {}};
  }
}

}  // namespace station
