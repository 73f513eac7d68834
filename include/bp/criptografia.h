// Module Criptografia: decryption of the ECF serial and signing of fiscal
// files with their EAD record.
//
// The serial is kept as Base64 text of a 16-byte random IV followed by the
// AES-128-CBC ciphertext (PKCS#7 padding) of the serial's UTF-8 bytes, under
// the deployment's 16-letter key. docs/crypto.md gives the details.
#pragma once

#include <cstdint>
#include <string>

#include "bp/keys.h"

namespace bp {

// Result codes of the cipher component, as DispararErroActiveCript knows them.
namespace activecrypt {
inline constexpr int16_t kOk = 0;
inline constexpr int16_t kCannotOpenFile = 106;          // "Can not open file."
inline constexpr int16_t kDecryptError = 112;            // "Decrypt error."
inline constexpr int16_t kErrorReadingKeyFromFile = 115; // "Error reading key from file."
inline constexpr int16_t kUnknownDecryptError = 116;     // "Unknown error while decrypting text."
inline constexpr int16_t kSymmetricEncryptionError = 125;
inline constexpr int16_t kMalformedInput = 127;          // "Malformed input"
inline constexpr int16_t kBase64DecodeError = 128;       // "Base64 decode error"
inline constexpr int16_t kBase64EncodeError = 129;
}  // namespace activecrypt

// The English text of a cipher component result code, or "" for 0 and for
// codes the component does not define.
const char* ActiveCryptText(int16_t code);

// Raises Erro(0x80040201, text of `code`, `source`) for a code of the
// component's table; returns quietly for 0 and for any other code.
void DispararErroActiveCript(const std::string& source, int16_t code);

// Decrypts the ECF serial with the deployment's serial key (RequireSerialKey
// raises without it). An empty `text` is first replaced by one blank, in the
// caller's variable too. Text made only of blanks and line breaks
// holds no ciphertext and decrypts to "". Failures raise 0x80040201 with the
// component's text (Base64 decode error, Malformed input, Decrypt error) and
// the source "Desencriptar -> Criptografia.Desencriptar".
std::string Desencriptar(std::string& text);

// Signs a finished fiscal file with the deployment's EAD key pair and
// returns the 256 hexadecimal digits of the signature (also appended to the
// file as its "EAD" record). When the indicator is True the file first gains
// an empty line (CR LF CR LF). A file that cannot be signed raises 0x80040660
// "Erro na assinatura do arquivo"; without the key the file is left alone and
// the key log (bp/keys.h) says which key is missing.
std::string AssinarArquivoDigitalmente(std::string& Ds_CaminhoENomeDoArquivo,
                                       bool& Ic_InserirEnterEQuebraLinhaFinalArquivo);

// The same with a pair the caller read (posto ead assinar --chave).
std::string AssinarArquivoDigitalmente(std::string& Ds_CaminhoENomeDoArquivo,
                                       bool& Ic_InserirEnterEQuebraLinhaFinalArquivo,
                                       const EadKey& key);

}  // namespace bp
