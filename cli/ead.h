// posto ead: the EAD signature of fiscal files and the deployment's keys.
// Each subcommand takes its Options, already checked against its own list.
#pragma once

#include <iostream>
#include <string>

#include "bp/keys.h"
#include "cli/options.h"

namespace posto::ead {

inline constexpr int kOk = 0;
inline constexpr int kVerificationFailed = 1;
inline constexpr int kUsageOrError = 2;

// Says why on the error stream and gives the error status.
inline int Fail(const std::string& why) {
  std::cerr << why << "\n";
  return kUsageOrError;
}

// The pair of the file --chave names, else the deployment's.
bp::KeyResult<bp::EadKey> ChosenKey(const Options& o);

int Sign(const Options& o);          // assinar ARQUIVO [--chave ARQUIVO.pem]
int Verify(const Options& o);        // verificar ARQUIVO [--chave ARQUIVO.pem | --modulo HEX]
int PublicKey(const Options& o);     // chave-publica [--chave ARQUIVO.pem]
int NewPair(const Options& o);       // gerar-chave ARQUIVO.pem
int NewSerialKey(const Options& o);  // gerar-chave-serie ARQUIVO

}  // namespace posto::ead
