// Module Modulo: the text utilities that fixed-width file fields and numeric
// SQL literals are built with. Texts are UTF-8; widths count characters.
#pragma once

#include <cstdint>
#include <string>

namespace bp {

// Alignment values of FixaTamanhoVariavel.
inline constexpr int16_t kAlinhamentoEsquerda = 0;
inline constexpr int16_t kAlinhamentoDireita = 1;
inline constexpr int16_t kAlinhamentoCentro = 2;

// Trims `Variavel`, then cuts it to TamanhoARetornar characters or fills it
// with the first character of `Complemento` (left, right or centred, the
// left share of a centred fill rounded half to even). The result is also
// stored back into `Variavel`.
std::string FixaTamanhoVariavel(std::string& Variavel, int16_t& TamanhoARetornar,
                                std::string& Complemento, int16_t& Alinhamento);

// Convenience form for callers holding plain values.
std::string FixaTamanho(std::string texto, int16_t tamanho, std::string complemento,
                        int16_t alinhamento);

// "1.234,56" -> "1234.56": trims, drops '.', turns ',' into '.'.
std::string SubstituirVirgulaPorPonto(const std::string& text);

// Keeps the decimal digits only; 255 characters or more raise 6 "Overflow".
std::string RetiraCaracteresNaoNumericos(const std::string& Variavel);

// Number of characters (code points) of a UTF-8 text.
size_t CharCount(const std::string& utf8);

}  // namespace bp
