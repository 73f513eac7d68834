#include "bp/criptografia.h"

#include <openssl/evp.h>

#include <memory>
#include <optional>
#include <utility>

#include "bp/ead.h"
#include "bp/erros.h"
#include "bp/keys.h"
#include "bp/text_file.h"
#include "bp/trap.h"
#include "frame/openssl_ptr.h"

namespace bp {
namespace {

constexpr const char* kModulo = "Criptografia";
constexpr const char* kFalhaAssinatura = "Erro na assinatura do arquivo";
constexpr std::size_t kIvBytes = 16;
constexpr std::size_t kAesBlock = 16;

using ossl::CipherCtx;

// Standard Base64 (RFC 4648, with padding). Blanks, tabs and line breaks are
// skipped, so wrapped text decodes too.
std::optional<std::string> DecodeBase64(std::string_view text) {
  auto value = [](char c) -> int {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
  };
  std::string out;
  out.reserve(text.size() / 4 * 3);
  uint32_t group = 0;
  int count = 0;
  int padding = 0;
  for (char c : text) {
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n') continue;
    if (c == '=') {
      if (count < 2 || ++padding + count > 4) return std::nullopt;
      continue;
    }
    int v = value(c);
    if (v < 0 || padding > 0) return std::nullopt;  // no data after padding
    group = (group << 6) | static_cast<uint32_t>(v);
    if (++count == 4) {
      out.push_back(static_cast<char>(group >> 16));
      out.push_back(static_cast<char>(group >> 8));
      out.push_back(static_cast<char>(group));
      group = 0;
      count = 0;
    }
  }
  if (padding > 0) {
    if (count + padding != 4) return std::nullopt;
    group <<= 6 * padding;
    out.push_back(static_cast<char>(group >> 16));
    if (count == 3) out.push_back(static_cast<char>(group >> 8));
    count = 0;
  }
  if (count != 0) return std::nullopt;
  return out;
}

// One decryption: the plain text, or the component's result code.
struct Decrypted {
  std::string text;
  int16_t code = activecrypt::kOk;
};

Decrypted DecryptSerial(std::string_view base64, const SerialKey& serial_key, CipherCtx& ctx) {
  std::optional<std::string> raw = DecodeBase64(base64);
  if (!raw) return {{}, activecrypt::kBase64DecodeError};
  if (raw->empty()) return {};  // no ciphertext: nothing to decrypt
  if (raw->size() < kIvBytes + kAesBlock || raw->size() % kAesBlock != 0) {
    return {{}, activecrypt::kMalformedInput};
  }
  const auto* bytes = reinterpret_cast<const unsigned char*>(raw->data());
  const auto* key = reinterpret_cast<const unsigned char*>(serial_key.letters.bytes.data());
  const int cipher_len = static_cast<int>(raw->size() - kIvBytes);

  ctx.reset(EVP_CIPHER_CTX_new());
  if (!ctx || EVP_DecryptInit_ex(ctx.get(), EVP_aes_128_cbc(), nullptr, key, bytes) != 1) {
    return {{}, activecrypt::kUnknownDecryptError};
  }
  std::string plain(raw->size(), '\0');
  auto* out = reinterpret_cast<unsigned char*>(plain.data());
  int len = 0;
  int tail = 0;
  if (EVP_DecryptUpdate(ctx.get(), out, &len, bytes + kIvBytes, cipher_len) != 1) {
    return {{}, activecrypt::kUnknownDecryptError};
  }
  // A wrong key or altered bytes show up here as bad padding.
  if (EVP_DecryptFinal_ex(ctx.get(), out + len, &tail) != 1) {
    return {{}, activecrypt::kDecryptError};
  }
  plain.resize(static_cast<std::size_t>(len + tail));
  return {std::move(plain), activecrypt::kOk};
}

// Both forms of the signing: `given` is the pair to sign with, or null for
// the deployment's. The key is had before the file is touched.
std::string Assinar(std::string& path, bool add_line_break, const EadKey* given) {
  std::optional<TextFile> file;
  return Capture(
      kModulo, "AssinarArquivoDigitalmente",
      [&] {
        const std::string source = std::string(kModulo) + ".AssinarArquivoDigitalmente";
        std::optional<EadKey> deployment;
        if (given == nullptr) {
          KeyResult<EadKey> found = DeploymentEadKey();
          if (!found.key) {
            LogKeyFailure(kErroNegocio, found.failure, source);
            throw Erro(kErroNegocio, kFalhaAssinatura, source);
          }
          deployment = std::move(found.key);
        }
        const EadKey& key = given != nullptr ? *given : *deployment;
        if (add_line_break) {
          // The line's text is itself CR LF, so the file gains CR LF CR LF.
          file.emplace(path, OpenMode::Append);
          file->WriteLine("\r\n");
          file->Close();
          file.reset();
        }
        std::string buffer(kEadDigits, ' ');
        if (GenerateEAD(path, key.modulus, key.private_exponent.bytes, buffer, 1) == 0) {
          throw Erro(kErroNegocio, kFalhaAssinatura, source);
        }
        return buffer;
      },
      [&] { file.reset(); });  // the destructor closes and swallows a failure
}

}  // namespace

const char* ActiveCryptText(int16_t code) {
  switch (code) {
    case 101: return "Invalid key size.";
    case 102: return "Error generating RSA key.";
    case 103: return "Unknown error while generating pair.";
    case 104: return "BIO error.";
    case 105: return "Public encrypt error.";
    case 106: return "Can not open file.";
    case 107: return "Unknown error while loading key.";
    case 108: return "Unknown error while saving key.";
    case 109: return "Error writing to file.";
    case 110: return "Error creating file.";
    case 111: return "Error writing private key.";
    case 112: return "Decrypt error.";
    case 113: return "Error reading file.";
    case 114: return "Error getting file size.";
    case 115: return "Error reading key from file.";
    case 116: return "Unknown error while decrypting text.";
    case 117: return "Bad private key.";
    case 118: return "Bad public key.";
    case 119: return "Bad key.";
    case 120: return "Unknown error generating public key.";
    case 121: return "Error generating public key.";
    // 122 is not one of the component's codes.
    case 123: return "Unknown error while encryption.";
    case 124: return "Error reading key from string.";
    case 125: return "Symmetric encryption error.";
    case 126: return "Unknown method.";
    case 127: return "Malformed input";
    case 128: return "Base64 decode error";
    case 129: return "Base64 encode error";
    case 130: return "Key is too short";
    case 131: return "Sign creation error";
    case 132: return "Sign verify error";
    default: return "";
  }
}

void DispararErroActiveCript(const std::string& source, int16_t code) {
  const char* text = ActiveCryptText(code);
  if (*text == '\0') return;
  throw Erro(kErroActiveCrypt, text, source);
}

std::string Desencriptar(std::string& text) {
  CipherCtx ctx;
  return Capture(
      kModulo, "Desencriptar",
      [&] {
        if (text.empty()) text.assign(1, ' ');
        const SerialKey key = RequireSerialKey("Desencriptar");
        Decrypted result = DecryptSerial(text, key, ctx);
        ctx.reset();
        DispararErroActiveCript("Desencriptar", result.code);
        return std::move(result.text);
      },
      [&] { ctx.reset(); });
}

std::string AssinarArquivoDigitalmente(std::string& Ds_CaminhoENomeDoArquivo,
                                       bool& Ic_InserirEnterEQuebraLinhaFinalArquivo) {
  return Assinar(Ds_CaminhoENomeDoArquivo, Ic_InserirEnterEQuebraLinhaFinalArquivo, nullptr);
}

std::string AssinarArquivoDigitalmente(std::string& Ds_CaminhoENomeDoArquivo,
                                       bool& Ic_InserirEnterEQuebraLinhaFinalArquivo,
                                       const EadKey& key) {
  return Assinar(Ds_CaminhoENomeDoArquivo, Ic_InserirEnterEQuebraLinhaFinalArquivo, &key);
}

}  // namespace bp
