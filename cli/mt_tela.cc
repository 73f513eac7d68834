// posto mt on a terminal: the two display lines of terminals 1 to 10, the
// selected one highlighted. Printable keys, Enter, Esc and Backspace go to
// the selected terminal; Tab and Shift+Tab change the selection; Ctrl+C or
// Ctrl+Q quits. Drawn with plain ANSI sequences over a raw termios input.
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <string>

#include <fmt/format.h>

#include "bp/erro.h"
#include "bp/tela_mt.h"
#include "cli/mt.h"

namespace posto::mt {

namespace {

constexpr int16_t kPrimeiro = bp::BPMTControlador::kPrimeiroMT;
constexpr int16_t kUltimo = bp::BPMTControlador::kUltimoMT;
constexpr size_t kLarguraVisor = 40;

constexpr char kCtrlC = 3;
constexpr char kCtrlQ = 17;
constexpr char kTab = 9;
constexpr char kDelete = 127;

// Raw keyboard input for as long as it lives.
class TerminalCru {
 public:
  TerminalCru() {
    tcgetattr(STDIN_FILENO, &original_);
    termios cru = original_;
    cru.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | ISIG | IEXTEN);
    cru.c_iflag &= ~static_cast<tcflag_t>(IXON | ICRNL);
    cru.c_cc[VMIN] = 1;
    cru.c_cc[VTIME] = 0;
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &cru);
    std::fputs("\x1b[?1049h\x1b[?25l", stdout);  // alternate screen, no cursor
  }
  ~TerminalCru() {
    std::fputs("\x1b[?25h\x1b[?1049l", stdout);
    std::fflush(stdout);
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &original_);
  }
  TerminalCru(const TerminalCru&) = delete;
  TerminalCru& operator=(const TerminalCru&) = delete;

  // The next byte; none at the end of input.
  std::optional<char> Ler() {
    char c = 0;
    return read(STDIN_FILENO, &c, 1) == 1 ? std::optional<char>(c) : std::nullopt;
  }
  // Whether more bytes follow at once (the rest of an escape sequence).
  bool HaMais() {
    pollfd p{STDIN_FILENO, POLLIN, 0};
    return poll(&p, 1, 30) > 0;
  }

 private:
  termios original_{};
};

// Control characters shown visibly on the simulated display.
std::string Visivel(const std::string& texto) {
  std::string out;
  for (char c : texto) {
    if (static_cast<unsigned char>(c) < 0x20) out += fmt::format("^{}", static_cast<char>(c + 64));
    else out += c;
  }
  return out;
}

std::string Linha(const std::string& texto) {
  std::string v = Visivel(texto);
  if (v.size() < kLarguraVisor) v.append(kLarguraVisor - v.size(), ' ');
  return v;
}

class Tela {
 public:
  Tela(station::TerminaisMT& terminais, std::string banco)
      : terminais_(terminais), banco_(std::move(banco)) {
    // An attendant sees the screen: the buffer is what the screen shows.
    terminais_.tecla_fica_no_buffer = false;
  }

  void Desenhar() {
    std::string s = "\x1b[H\x1b[2J";
    s += fmt::format(" posto mt - micro-terminais ({})\r\n\r\n", banco_);
    for (int16_t mt = kPrimeiro; mt <= kUltimo; ++mt) {
      const auto& t = terminais_.Estado(mt);
      const bool sel = mt == selecionado_;
      const std::string marca = sel ? "\x1b[7m" : "";
      const std::string fim = sel ? "\x1b[0m" : "";
      s += fmt::format(" {}MT{:02}{} acao {:>2} passo {:>2} |{}{}{}|\r\n", marca, mt, fim,
                       static_cast<int32_t>(t.acao), t.andamento, marca, Linha(t.linha1), fim);
      s += fmt::format("{:23}|{}{}{}|\r\n", "", marca, Linha(t.linha2), fim);
    }
    s += "\r\n Tab/Shift+Tab: trocar de terminal   Enter, Esc, Backspace: teclas do terminal\r\n"
         " Ctrl+C ou Ctrl+Q: sair\r\n";
    const std::string& erro = erros_[static_cast<size_t>(selecionado_ - kPrimeiro)];
    if (!erro.empty()) s += "\r\n \x1b[31m" + Visivel(erro) + "\x1b[0m\r\n";
    std::fputs(s.c_str(), stdout);
    std::fflush(stdout);
  }

  void Trocar(int delta) {
    const int n = kUltimo - kPrimeiro + 1;
    selecionado_ = static_cast<int16_t>(kPrimeiro + (selecionado_ - kPrimeiro + delta + n) % n);
  }

  // A key at the selected terminal; an idle terminal that the main menu has
  // just moved to the release is started at once, as an attendant expects.
  void Tecla(char tecla) {
    std::string& erro = erros_[static_cast<size_t>(selecionado_ - kPrimeiro)];
    erro.clear();
    try {
      terminais_.Tecla(selecionado_, tecla);
      const auto& t = terminais_.Estado(selecionado_);
      if (t.acao == bp::host::AcaoEnum::AcaoLiberarBico && t.andamento == 1 && t.buffer.empty())
        terminais_.Consultar(selecionado_);
    } catch (...) {
      const bp::Erro e = bp::ToErro(std::current_exception());
      erro = fmt::format("Erro {}: {} (fonte: {})", e.number, e.description, e.source);
    }
  }

 private:
  station::TerminaisMT& terminais_;
  std::string banco_;
  int16_t selecionado_ = kPrimeiro;
  std::array<std::string, kUltimo - kPrimeiro + 1> erros_;
};

}  // namespace

int ModoTerminal(station::TerminaisMT& terminais, const std::string& banco) {
  TerminalCru terminal;
  Tela tela(terminais, banco);
  for (;;) {
    tela.Desenhar();
    const auto c = terminal.Ler();
    if (!c || *c == kCtrlC || *c == kCtrlQ) break;
    if (*c == kTab) {
      tela.Trocar(1);
    } else if (*c == bp::kTeclaEsc) {
      if (!terminal.HaMais()) {
        tela.Tecla(bp::kTeclaEsc);
        continue;
      }
      // An escape sequence: Shift+Tab is ESC [ Z; others are ignored.
      std::string seq;
      while (terminal.HaMais()) {
        const auto n = terminal.Ler();
        if (!n) break;
        seq += *n;
        if (*n >= 0x40 && *n <= 0x7E && seq.size() > 1) break;
      }
      if (seq == "[Z") tela.Trocar(-1);
    } else if (*c == '\r' || *c == '\n') {
      tela.Tecla(bp::kTeclaEnter);
    } else if (*c == kDelete || *c == bp::kTeclaBackspace) {
      tela.Tecla(bp::kTeclaBackspace);
    } else if (*c >= 0x20 && *c < 0x7F) {
      tela.Tecla(*c);
    }
  }
  return 0;
}

}  // namespace posto::mt
