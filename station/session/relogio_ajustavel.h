// The platform's environment with a clock that can be set: every call is
// passed to the environment in use when it was made, except Now(), which
// gives the set time while one is set. It makes itself the current
// environment while it lives.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "bp/env.h"

namespace station {

class RelogioAjustavel : public bp::Env {
 public:
  RelogioAjustavel() : base_(bp::Env::Current()) { bp::Env::SetCurrent(this); }
  ~RelogioAjustavel() override { bp::Env::SetCurrent(nullptr); }
  RelogioAjustavel(const RelogioAjustavel&) = delete;
  RelogioAjustavel& operator=(const RelogioAjustavel&) = delete;

  std::optional<bp::DateTime> agora;  // the set clock; the platform's when empty

  bp::DateTime Now() override { return agora ? *agora : base_.Now(); }
  void Sleep(int32_t ms) override { base_.Sleep(ms); }
  bp::Answer MessageBox(const bp::MessageBoxRequest& r) override { return base_.MessageBox(r); }
  std::unique_ptr<bp::ProgressWindow> CreateProgressWindow() override {
    return base_.CreateProgressWindow();
  }
  void DoEvents() override { base_.DoEvents(); }
  bool FileExists(const std::string& path) override { return base_.FileExists(path); }
  void DeleteFile(const std::string& path) override { base_.DeleteFile(path); }
  std::vector<std::string> ListFiles(const std::string& pattern) override {
    return base_.ListFiles(pattern);
  }
  std::string ModuleFolder() override { return base_.ModuleFolder(); }
  std::string ModuleName() override { return base_.ModuleName(); }
  std::string AppTitle() override { return base_.AppTitle(); }
  std::optional<std::string> RemovableDriveFolder(const std::string& drive) override {
    return base_.RemovableDriveFolder(drive);
  }

 private:
  bp::Env& base_;
};

}  // namespace station
