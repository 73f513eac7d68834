// Key material of the build (internal to the library and its own host).
//
// The serial key and the EAD private exponent are secrets of the deployment:
// code that uses them must never print, log or put them in a message.
#pragma once

namespace bp::keys {

// Symmetric key of the ECF serial: 16 lower-case letters.
extern const char kSerialKey[];

// EAD signing pair, 1024-bit RSA with public exponent 65537: the modulus n
// and the private exponent d, each as 256 upper-case hexadecimal digits.
extern const char kEadPublicKey[];
extern const char kEadPrivateKey[];

}  // namespace bp::keys
