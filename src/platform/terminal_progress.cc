#include "platform/terminal_progress.h"

#include <cstdio>
#include <string>

namespace bp {

void TerminalProgressWindow::Draw(const ProgressView& view) {
  if (!visible_ || closed_) return;
  constexpr int kWidth = 30;
  const int max = view.maximum > 0 ? view.maximum : 1;
  int filled = static_cast<int>(static_cast<long long>(view.value) * kWidth / max);
  if (filled < 0) filled = 0;
  if (filled > kWidth) filled = kWidth;
  std::string line = "\r\033[K" + view.caption + " [" + std::string(filled, '#') +
                     std::string(kWidth - filled, '.') + "] " + view.percent_label;
  if (!view.action.empty()) line += " " + view.action;
  std::fputs(line.c_str(), stderr);
  std::fflush(stderr);
  drawn_ = true;
}

void TerminalProgressWindow::Close() {
  if (closed_) return;
  closed_ = true;
  if (visible_ && drawn_) {
    std::fputs("\n", stderr);
    std::fflush(stderr);
  }
}

}  // namespace bp
