// The key of the ECF serial in its file: reading it, drawing a new one, and
// requiring it where the serial is encrypted or decrypted.
#include <openssl/rand.h>

#include <algorithm>

#include "bp/criptografia.h"
#include "bp/erros.h"
#include "bp/keys.h"
#include "frame/key_files.h"

namespace bp {
namespace {

constexpr std::string_view kLabel = "Chave do serial";
constexpr std::string_view kExpected =
    "exatamente 16 letras minúsculas (a-z), seguidas ou não de uma quebra de linha";
constexpr std::size_t kLetters = 16;

bool IsLowerLetters(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

KeyResult<SerialKey> ReadAt(const keys::KeyLocation& where) {
  KeyResult<SerialKey> result;
  Secret content;
  if (!keys::ReadKeyFile(where, kLabel, content, result.problem, result.failure)) return result;
  std::string_view letters(content.bytes);
  if (letters.ends_with('\n')) letters.remove_suffix(1);
  if (letters.ends_with('\r')) letters.remove_suffix(1);
  if (letters.size() != kLetters || !IsLowerLetters(letters)) {
    return keys::Failed<SerialKey>(KeyProblem::kInvalid, keys::InvalidKey(kLabel, where, kExpected));
  }
  result.key.emplace();
  result.key->letters.bytes.assign(letters);
  return result;
}

// 16 letters drawn uniformly: random bytes of 234 and above (9 * 26) are
// dropped so that every letter is equally likely.
bool DrawLetters(Secret& letters) {
  unsigned char byte = 0;
  while (letters.bytes.size() < kLetters) {
    if (RAND_bytes(&byte, 1) != 1) return false;
    if (byte < 234) letters.bytes.push_back(static_cast<char>('a' + byte % 26));
  }
  letters.bytes.push_back('\n');
  return true;
}

}  // namespace

KeyResult<SerialKey> ReadSerialKey(const std::string& path) { return ReadAt({path}); }

KeyResult<SerialKey> DeploymentSerialKey() {
  return ReadAt(keys::Locate(kSerialKeyVariable, kSerialKeyFileName));
}

KeyResult<SerialKey> WriteNewSerialKey(const std::string& path) {
  Secret content;
  content.bytes.reserve(kLetters + 1);
  if (!DrawLetters(content)) {
    return keys::Failed<SerialKey>(KeyProblem::kInvalid, "Não foi possível sortear a chave do serial.");
  }
  SerialKey key;
  key.letters.bytes.assign(content.bytes, 0, kLetters);
  return keys::SaveNewKey(path, content.bytes, std::move(key));
}

SerialKey RequireSerialKey(const std::string& source) {
  KeyResult<SerialKey> result = DeploymentSerialKey();
  if (result.key) return *result.key;
  LogKeyFailure(kErroActiveCrypt, result.failure, source);
  const bool absent =
      result.problem == KeyProblem::kNotFound || result.problem == KeyProblem::kCannotOpen;
  DispararErroActiveCript(source, absent ? activecrypt::kCannotOpenFile
                                         : activecrypt::kErrorReadingKeyFromFile);
  return {};  // not reached: both codes raise
}

}  // namespace bp
