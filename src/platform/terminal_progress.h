// A progress window drawn as one line on standard error: title, bar,
// percentage label and the current step. Silent when stderr is not a terminal.
#pragma once

#include "bp/env.h"

namespace bp {

class TerminalProgressWindow : public ProgressWindow {
 public:
  explicit TerminalProgressWindow(bool visible) : visible_(visible) {}
  ~TerminalProgressWindow() override { Close(); }
  void Draw(const ProgressView& view) override;
  bool CancelClicked() override { return false; }
  void Close() override;

 private:
  bool visible_;
  bool drawn_ = false;
  bool closed_ = false;
};

}  // namespace bp
