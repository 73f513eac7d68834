#include "support/fake_host.h"

#include "bp/format.h"

namespace bp::testing {

std::string Dia(DateTime date) { return Format(date, "dd/mm/yyyy"); }

std::vector<std::string> CallLog::Calls(const std::vector<std::string>& prefixes) const {
  std::vector<std::string> out;
  for (const std::string& call : log) {
    for (const std::string& p : prefixes) {
      if (call.starts_with(p)) {
        out.push_back(call);
        break;
      }
    }
  }
  return out;
}

void FakeHost::Log(const std::string& call) {
  log.push_back(call);
  auto it = falhas.find(call.substr(0, call.find(' ')));
  if (it != falhas.end()) throw it->second;
}

void FakeHost::BeginWork(const std::string& origin, bool& marker) {
  Log("BeginWork " + origin);
  marker = true;
}

}  // namespace bp::testing
