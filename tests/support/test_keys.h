// Keys of the test binary: a fresh EAD pair and serial key generated into a
// temporary folder when the binary starts, with BP_EAD_CHAVE and
// BP_CHAVE_SERIE naming them until it ends, so that no test depends on the
// developer's environment or on a key kept in the tree.
#pragma once

#include <optional>
#include <string>

#include "bp/keys.h"

namespace bp::testing {

struct TestKeys {
  std::string ead_path;
  std::string serial_path;
  EadKey ead;
  SerialKey serial;
};

// Generates the keys and sets the variables on the first call; the test
// program's main calls it before any test runs.
const TestKeys& InstallTestKeys();

// The modulus that checks what the library signs in tests.
inline const std::string& TestModulus() { return InstallTestKeys().ead.modulus; }

// Sets (or, with no value, unsets) an environment variable for its lifetime.
class ScopedVariable {
 public:
  ScopedVariable(std::string name, std::optional<std::string> value);
  ~ScopedVariable();
  ScopedVariable(const ScopedVariable&) = delete;
  ScopedVariable& operator=(const ScopedVariable&) = delete;

 private:
  std::string name_;
  std::optional<std::string> previous_;
};

}  // namespace bp::testing
