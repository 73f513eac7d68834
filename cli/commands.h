// The commands of the posto program, each file declaring its own (see
// cli/options.h for how a command is declared).
#pragma once

#include <vector>

#include "cli/options.h"

namespace posto {

std::vector<Command> ComandosDemo();     // demo: the main job
std::vector<Command> ComandosClasses();  // classes: the type library BP
std::vector<Command> ComandosDb();       // db init | upgrade | version
std::vector<Command> ComandosGerar();    // db gerar: a history in a new database
std::vector<Command> ComandosEcf();      // ecf, ecf falha: the emulated fiscal printer
std::vector<Command> ComandosMt();       // mt: the micro-terminal simulator
std::vector<Command> ComandosStation();  // station seed: the demo station
std::vector<Command> ComandosDia();      // dia abrir | fechar: the fiscal day
std::vector<Command> ComandosEad();      // ead ...: EAD signatures of fiscal files
std::vector<Command> ComandosFaturamento();  // faturar, faturamento ...: billing
std::vector<Command> ComandosExportar();     // exportar cupons: a receivable's fleet file
std::vector<Command> ComandosSintegra();     // sintegra, gam, estoque consolidar

// Runs a whole command line (the words after "posto") and returns its exit
// status: 0 on success, 1 when the command failed, 2 for a wrong command line.
int Posto(const Args& words);

}  // namespace posto
