// posto mt: the host of the micro-terminal controller over the station's
// session, on a terminal (a screen of the ten terminals) or driven by a
// script on standard input (one command per line, one JSON object per line).
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

#include "bp/env.h"
#include "station/terminais_mt.h"

namespace posto::mt {

// The environment of the calls: the platform's own, with a clock that a
// script may set ("NOW ...").
class RelogioMt final : public bp::Env {
 public:
  RelogioMt() : base_(bp::Env::Current()) { bp::Env::SetCurrent(this); }
  ~RelogioMt() override { bp::Env::SetCurrent(nullptr); }
  RelogioMt(const RelogioMt&) = delete;
  RelogioMt& operator=(const RelogioMt&) = delete;

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

// A JSON string literal of the text, quotes included; control characters
// become escapes.
std::string Json(std::string_view text);

// Reads commands from `in` until its end, writing the answers to `out`.
// Returns 0, or 1 when some line was not understood (each such line gets an
// {"error": ...} answer and is otherwise skipped).
int ModoScript(station::TerminaisMT& terminais, RelogioMt& relogio, std::istream& in,
               std::ostream& out);

// The interactive screen of terminals 1 to 10, until the user quits.
int ModoTerminal(station::TerminaisMT& terminais, const std::string& banco);

}  // namespace posto::mt
