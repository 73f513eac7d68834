#include "cli/options.h"

#include <algorithm>
#include <charconv>

#include "bp/erro.h"

namespace posto {

Options::Options(const Args& args) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a.rfind("--", 0) != 0) {
      positional.push_back(a);
      continue;
    }
    const bool has_value = i + 1 < args.size() && args[i + 1].rfind("--", 0) != 0;
    values_[a] = has_value ? args[++i] : std::string();
  }
  if (Has("--db")) db = values_["--db"];
}

std::string Options::Text(const std::string& name, const std::string& fallback) const {
  const auto it = values_.find(name);
  return it == values_.end() ? fallback : it->second;
}

std::string Options::Unknown(std::initializer_list<std::string_view> known) const {
  for (const auto& [name, value] : values_) {
    if (std::find(known.begin(), known.end(), name) == known.end()) return name;
  }
  return "";
}

int32_t Options::Int(const std::string& name, int32_t fallback) const {
  const auto it = values_.find(name);
  if (it == values_.end()) return fallback;
  int32_t value = 0;
  const std::string& s = it->second;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (ec != std::errc() || end != s.data() + s.size()) {
    bp::RaiseRuntime(bp::rt::kTypeMismatch, name + " " + s);
  }
  return value;
}

}  // namespace posto
