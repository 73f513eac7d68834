#include "bp/enumerador.h"

#include <memory>

#include "bp/registry.h"

namespace bp {

const ClassInfo& Enumerador::Info() const { return typelib::Enumerador(); }

namespace classes {
void RegisterEnumerador() {
  RegisterClass(typelib::Enumerador(), [] { return std::make_unique<Enumerador>(); });
}
}  // namespace classes

}  // namespace bp
