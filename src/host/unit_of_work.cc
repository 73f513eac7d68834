#include "bp/host/unit_of_work.h"

namespace bp::host {

UnitOfWork::UnitOfWork(BOSistema& session, std::string origin)
    : session_(session), origin_(std::move(origin)) {
  session_.BeginWork(origin_, marker_);
}

UnitOfWork::~UnitOfWork() {
  if (ended_) return;
  try {
    End();
  } catch (...) {
  }
}

void UnitOfWork::End() {
  if (ended_) return;
  ended_ = true;
  session_.EndWork(origin_, marker_);
}

std::string Origem(std::string_view owner, std::string_view proc) {
  std::string s(owner);
  s.append(".").append(proc);
  return s;
}

}  // namespace bp::host
