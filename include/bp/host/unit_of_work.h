// A unit of work on the session: begins on construction, ends exactly once,
// either by End() on the caller's chosen path or by the destructor on every
// other path (where a failure of the end is swallowed, since another failure
// is already on its way up).
#pragma once

#include <string>

#include "bp/host/bo_sistema.h"

namespace bp::host {

class UnitOfWork {
 public:
  UnitOfWork(BOSistema& session, std::string origin);
  ~UnitOfWork();
  UnitOfWork(const UnitOfWork&) = delete;
  UnitOfWork& operator=(const UnitOfWork&) = delete;

  bool Marker() const { return marker_; }
  const std::string& Origin() const { return origin_; }
  // Ends the work now; a second call does nothing.
  void End();

 private:
  BOSistema& session_;
  std::string origin_;
  bool marker_ = false;
  bool ended_ = false;
};

// "Class.Procedure", the origin text of a unit of work.
std::string Origem(std::string_view owner, std::string_view proc);

}  // namespace bp::host
