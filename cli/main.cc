// posto: the station's command-line program over the library and the
// reference host.
#include "cli/commands.h"

namespace posto {

int Posto(const Args& words) {
  std::vector<Command> todos;
  for (auto comandos :
       {ComandosDemo, ComandosClasses, ComandosDb, ComandosGerar, ComandosEcf, ComandosMt,
        ComandosStation, ComandosDia, ComandosEad, ComandosFaturamento, ComandosExportar,
        ComandosSintegra}) {
    for (Command& c : comandos()) todos.push_back(std::move(c));
  }
  return Dispatch(todos, words);
}

}  // namespace posto

int main(int argc, char** argv) { return posto::Posto(posto::Args(argv + 1, argv + argc)); }
