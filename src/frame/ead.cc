#include "bp/ead.h"

#include <openssl/bn.h>
#include <openssl/evp.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <vector>

#include "bp/text_file.h"
#include "frame/openssl_ptr.h"

namespace bp {
namespace {

constexpr std::size_t kBlockBytes = 128;    // 1024-bit modulus
constexpr uint8_t kHashLength = 16;         // first byte of the block
constexpr std::size_t kReadChunk = 1 << 20; // large reads keep MD5 the bottleneck
constexpr std::size_t kTailBytes = 4096;    // where VerifyEAD looks for the record
constexpr std::string_view kRecordTag = "EAD";

using Md5 = std::array<uint8_t, 16>;
using Block = std::array<uint8_t, kBlockBytes>;

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;
using ossl::Bn;

File OpenRead(const std::string& path) { return File(std::fopen(path.c_str(), "rb")); }

// Feeds up to `limit` bytes of `f` to `ctx`; returns the count read and the
// last byte seen (-1 when none).
struct Fed {
  bool ok = false;
  uint64_t bytes = 0;
  int last = -1;
};
Fed FeedMd5(std::FILE* f, uint64_t limit, EVP_MD_CTX* ctx) {
  static thread_local std::vector<unsigned char> chunk(kReadChunk);
  Fed fed;
  while (fed.bytes < limit) {
    std::size_t want = static_cast<std::size_t>(std::min<uint64_t>(kReadChunk, limit - fed.bytes));
    std::size_t got = std::fread(chunk.data(), 1, want, f);
    if (got > 0) {
      if (EVP_DigestUpdate(ctx, chunk.data(), got) != 1) return fed;
      fed.bytes += got;
      fed.last = chunk[got - 1];
    }
    if (got < want) {
      if (std::ferror(f)) return fed;
      break;
    }
  }
  fed.ok = true;
  return fed;
}

ossl::MdCtx NewMd5() {
  ossl::MdCtx ctx(EVP_MD_CTX_new());
  if (ctx && EVP_DigestInit_ex(ctx.get(), EVP_md5(), nullptr) != 1) ctx.reset();
  return ctx;
}

bool FinishMd5(EVP_MD_CTX* ctx, Md5& out) {
  unsigned int len = 0;
  return EVP_DigestFinal_ex(ctx, out.data(), &len) == 1 && len == out.size();
}

bool IsHex(std::string_view s) {
  return std::all_of(s.begin(), s.end(), [](char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
  });
}

// Exactly 256 hex digits as a number; nothing otherwise.
Bn ParseHex256(std::string_view hex) {
  if (hex.size() != kEadDigits || !IsHex(hex)) return nullptr;
  std::string text(hex);
  BIGNUM* raw = nullptr;
  if (BN_hex2bn(&raw, text.c_str()) != static_cast<int>(kEadDigits)) {
    BN_clear_free(raw);
    return nullptr;
  }
  return Bn(raw);
}

// The modulus, when it is usable for Montgomery arithmetic (odd, > 1).
Bn ParseModulus(std::string_view hex) {
  Bn n = ParseHex256(hex);
  if (!n || !BN_is_odd(n.get()) || BN_is_one(n.get())) return nullptr;
  return n;
}

Block MakeBlock(const Md5& md5) {
  Block block{};
  block[0] = kHashLength;
  std::copy(md5.begin(), md5.end(), block.begin() + 1);
  return block;
}

std::string ToUpperHex(const Block& bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string hex;
  hex.reserve(kEadDigits);
  for (uint8_t b : bytes) {
    hex.push_back(kDigits[b >> 4]);
    hex.push_back(kDigits[b & 0x0F]);
  }
  return hex;
}

// base^exponent mod n into `out`; constant time when the exponent is secret.
bool ModExp(const BIGNUM* base, BIGNUM* exponent, const BIGNUM* n, bool secret, Block& out) {
  ossl::BnCtx ctx(BN_CTX_new());
  Bn result(BN_new());
  if (!ctx || !result) return false;
  int ok;
  if (secret) {
    BN_set_flags(exponent, BN_FLG_CONSTTIME);
    ok = BN_mod_exp_mont_consttime(result.get(), base, exponent, n, ctx.get(), nullptr);
  } else {
    ok = BN_mod_exp(result.get(), base, exponent, n, ctx.get());
  }
  return ok == 1 && BN_bn2binpad(result.get(), out.data(), static_cast<int>(out.size())) ==
                        static_cast<int>(out.size());
}

bool AppendRecord(const std::string& path, bool needs_break, const std::string& digits) {
  try {
    TextFile file(path, OpenMode::Append);
    if (needs_break) file.Write("\r\n");
    file.WriteLine(std::string(kRecordTag) + digits);
    file.Close();
    return true;
  } catch (...) {
    return false;
  }
}

}  // namespace

int16_t GenerateEAD(const std::string& path, const std::string& public_key_hex,
                    const std::string& private_key_hex, std::string& buffer,
                    int32_t sign_flag) {
  Bn n = ParseModulus(public_key_hex);
  Bn d = ParseHex256(private_key_hex);
  if (!n || !d || BN_is_zero(d.get()) || BN_cmp(d.get(), n.get()) >= 0) return 0;

  File file = OpenRead(path);
  auto md5 = NewMd5();
  if (!file || !md5) return 0;
  Fed fed = FeedMd5(file.get(), UINT64_MAX, md5.get());
  file.reset();
  if (!fed.ok) return 0;

  // The record must begin a line of its own; a missing final line break is
  // written first and signed with the rest.
  const bool append = sign_flag == 1;
  const bool needs_break = append && fed.bytes > 0 && fed.last != '\n';
  if (needs_break && EVP_DigestUpdate(md5.get(), "\r\n", 2) != 1) return 0;
  Md5 digest;
  if (!FinishMd5(md5.get(), digest)) return 0;

  Block block = MakeBlock(digest);
  Bn m(BN_bin2bn(block.data(), static_cast<int>(block.size()), nullptr));
  if (!m || BN_cmp(m.get(), n.get()) >= 0) return 0;
  Block signature;
  if (!ModExp(m.get(), d.get(), n.get(), /*secret=*/true, signature)) return 0;

  std::string digits = ToUpperHex(signature);
  if (append && !AppendRecord(path, needs_break, digits)) return 0;
  buffer = std::move(digits);
  return 1;
}

EadVerification VerifyEAD(const std::string& path, const std::string& public_key_hex) {
  EadVerification v;
  Bn n = ParseModulus(public_key_hex);
  if (!n) {
    v.status = EadStatus::kBadKey;
    return v;
  }
  File file = OpenRead(path);
  if (!file || std::fseek(file.get(), 0, SEEK_END) != 0) return v;
  const long end = std::ftell(file.get());
  if (end < 0) return v;
  const uint64_t size = static_cast<uint64_t>(end);

  // Read the tail and find the line the record should be.
  const uint64_t tail_start = size > kTailBytes ? size - kTailBytes : 0;
  std::string tail(static_cast<std::size_t>(size - tail_start), '\0');
  if (std::fseek(file.get(), static_cast<long>(tail_start), SEEK_SET) != 0 ||
      std::fread(tail.data(), 1, tail.size(), file.get()) != tail.size()) {
    return v;
  }
  std::string_view body(tail);
  if (body.ends_with('\n')) body.remove_suffix(1);
  if (body.ends_with('\r')) body.remove_suffix(1);
  auto line_start = [&](std::size_t before) -> std::optional<std::size_t> {
    std::size_t nl = body.rfind('\n', before);
    if (nl != std::string_view::npos) return nl + 1;
    if (tail_start == 0) return 0;
    return std::nullopt;  // the line begins before the tail
  };
  std::optional<std::size_t> last = body.empty() ? std::nullopt : line_start(body.size() - 1);
  if (!last || !body.substr(*last).starts_with(kRecordTag)) {
    // An EAD line further up means lines were added after signing.
    for (std::size_t pos = body.size(); pos-- > 0;) {
      if (body[pos] == '\n' && body.substr(pos + 1).starts_with(kRecordTag)) {
        v.status = EadStatus::kDataAfterRecord;
        return v;
      }
    }
    v.status = tail_start == 0 && body.starts_with(kRecordTag) ? EadStatus::kDataAfterRecord
                                                                : EadStatus::kNoRecord;
    return v;
  }
  std::string_view record = body.substr(*last + kRecordTag.size());
  v.signed_bytes = tail_start + *last;

  Bn sig = ParseHex256(record);
  if (!sig || BN_cmp(sig.get(), n.get()) >= 0) {
    v.status = EadStatus::kMalformedRecord;
    return v;
  }
  Bn e(BN_new());
  Block opened;
  if (!e || BN_set_word(e.get(), 65537) != 1 ||
      !ModExp(sig.get(), e.get(), n.get(), /*secret=*/false, opened)) {
    v.status = EadStatus::kBadKey;
    return v;
  }
  if (opened[0] != kHashLength ||
      std::any_of(opened.begin() + 1 + kHashLength, opened.end(), [](uint8_t b) { return b; })) {
    v.status = EadStatus::kBadSignature;
    return v;
  }

  std::rewind(file.get());
  auto md5 = NewMd5();
  Md5 digest;
  if (!md5) return v;
  Fed fed = FeedMd5(file.get(), v.signed_bytes, md5.get());
  if (!fed.ok || fed.bytes != v.signed_bytes || !FinishMd5(md5.get(), digest)) {
    v.status = EadStatus::kFileUnreadable;
    return v;
  }
  v.status = std::equal(digest.begin(), digest.end(), opened.begin() + 1) ? EadStatus::kOk
                                                                          : EadStatus::kHashMismatch;
  return v;
}

std::string_view EadStatusMessage(EadStatus status) {
  switch (status) {
    case EadStatus::kOk: return "Assinatura EAD válida.";
    case EadStatus::kFileUnreadable: return "Não foi possível ler o arquivo.";
    case EadStatus::kBadKey: return "A chave pública informada não é válida.";
    case EadStatus::kNoRecord: return "O arquivo não termina com um registro EAD.";
    case EadStatus::kDataAfterRecord:
      return "Há linhas depois do registro EAD: o arquivo foi alterado após a assinatura.";
    case EadStatus::kMalformedRecord:
      return "O registro EAD está malformado (esperados \"EAD\" e 256 dígitos hexadecimais).";
    case EadStatus::kBadSignature:
      return "A assinatura EAD não confere com a chave pública.";
    case EadStatus::kHashMismatch:
      return "O conteúdo do arquivo foi alterado após a assinatura.";
  }
  return "";
}

std::optional<std::array<uint8_t, 16>> FileMd5(const std::string& path, uint64_t limit) {
  File file = OpenRead(path);
  auto md5 = NewMd5();
  if (!file || !md5) return std::nullopt;
  Fed fed = FeedMd5(file.get(), limit, md5.get());
  Md5 digest;
  if (!fed.ok || (limit != UINT64_MAX && fed.bytes != limit) || !FinishMd5(md5.get(), digest)) {
    return std::nullopt;
  }
  return digest;
}

}  // namespace bp
