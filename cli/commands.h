// Subcommands of the posto program. Each takes the arguments after its own
// name and returns the process exit code.
#pragma once

#include <string>
#include <vector>

namespace posto {

using Args = std::vector<std::string>;

int RunClasses(const Args& args);  // posto classes
int RunEad(const Args& args);      // posto ead: EAD signatures and key files
int RunDemo(const Args& args);     // posto demo: the main job
int RunDb(const Args& args);       // posto db init|upgrade|version
int RunGerar(const Args& args);    // posto db gerar: a station's history in a new database
int RunEcf(const Args& args);      // posto ecf [estado|falha ...]: the emulated fiscal printer
int RunMt(const Args& args);       // posto mt: the micro-terminal simulator
int RunStation(const Args& args);  // posto station seed: the demo station
int RunDia(const Args& args);      // posto dia abrir|fechar: the fiscal day

}  // namespace posto
