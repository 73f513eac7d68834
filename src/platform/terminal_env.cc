#include "platform/terminal_env.h"

#include <dlfcn.h>
#include <fnmatch.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <thread>

#include "bp/erro.h"
#include "platform/terminal_progress.h"

namespace bp {
namespace fs = std::filesystem;

const char* AnswerName(Answer answer) {
  switch (answer) {
    case Answer::Ok: return "OK";
    case Answer::Yes: return "Sim";
    case Answer::No: return "Não";
  }
  return "";
}

DateTime TerminalEnv::Now() {
  const std::time_t t = std::time(nullptr);
  std::tm local{};
  localtime_r(&t, &local);
  return DateTime::Of(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                      local.tm_min, std::min(local.tm_sec, 59));
}

void TerminalEnv::Sleep(int32_t milliseconds) {
  if (milliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

Answer TerminalEnv::MessageBox(const MessageBoxRequest& r) {
  const Answer fallback = r.DefaultAnswer();
  if (!isatty(STDIN_FILENO)) {
    std::cerr << "[" << r.caption << "] " << r.text << " -> " << AnswerName(fallback)
              << " (botão padrão, sem terminal)\n";
    return fallback;
  }
  std::cerr << "\n[" << r.caption << "]\n" << r.text << "\n";
  if (r.buttons == Buttons::Ok) {
    std::cerr << "(Enter para OK) ";
    std::string ignored;
    std::getline(std::cin, ignored);
    return Answer::Ok;
  }
  for (;;) {
    std::cerr << (fallback == Answer::Yes ? "[S/n] " : "[s/N] ");
    std::string line;
    if (!std::getline(std::cin, line)) return fallback;
    if (line.empty()) return fallback;
    const char c = line[0];
    if (c == 's' || c == 'S') return Answer::Yes;
    if (c == 'n' || c == 'N') return Answer::No;
  }
}

std::unique_ptr<ProgressWindow> TerminalEnv::CreateProgressWindow() {
  return std::make_unique<TerminalProgressWindow>(isatty(STDERR_FILENO) != 0);
}

bool TerminalEnv::FileExists(const std::string& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec);
}

void TerminalEnv::DeleteFile(const std::string& path) {
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) RaiseRuntime(rt::kFileNotFound, path);
  if (!fs::remove(path, ec)) {
    RaiseRuntime(ec == std::errc::permission_denied ? rt::kPermissionDenied
                                                    : rt::kPathFileAccessError,
                 path);
  }
}

std::vector<std::string> TerminalEnv::ListFiles(const std::string& pattern) {
  const fs::path p(pattern);
  const fs::path folder = p.has_parent_path() ? p.parent_path() : fs::path(".");
  const std::string mask = p.filename().string();
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    if (!it->is_regular_file(ec)) continue;
    const std::string name = it->path().filename().string();
    if (fnmatch(mask.c_str(), name.c_str(), 0) == 0) names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

namespace {
// The file that holds this code: the program the library is linked into,
// or the shared object when it is built as one.
fs::path ModulePath() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&ModulePath), &info) != 0 && info.dli_fname != nullptr) {
    std::error_code ec;
    fs::path p = fs::canonical(fs::path(info.dli_fname), ec);
    if (!ec) return p;
  }
  std::error_code ec;
  return fs::read_symlink("/proc/self/exe", ec);
}
}  // namespace

std::string ModuleNameOf(const fs::path& file) {
  // A shared object's version numbers follow ".so" (libbp.so.2.1.0.501).
  const std::string name = file.filename().string();
  const size_t so = name.find(".so");
  if (so != std::string::npos && (so + 3 == name.size() || name[so + 3] == '.'))
    return name.substr(0, so);
  return file.stem().string();
}

std::string TerminalEnv::ModuleFolder() { return ModulePath().parent_path().string(); }
std::string TerminalEnv::ModuleName() { return ModuleNameOf(ModulePath()); }
std::string TerminalEnv::AppTitle() { return kProjectName; }

std::optional<std::string> TerminalEnv::RemovableDriveFolder(const std::string& drive) {
  auto it = drives_.find(drive);
  if (it == drives_.end()) return std::nullopt;
  return it->second;
}

void TerminalEnv::SetRemovableDrive(const std::string& drive, const std::string& folder) {
  drives_[drive] = folder;
}

}  // namespace bp
