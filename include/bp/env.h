// The platform port: everything the library needs from the operating system
// and the user's screen. Production code never reads the wall clock, sleeps,
// shows a box or touches the file system's listing except through this port,
// so tests replace it with a scripted one and run instantly.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "bp/datetime.h"

namespace bp {

enum class Buttons { Ok = 0, YesNo = 4 };
enum class Icon { None = 0, Critical = 16, Question = 32, Exclamation = 48, Information = 64 };
enum class DefaultButton { First = 0, Second = 256 };
enum class Answer { Ok = 1, Yes = 6, No = 7 };

struct MessageBoxRequest {
  std::string text;
  std::string caption;
  Buttons buttons = Buttons::Ok;
  Icon icon = Icon::None;
  DefaultButton default_button = DefaultButton::First;

  // The answer a default-button press gives.
  Answer DefaultAnswer() const;
};

// What a progress window shows at one moment.
struct ProgressView {
  std::string caption;
  int32_t maximum = 100;
  int32_t value = 0;
  std::string percent_label;  // "Percentual"
  std::string action;         // "Acao"
  bool cancel_visible = false;
  int32_t height_twips = 2400;
  bool animation_playing = false;
};

// One modeless progress window on the platform's screen.
class ProgressWindow {
 public:
  virtual ~ProgressWindow() = default;
  virtual void Draw(const ProgressView& view) = 0;
  // True once the user has clicked the Cancel button (polled by DoEvents).
  virtual bool CancelClicked() = 0;
  virtual void Close() = 0;
};

class Env {
 public:
  virtual ~Env() = default;

  // The environment the library uses now (the terminal one unless replaced).
  static Env& Current();
  // Replaces the current environment; nullptr restores the default one.
  static void SetCurrent(Env* env);

  virtual DateTime Now() = 0;
  virtual void Sleep(int32_t milliseconds) = 0;

  // A modal message box; returns the button pressed.
  virtual Answer MessageBox(const MessageBoxRequest& request) = 0;
  virtual std::unique_ptr<ProgressWindow> CreateProgressWindow() = 0;
  // Lets pending window events run (repaints, a click on Cancel).
  virtual void DoEvents() = 0;

  virtual bool FileExists(const std::string& path) = 0;
  // Deletes a file; raises 53 "File not found" or 75 when it cannot.
  virtual void DeleteFile(const std::string& path) = 0;
  // Names (without folder) of the files matching a pattern such as
  // "/media/a/*.txt"; "*" and "?" are the wildcards.
  virtual std::vector<std::string> ListFiles(const std::string& pattern) = 0;

  // Folder holding the library's module, without a trailing separator.
  virtual std::string ModuleFolder() = 0;
  // File name of the library's module without folder or extension.
  virtual std::string ModuleName() = 0;
  // The component's application title, used as the caption of its boxes.
  virtual std::string AppTitle() = 0;
  // Folder standing for a removable drive ("A:" or "B:"); none by default.
  virtual std::optional<std::string> RemovableDriveFolder(const std::string& drive) = 0;
};

// The path separator of this platform, for paths the library builds.
inline constexpr char kPathSeparator = '/';

}  // namespace bp
