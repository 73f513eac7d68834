// EAD: the digital signature record that closes a fiscal text file.
//
// The signature is raw 1024-bit RSA (no padding, public exponent 65537) over
// a 128-byte block: 0x10, the 16 bytes of the file's MD5, then zeros. It is
// written as the file's last line: "EAD", 256 upper-case hex digits, CR LF.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace bp {

// Hex digits of a key and of a signature.
inline constexpr std::size_t kEadDigits = 256;

// Signs the file at `path`: MD5 over all its bytes, then block^d mod n.
// `public_key_hex` is the modulus n and `private_key_hex` the exponent d,
// 256 hex digits each. On success `buffer` holds the 256 upper-case digits
// of the signature and, when `sign_flag` is 1, the file gains the record line
// (after a CR LF of its own if the file did not end with a line break).
// Returns 0 for an unreadable file, an unusable key or a failed append;
// 1 on success.
int16_t GenerateEAD(const std::string& path, const std::string& public_key_hex,
                    const std::string& private_key_hex, std::string& buffer,
                    int32_t sign_flag);

enum class EadStatus {
  kOk,
  kFileUnreadable,    // the file cannot be opened or read
  kBadKey,            // the public key is not 256 hex digits of an odd modulus
  kNoRecord,          // no line starting with "EAD" near the end of the file
  kDataAfterRecord,   // an EAD line exists but more lines follow it
  kMalformedRecord,   // the EAD line is not "EAD" + 256 hex digits below n
  kBadSignature,      // the signature does not open to a well-formed block
  kHashMismatch,      // well-formed block, but the file's bytes have changed
};

struct EadVerification {
  EadStatus status = EadStatus::kFileUnreadable;
  // Bytes covered by the signature (everything before the EAD line).
  uint64_t signed_bytes = 0;
};

// Checks the EAD record that ends the file at `path` against the modulus.
EadVerification VerifyEAD(const std::string& path, const std::string& public_key_hex);

// A Portuguese sentence for the user describing `status`.
std::string_view EadStatusMessage(EadStatus status);

// MD5 of the first `limit` bytes of the file (all of it by default), read in
// large blocks; nothing when the file cannot be read to that length.
std::optional<std::array<uint8_t, 16>> FileMd5(const std::string& path,
                                               uint64_t limit = UINT64_MAX);

}  // namespace bp
