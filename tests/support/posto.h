// The posto program as the tests run it: one command line through the shell,
// its output and errors together in a file of the test's folder.
// POSTO_BINARY is defined for the test programs, hence a header alone.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "support/test_env.h"

namespace bp::testing {

// What one run gave: its exit status and everything it printed.
struct Saida {
  int rc = 0;
  std::string texto;
};

// Runs `posto ARGS`; ARGS may hold redirections of its own (an input file).
inline Saida Posto(const TestEnv& env, const std::string& args) {
  const std::string out = env.Path("saida-posto.txt");
  const std::string linha = std::string(POSTO_BINARY) + " " + args + " >" + out + " 2>&1";
  const int rc = std::system(linha.c_str());
  return {WEXITSTATUS(rc), ReadFile(out)};
}

}  // namespace bp::testing
