// Destinations on the removable drives "A:" and "B:". The Env says which
// folder stands for each drive; a path beginning with a drive letter is
// opened below that folder. Exports offer to empty such a disk first.
#pragma once

#include <optional>
#include <string>

#include "bp/env.h"

namespace bp {

// "A:" or "B:" (upper case) when `caminho` begins with that drive, whatever
// the case of its letter.
std::optional<std::string> UnidadeRemovivel(const std::string& caminho);

// The path the file system opens: a path on a mapped removable drive becomes
// the rest of the path, with '/' separators, below the drive's folder; any
// other path is returned as it stands.
std::string CaminhoNoSistema(const std::string& caminho, Env& env);

// When `caminho` is on a removable drive that holds any file, asks
// "Deseja apagar todos arquivos existente no disco do drive " + the two
// characters of the drive (Yes/No, No by default) and, on Yes, deletes
// every file of the drive.
void OferecerApagarDisco(const std::string& caminho, Env& env);

}  // namespace bp
