#include "bp/public_class.h"

#include <string>
#include <utility>

#include "bp/erro.h"

namespace bp {

void PublicClass::SetObBOSistema(host::BOSistemaRef ob_bo_sistema) {
  ob_bo_sistema_ = std::move(ob_bo_sistema);
  OnSessionSet();
}

void PublicClass::LetProperty(std::string_view name, const Value&) { RaiseNotSupported(name); }

Value PublicClass::GetProperty(std::string_view name) const { RaiseNotSupported(name); }

void PublicClass::RaiseNotSupported(std::string_view name) const {
  RaiseRuntime(rt::kMemberNotSupported, Info().name + "." + std::string(name));
}

}  // namespace bp
