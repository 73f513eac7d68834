#include "support/recording_session.h"

namespace bp::testing {

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
