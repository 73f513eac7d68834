#include "bp/trap.h"

namespace bp {

std::string Segment(std::string_view owner, std::string_view proc) {
  std::string s;
  s.reserve(owner.size() + proc.size() + 5);
  s.append(" -> ").append(owner).append(".").append(proc);
  return s;
}

void RethrowDirect(std::string_view owner, std::string_view proc) {
  Erro e = ToErro(std::current_exception());
  throw Erro(e.number, std::move(e.description), e.source + Segment(owner, proc) + ", ");
}

}  // namespace bp
