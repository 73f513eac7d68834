// Key material fixed at build time. The private values never leave this
// file except to the code that uses them: nothing prints, logs or puts them
// in an error message.
#include "frame/keys.h"

namespace bp::keys {

// AES-128 key of the ECF serial: 16 lower-case ASCII letters, used as the
// 16 key bytes as they are.
const char kSerialKey[] = "sarjcqhezxknlznq";

// Modulus n of the 1024-bit EAD key pair (public; e = 65537).
const char kEadPublicKey[] =
    "C6C3A64F4A33D380EE85975BEBE34619E83CA2EE725E43494931D940280D1A47"
    "A31158588079BDA337562D2245EE4637ED2E1A14280D57B91B2A15D5D6C8BB9C"
    "98AF7A2BD37ABA9DFF0BE2300A6A019548327DC45C5F7F46828656BBCFAE1A8E"
    "805E8BB123D814041D82E9649A9C202CA3EEF167163B95268E4F6A0981C0B867";

// Private exponent d of the same pair.
const char kEadPrivateKey[] =
    "334473B92FE27E435B4289EFE3C0136CCB4218A4784B67FF97298C67C7ECD942"
    "7105204C7396F31B0E42E4115B0842845A60F1C9112B9FDCD6ECDC04F409829A"
    "44CA89218AB2E3AAE1F2A0A5916891C97FD626AE2F7C51D85A48335F741ADBB0"
    "A6A9B86466022DA4820D11F6B3F2F3FE822C6988D4F3B92CBC35AFA1CDD15D01";

}  // namespace bp::keys
