// posto mt without a terminal: one command per line on standard input, one
// JSON object per line on standard output.
//
//   T KEY             a key at terminal T: one printable character, ENTER,
//                     ESC or BS; appended to the kept buffer, then Execute
//   T POLL            Execute with the kept values and no new key
//   T ACTION N        the terminal's kept action becomes N
//   NOW yyyy-mm-ddThh:mm:ss   the clock of the calls that follow
//   blank lines and lines starting with # are ignored
//
// Each Execute writes one line per AtualizarCih event and then one line for
// the call: {"call":"Execute","mt":T,"result":true|false}, or the error it
// raised as {"call":"Execute","mt":T,"error":{"number":..,"description":..,
// "source":..}}.
#include <charconv>
#include <cstdint>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>

#include <fmt/format.h>

#include "bp/erro.h"
#include "bp/names.h"
#include "bp/tela_mt.h"
#include "cli/mt.h"
#include "cli/relogio.h"

namespace posto::mt {

namespace {

// A whole number that fills the text, or nothing.
template <class T>
std::optional<T> Numero(std::string_view text) {
  T value{};
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<char> Tecla(std::string_view key) {
  if (key == "ENTER") return bp::kTeclaEnter;
  if (key == "ESC") return bp::kTeclaEsc;
  if (key == "BS") return bp::kTeclaBackspace;
  if (key.size() == 1 && key[0] >= 0x20 && key[0] < 0x7F) return key[0];
  return std::nullopt;
}

class Script {
 public:
  Script(station::TerminaisMT& terminais, RelogioMt& relogio, std::ostream& out)
      : terminais_(terminais), relogio_(relogio), out_(out) {
    terminais_.ao_atualizar = [this](int16_t mt, const station::TerminaisMT::Terminal& t) {
      out_ << fmt::format(
          "{{\"event\":\"AtualizarCih\",\"mt\":{},\"action\":{},\"step\":{},\"buffer\":{},"
          "\"line1\":{},\"line2\":{}}}\n",
          mt, static_cast<int32_t>(t.acao), t.andamento, Json(t.buffer), Json(t.linha1),
          Json(t.linha2));
    };
  }

  // Runs one line; false when it was not understood.
  bool Linha(std::string_view linha, size_t numero) {
    const std::string_view texto = bp::TrimSpace(linha);
    if (texto.empty() || texto.front() == '#') return true;
    const size_t inicio = linha.find_first_not_of(" \t");
    const size_t espaco = linha.find(' ', inicio);
    const std::string_view primeiro = linha.substr(inicio, espaco - inicio);
    // The rest keeps its blanks: "3  " is the blank key at terminal 3.
    const std::string_view resto =
        espaco == std::string_view::npos ? std::string_view() : linha.substr(espaco + 1);

    if (primeiro == "NOW") {
      const auto agora = LerDataHora(bp::TrimSpace(resto));
      if (!agora) return Erro(numero, std::string("data e hora inválida, use ") + kFormaDataHora);
      relogio_.agora = *agora;
      return true;
    }
    const auto mt = Numero<int16_t>(primeiro);
    if (!mt) return Erro(numero, "comando desconhecido: " + std::string(primeiro));

    const std::string_view comando = bp::TrimSpace(resto);
    if (comando == "POLL") return Executar(*mt, [&] { return terminais_.Consultar(*mt); });
    if (comando.starts_with("ACTION ")) {
      const auto acao = Numero<int32_t>(bp::TrimSpace(comando.substr(7)));
      if (!acao) return Erro(numero, "ação inválida: " + std::string(comando.substr(7)));
      terminais_.DefinirAcao(*mt, static_cast<bp::host::AcaoEnum>(*acao));
      return true;
    }
    const std::string_view chave = resto.size() == 1 ? resto : comando;
    const auto tecla = Tecla(chave);
    if (!tecla) return Erro(numero, "tecla inválida: " + std::string(chave));
    return Executar(*mt, [&] { return terminais_.Tecla(*mt, *tecla); });
  }

 private:
  template <class Chamada>
  bool Executar(int16_t mt, Chamada&& chamada) {
    try {
      const bool resultado = chamada();
      out_ << fmt::format("{{\"call\":\"Execute\",\"mt\":{},\"result\":{}}}\n", mt, resultado);
    } catch (...) {
      const bp::Erro e = bp::ToErro(std::current_exception());
      out_ << fmt::format(
          "{{\"call\":\"Execute\",\"mt\":{},\"error\":{{\"number\":{},\"description\":{},"
          "\"source\":{}}}}}\n",
          mt, e.number, Json(e.description), Json(e.source));
    }
    out_.flush();
    return true;
  }

  bool Erro(size_t numero, const std::string& texto) {
    out_ << fmt::format("{{\"error\":{}}}\n", Json(fmt::format("linha {}: {}", numero, texto)));
    out_.flush();
    return false;
  }

  station::TerminaisMT& terminais_;
  RelogioMt& relogio_;
  std::ostream& out_;
};

}  // namespace

std::string Json(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\b': out += "\\b"; break;
      case '\f': out += "\\f"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
          out += fmt::format("\\u{:04x}", static_cast<unsigned>(static_cast<unsigned char>(c)));
        else
          out += c;
    }
  }
  return out + "\"";
}

int ModoScript(station::TerminaisMT& terminais, RelogioMt& relogio, std::istream& in,
               std::ostream& out) {
  Script script(terminais, relogio, out);
  bool tudo_entendido = true;
  std::string linha;
  for (size_t numero = 1; std::getline(in, linha); ++numero) {
    if (!linha.empty() && linha.back() == '\r') linha.pop_back();
    tudo_entendido = script.Linha(linha, numero) && tudo_entendido;
  }
  return tudo_entendido ? 0 : 1;
}

}  // namespace posto::mt
