// The deployment's secret keys: the EAD signing pair and the key of the ECF
// serial. Each lives in a file that only its owner may read, named by an
// environment variable or else found beside the library module. Failures
// name the file or the variable; nothing here puts key material in a text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace bp {

// Variables naming the key files, and the names looked for in the module's
// folder when a variable is unset or empty.
inline constexpr char kEadKeyVariable[] = "BP_EAD_CHAVE";
inline constexpr char kSerialKeyVariable[] = "BP_CHAVE_SERIE";
inline constexpr char kEadKeyFileName[] = "ead.pem";
inline constexpr char kSerialKeyFileName[] = "chave-serie.key";
// Error log (as GravaLogEMostraErro names it) of a key that could not be had.
inline constexpr char kKeyLogName[] = "Chaves.log";

enum class KeyProblem {
  kNone,
  kNotFound,    // no such file
  kCannotOpen,  // the file exists but cannot be opened or is not a file
  kRefused,     // group or other users may read it
  kInvalid,     // its content is not a key of the expected kind
};

// A key, or what kept it from being had: the problem and a Portuguese
// sentence naming the file (and the variable when it named the file).
template <class Key>
struct KeyResult {
  std::optional<Key> key;
  KeyProblem problem = KeyProblem::kNone;
  std::string failure;
};

// Bytes of a key, wiped from memory when they go.
struct Secret {
  Secret() = default;
  Secret(const Secret&) = default;
  Secret& operator=(const Secret&) = default;
  ~Secret();
  std::string bytes;
};

// A 1024-bit RSA pair with public exponent 65537: the modulus n and the
// private exponent d, 256 upper-case hex digits each.
struct EadKey {
  std::string modulus;
  Secret private_exponent;
};

// The AES-128 key of the ECF serial: 16 lower-case ASCII letters, used as
// the 16 key bytes.
struct SerialKey {
  Secret letters;
};

// Reads an unencrypted PEM private key (PKCS#8 or PKCS#1) of the pair.
KeyResult<EadKey> ReadEadKey(const std::string& pem_path);
// The pair of $BP_EAD_CHAVE, else of <module folder>/ead.pem.
KeyResult<EadKey> DeploymentEadKey();
// Generates a new pair into a new PKCS#8 PEM file of mode 0600; refuses a
// path that exists. Returns the pair written.
KeyResult<EadKey> WriteNewEadKey(const std::string& pem_path);

// Reads a serial key file: the 16 letters, optionally ended by a line break.
KeyResult<SerialKey> ReadSerialKey(const std::string& path);
// The key of $BP_CHAVE_SERIE, else of <module folder>/chave-serie.key.
KeyResult<SerialKey> DeploymentSerialKey();
// Draws 16 random letters into a new file of mode 0600; refuses a path that
// exists. Returns the key written.
KeyResult<SerialKey> WriteNewSerialKey(const std::string& path);

// The deployment's serial key. Without it, writes the failure to the key log
// and raises 0x80040201 with `source` and the cipher component's text:
// 106 "Can not open file." when the file is missing or cannot be opened,
// 115 "Error reading key from file." when it is refused or invalid.
SerialKey RequireSerialKey(const std::string& source);

// Appends the failure to <module folder>/LogErros/<date>Chaves.log.
void LogKeyFailure(int32_t number, const std::string& failure, const std::string& source);

}  // namespace bp
