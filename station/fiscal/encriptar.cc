#include "station/fiscal/encriptar.h"

#include <openssl/evp.h>
#include <openssl/rand.h>

#include <memory>
#include <vector>

#include "bp/criptografia.h"
#include "bp/erros.h"
#include "bp/keys.h"

namespace station {
namespace {

constexpr int kIvBytes = 16;
constexpr int kAesBlock = 16;

struct CipherCtxFree {
  void operator()(EVP_CIPHER_CTX* c) const { EVP_CIPHER_CTX_free(c); }
};

[[noreturn]] void Fail(int16_t code) {
  throw bp::Erro(bp::kErroActiveCrypt, bp::ActiveCryptText(code), "Encriptar");
}

}  // namespace

std::string Encriptar(const std::string& plain) {
  const bp::SerialKey serial_key = bp::RequireSerialKey("Encriptar");
  const int plain_len = static_cast<int>(plain.size());
  std::vector<unsigned char> raw(static_cast<std::size_t>(kIvBytes + plain_len + kAesBlock));
  if (RAND_bytes(raw.data(), kIvBytes) != 1) Fail(bp::activecrypt::kSymmetricEncryptionError);

  std::unique_ptr<EVP_CIPHER_CTX, CipherCtxFree> ctx(EVP_CIPHER_CTX_new());
  const auto* key = reinterpret_cast<const unsigned char*>(serial_key.letters.bytes.data());
  int len = 0;
  int tail = 0;
  if (!ctx || EVP_EncryptInit_ex(ctx.get(), EVP_aes_128_cbc(), nullptr, key, raw.data()) != 1 ||
      EVP_EncryptUpdate(ctx.get(), raw.data() + kIvBytes, &len,
                        reinterpret_cast<const unsigned char*>(plain.data()), plain_len) != 1 ||
      EVP_EncryptFinal_ex(ctx.get(), raw.data() + kIvBytes + len, &tail) != 1) {
    Fail(bp::activecrypt::kSymmetricEncryptionError);
  }
  const int raw_len = kIvBytes + len + tail;

  std::string text(static_cast<std::size_t>(4 * ((raw_len + 2) / 3)), '\0');
  int written = EVP_EncodeBlock(reinterpret_cast<unsigned char*>(text.data()), raw.data(), raw_len);
  if (written != static_cast<int>(text.size())) Fail(bp::activecrypt::kBase64EncodeError);
  return text;
}

}  // namespace station
