// Destinations of the export files. On the removable drives "A:" and "B:"
// the Env says which folder stands for each drive; a path beginning with a
// drive letter is opened below that folder. Exports offer to empty such a
// disk first, and ask before overwriting a file.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "bp/env.h"
#include "bp/text_file.h"

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

// Asks "O arquivo:  '" + caminho + "'  já existe deseja sobrescreve-lo ? ..."
// (Yes/No, No by default); True on Yes.
bool PerguntarSobrescrever(const std::string& caminho, Env& env);

// Opens `caminho` for output. An existing file is deleted first, after
// PerguntarSobrescrever when `perguntar`; null when the user keeps it.
std::unique_ptr<TextFile> AbrirDestino(const std::string& caminho, Env& env, bool perguntar);

// True when a normal file matches `caminho` (wildcards allowed), looked up
// upper-cased as the system does, or as typed on a file system that tells
// the cases apart.
bool DestinoEncontrado(const std::string& caminho, Env& env);

}  // namespace bp
