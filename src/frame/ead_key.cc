// The EAD key pair in a PEM file: reading it and generating a new one.
#include <openssl/bio.h>
#include <openssl/bn.h>
#include <openssl/core_names.h>
#include <openssl/crypto.h>
#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/rsa.h>

#include <cstring>

#include "bp/ead.h"
#include "bp/keys.h"
#include "frame/key_files.h"
#include "frame/openssl_ptr.h"

namespace bp {
namespace {

constexpr std::string_view kLabel = "Chave EAD";
constexpr std::string_view kExpected =
    "um par RSA de 1024 bits com expoente público 65537 em PEM sem senha";
constexpr int kBits = 1024;
constexpr unsigned long kPublicExponent = 65537;

using ossl::Bio;
using ossl::Bn;
using ossl::Pkey;

// An encrypted PEM asks for a passphrase; there is nobody to give one.
int NoPassphrase(char*, int, int, void*) { return 0; }

Bn Param(const EVP_PKEY* key, const char* name) {
  BIGNUM* value = nullptr;
  if (EVP_PKEY_get_bn_param(key, name, &value) != 1) return nullptr;
  return Bn(value);
}

// `value` as 256 upper-case hex digits, zeros on the left; false when it
// does not fit.
bool ToHex256(const BIGNUM* value, std::string& hex) {
  char* digits = BN_bn2hex(value);
  if (digits == nullptr) return false;
  const std::size_t length = std::strlen(digits);
  const bool fits = length <= kEadDigits;
  if (fits) hex = std::string(kEadDigits - length, '0') + digits;
  OPENSSL_clear_free(digits, length);
  return fits;
}

// The pair of an RSA key of 1024 bits with e = 65537; nothing otherwise.
std::optional<EadKey> PairOf(const EVP_PKEY* key) {
  if (!EVP_PKEY_is_a(key, "RSA") || EVP_PKEY_get_bits(key) != kBits) return std::nullopt;
  Bn e = Param(key, OSSL_PKEY_PARAM_RSA_E);
  Bn n = Param(key, OSSL_PKEY_PARAM_RSA_N);
  Bn d = Param(key, OSSL_PKEY_PARAM_RSA_D);
  if (!e || !n || !d || !BN_is_word(e.get(), kPublicExponent)) return std::nullopt;
  EadKey pair;
  if (!ToHex256(n.get(), pair.modulus) || !ToHex256(d.get(), pair.private_exponent.bytes)) {
    return std::nullopt;
  }
  return pair;
}

KeyResult<EadKey> ReadAt(const keys::KeyLocation& where) {
  KeyResult<EadKey> result;
  Secret content;
  if (!keys::ReadKeyFile(where, kLabel, content, result.problem, result.failure)) return result;
  Bio in(BIO_new_mem_buf(content.bytes.data(), static_cast<int>(content.bytes.size())));
  Pkey key(in ? PEM_read_bio_PrivateKey(in.get(), nullptr, NoPassphrase, nullptr) : nullptr);
  if (key) result.key = PairOf(key.get());
  ERR_clear_error();
  if (result.key) return result;
  return keys::Failed<EadKey>(KeyProblem::kInvalid, keys::InvalidKey(kLabel, where, kExpected));
}

Pkey GeneratePair() {
  ossl::PkeyCtx ctx(EVP_PKEY_CTX_new_from_name(nullptr, "RSA", nullptr));
  Bn e(BN_new());
  EVP_PKEY* key = nullptr;
  if (!ctx || !e || BN_set_word(e.get(), kPublicExponent) != 1 ||
      EVP_PKEY_keygen_init(ctx.get()) != 1 ||
      EVP_PKEY_CTX_set_rsa_keygen_bits(ctx.get(), kBits) != 1 ||
      EVP_PKEY_CTX_set1_rsa_keygen_pubexp(ctx.get(), e.get()) != 1 ||
      EVP_PKEY_generate(ctx.get(), &key) != 1) {
    return nullptr;
  }
  return Pkey(key);
}

}  // namespace

KeyResult<EadKey> ReadEadKey(const std::string& pem_path) { return ReadAt({pem_path}); }

KeyResult<EadKey> DeploymentEadKey() {
  return ReadAt(keys::Locate(kEadKeyVariable, kEadKeyFileName));
}

KeyResult<EadKey> WriteNewEadKey(const std::string& pem_path) {
  Pkey key = GeneratePair();
  // Secure memory is wiped when the BIO goes.
  Bio out(BIO_new(BIO_s_secmem()));
  char* pem = nullptr;
  long size = 0;
  if (key && out &&
      PEM_write_bio_PrivateKey(out.get(), key.get(), nullptr, nullptr, 0, nullptr, nullptr) == 1) {
    size = BIO_get_mem_data(out.get(), &pem);
  }
  std::optional<EadKey> pair = key ? PairOf(key.get()) : std::nullopt;
  ERR_clear_error();
  if (size <= 0 || !pair) {
    return keys::Failed<EadKey>(KeyProblem::kInvalid, "Não foi possível gerar o par de chaves EAD.");
  }
  return keys::SaveNewKey(pem_path, std::string_view(pem, static_cast<std::size_t>(size)),
                          std::move(*pair));
}

}  // namespace bp
