#include "bp/env.h"

#include "platform/terminal_env.h"

namespace bp {
namespace {
Env* g_current = nullptr;
}  // namespace

Answer MessageBoxRequest::DefaultAnswer() const {
  if (buttons == Buttons::Ok) return Answer::Ok;
  return default_button == DefaultButton::Second ? Answer::No : Answer::Yes;
}

Env& Env::Current() {
  if (g_current != nullptr) return *g_current;
  static TerminalEnv terminal;
  return terminal;
}

void Env::SetCurrent(Env* env) { g_current = env; }

}  // namespace bp
