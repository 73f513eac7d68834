// The Env of a Linux terminal: the real clock and file system, message boxes
// as prompts on a terminal (the default button without one), progress bars
// drawn on standard error when it is a terminal.
#pragma once

#include <filesystem>
#include <map>
#include <string>

#include "bp/env.h"

namespace bp {

class TerminalEnv : public Env {
 public:
  DateTime Now() override;
  void Sleep(int32_t milliseconds) override;
  Answer MessageBox(const MessageBoxRequest& request) override;
  std::unique_ptr<ProgressWindow> CreateProgressWindow() override;
  void DoEvents() override {}
  bool FileExists(const std::string& path) override;
  void DeleteFile(const std::string& path) override;
  std::vector<std::string> ListFiles(const std::string& pattern) override;
  std::string ModuleFolder() override;
  std::string ModuleName() override;
  std::string AppTitle() override;
  std::optional<std::string> RemovableDriveFolder(const std::string& drive) override;

  // Lets the host say which folder stands for drive "A:" or "B:".
  void SetRemovableDrive(const std::string& drive, const std::string& folder);

 private:
  std::map<std::string, std::string> drives_;
};

// The module name of a library or program file: its name without folder,
// extension or the version numbers of a shared object ("libbp.so.2" gives
// "libbp").
std::string ModuleNameOf(const std::filesystem::path& file);

// Name of each answer as the terminal shows it ("OK", "Sim", "Não").
const char* AnswerName(Answer answer);

}  // namespace bp
