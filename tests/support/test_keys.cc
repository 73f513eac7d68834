#include "support/test_keys.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace bp::testing {
namespace fs = std::filesystem;

namespace {

struct Installed {
  Installed() {
    std::string tmpl = (fs::temp_directory_path() / "bp-keys-XXXXXX").string();
    if (mkdtemp(tmpl.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    folder = tmpl;
    keys.ead_path = (folder / kEadKeyFileName).string();
    keys.serial_path = (folder / kSerialKeyFileName).string();
    KeyResult<EadKey> ead = WriteNewEadKey(keys.ead_path);
    KeyResult<SerialKey> serial = WriteNewSerialKey(keys.serial_path);
    if (!ead.key || !serial.key) throw std::runtime_error(ead.failure + serial.failure);
    keys.ead = *ead.key;
    keys.serial = *serial.key;
    setenv(kEadKeyVariable, keys.ead_path.c_str(), 1);
    setenv(kSerialKeyVariable, keys.serial_path.c_str(), 1);
  }
  ~Installed() {
    std::error_code ignored;
    fs::remove_all(folder, ignored);
  }
  fs::path folder;
  TestKeys keys;
};

}  // namespace

const TestKeys& InstallTestKeys() {
  static const Installed installed;
  return installed.keys;
}

ScopedVariable::ScopedVariable(std::string name, std::optional<std::string> value)
    : name_(std::move(name)) {
  if (const char* old = std::getenv(name_.c_str())) previous_ = old;
  if (value)
    setenv(name_.c_str(), value->c_str(), 1);
  else
    unsetenv(name_.c_str());
}

ScopedVariable::~ScopedVariable() {
  if (previous_)
    setenv(name_.c_str(), previous_->c_str(), 1);
  else
    unsetenv(name_.c_str());
}

}  // namespace bp::testing
