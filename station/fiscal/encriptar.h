// The host's side of the ECF serial: encrypts a serial so that
// bp::Desencriptar gives it back.
#pragma once

#include <string>

namespace station {

// Base64 of a fresh random 16-byte IV followed by the AES-128-CBC ciphertext
// (PKCS#7 padding) of the UTF-8 bytes of `plain`, under the deployment's
// serial key. Two calls with the same text give different results. Without
// the key it raises as bp::RequireSerialKey does, with the source
// "Encriptar"; a failure of the random source or the cipher raises
// 0x80040201 "Symmetric encryption error." with that source.
std::string Encriptar(const std::string& plain);

}  // namespace station
