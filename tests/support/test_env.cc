#include "support/test_env.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>


namespace bp::testing {
namespace fs = std::filesystem;

namespace {

class RecordingWindow : public ProgressWindow {
 public:
  explicit RecordingWindow(TestEnv& env) : env_(env) {}
  void Draw(const ProgressView& view) override { env_.draws.push_back(view); }
  bool CancelClicked() override { return env_.click_cancel; }
  void Close() override {
    if (!closed_) ++env_.windows_closed;
    closed_ = true;
  }

 private:
  TestEnv& env_;
  bool closed_ = false;
};

}  // namespace

TestEnv::TestEnv() {
  std::string tmpl = (fs::temp_directory_path() / "bp-test-XXXXXX").string();
  if (mkdtemp(tmpl.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  folder_ = tmpl;
  previous_ = &Env::Current();
  Env::SetCurrent(this);
}

TestEnv::~TestEnv() {
  Env::SetCurrent(previous_ == this ? nullptr : previous_);
  std::error_code ec;
  fs::remove_all(folder_, ec);
}

std::string TestEnv::Path(const std::string& name) const { return folder_ + "/" + name; }

void TestEnv::Sleep(int32_t milliseconds) {
  sleeps.push_back(milliseconds);
  now = now.AddSeconds(milliseconds / 1000);
}

Answer TestEnv::MessageBox(const MessageBoxRequest& request) {
  boxes.push_back(request);
  if (answers.empty()) return request.DefaultAnswer();
  const Answer a = answers.front();
  answers.pop_front();
  return a;
}

std::unique_ptr<ProgressWindow> TestEnv::CreateProgressWindow() {
  ++windows_created;
  return std::make_unique<RecordingWindow>(*this);
}

std::optional<std::string> TestEnv::RemovableDriveFolder(const std::string& drive) {
  auto it = drives.find(drive);
  if (it == drives.end()) return std::nullopt;
  return it->second;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

std::vector<std::string> CrlfLines(const std::string& text) {
  std::vector<std::string> lines;
  for (size_t start = 0; start < text.size();) {
    const size_t end = std::min(text.find("\r\n", start), text.size());
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

}  // namespace bp::testing
