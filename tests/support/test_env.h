// A scripted Env for tests: a manual clock, recorded sleeps, scripted box
// answers, recorded boxes and progress draws, and a temporary module folder
// on the real file system (whose files the terminal's Env reads). It makes
// itself the current Env while it lives.
#pragma once

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "platform/terminal_env.h"

namespace bp::testing {

class TestEnv : public TerminalEnv {
 public:
  TestEnv();
  ~TestEnv() override;
  TestEnv(const TestEnv&) = delete;
  TestEnv& operator=(const TestEnv&) = delete;

  // Script and inspection.
  DateTime now = DateTime::Of(2026, 12, 5, 10, 0, 0);
  std::vector<int32_t> sleeps;                 // every Sleep, in order
  std::deque<Answer> answers;                  // next box answers; default button when empty
  std::vector<MessageBoxRequest> boxes;        // every box shown
  std::vector<ProgressView> draws;             // every progress draw, all windows
  int windows_created = 0;
  int windows_closed = 0;
  int do_events = 0;
  bool click_cancel = false;                   // windows report a Cancel click
  std::map<std::string, std::string> drives;   // "A:" -> folder
  std::string module_name = "BP";

  // The temporary folder standing for the library's own folder.
  const std::string& Folder() const { return folder_; }
  // A path inside the temporary folder.
  std::string Path(const std::string& name) const;

  DateTime Now() override { return now; }
  void Sleep(int32_t milliseconds) override;
  Answer MessageBox(const MessageBoxRequest& request) override;
  std::unique_ptr<ProgressWindow> CreateProgressWindow() override;
  void DoEvents() override { ++do_events; }
  std::string ModuleFolder() override { return folder_; }
  std::string ModuleName() override { return module_name; }
  std::string AppTitle() override { return "BP"; }
  std::optional<std::string> RemovableDriveFolder(const std::string& drive) override;

 private:
  std::string folder_;
  Env* previous_ = nullptr;
};

// Reads a whole file as bytes ("" when missing).
std::string ReadFile(const std::string& path);
// Writes bytes to a file, replacing it.
void WriteFile(const std::string& path, const std::string& bytes);
// The lines of a text whose lines end with "\r\n" (the last one may not).
std::vector<std::string> CrlfLines(const std::string& text);

}  // namespace bp::testing
