#include "support/recording_session.h"

namespace bp::testing {

std::vector<std::string> RecordingSession::Calls(const std::vector<std::string>& prefixes) const {
  std::vector<std::string> out;
  for (const std::string& line : log) {
    for (const std::string& p : prefixes) {
      if (line.rfind(p, 0) == 0) {
        out.push_back(line);
        break;
      }
    }
  }
  return out;
}

void RecordingSession::BeginWork(const std::string& origin, bool& marker) {
  log.push_back("BeginWork " + origin);
  real_.BeginWork(origin, marker);
}

void RecordingSession::EndWork(const std::string& origin, bool marker) {
  log.push_back("EndWork " + origin);
  real_.EndWork(origin, marker);
}

void RecordingSession::BeginTrans(const std::string& name, bool marker) {
  log.push_back("BeginTrans " + name);
  real_.ObDAL().BeginTrans(name, marker);
}

void RecordingSession::CommitTrans(const std::string& name, bool marker) {
  log.push_back("CommitTrans " + name);
  real_.ObDAL().CommitTrans(name, marker);
}

void RecordingSession::RollbackTrans(const std::string& name, bool marker) {
  log.push_back("RollbackTrans " + name);
  real_.ObDAL().RollbackTrans(name, marker);
}

}  // namespace bp::testing
