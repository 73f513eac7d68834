#include "forecourt/respostas_mt.h"

#include <string>

#include "bp/erro.h"
#include "bp/value.h"

namespace bp::forecourt {

namespace {

constexpr int64_t kSeteHoras = 7 * 3600;

// A part of a typed date: one or more digits, else 13.
int Parte(std::string_view resposta, size_t inicio, size_t tamanho) {
  const std::string_view parte =
      inicio < resposta.size() ? resposta.substr(inicio, tamanho) : std::string_view();
  if (parte.empty()) RaiseRuntime(rt::kTypeMismatch, std::string(resposta));
  int valor = 0;
  for (char c : parte) {
    if (c < '0' || c > '9') RaiseRuntime(rt::kTypeMismatch, std::string(resposta));
    valor = valor * 10 + (c - '0');
  }
  return valor;
}

}  // namespace

int32_t ValorNumericoLong(std::string_view resposta) { return Value(Val(resposta)).ToInt32(); }

uint8_t ValorNumericoByte(std::string_view resposta) { return Value(Val(resposta)).ToByte(); }

Money ValorEmCentavos(std::string_view resposta) {
  return Money::FromDouble(ParseDecimal(resposta) / 100);
}

DateTime DataDigitada(std::string_view resposta) {
  const int dia = Parte(resposta, 0, 2);
  const int mes = Parte(resposta, 2, 2);
  int ano = Parte(resposta, 4, 4);
  if (resposta.size() <= 6) ano += ano < 30 ? 2000 : 1900;
  return DateTime::Of(ano, mes, dia);
}

bool CaixaAntigo(DateTime caixa, DateTime agora) {
  const int64_t dias = agora.Days() - caixa.Days();
  const int64_t hora = agora.SecondsOfDay();
  return (hora > kSeteHoras && dias >= 1) || (hora < kSeteHoras && dias > 1);
}

}  // namespace bp::forecourt
