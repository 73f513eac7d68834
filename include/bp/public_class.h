// The base of every public class: the session object the host hands in,
// the class's type-library descriptor, and late-bound property access.
#pragma once

#include <string_view>
#include <utility>

#include "bp/class_info.h"
#include "bp/host/bo_sistema.h"
#include "bp/value.h"

namespace bp {

class PublicClass {
 public:
  virtual ~PublicClass() = default;
  PublicClass(const PublicClass&) = delete;
  PublicClass& operator=(const PublicClass&) = delete;

  // ObBOSistema (get): the session stored last; null if never set.
  const host::BOSistemaRef& ObBOSistema() const { return ob_bo_sistema_; }

  // ObBOSistema (set by reference): stores the session, then lets the class
  // pass it on to its helper objects. The instance never creates a session.
  void SetObBOSistema(host::BOSistemaRef ob_bo_sistema);

  // The class's entry in the type library.
  virtual const ClassInfo& Info() const = 0;

  // A plain-value property written or read by name, as a late-bound host
  // does. Classes with such properties override these; by default every name
  // raises 438 "Object doesn't support this property or method".
  virtual void LetProperty(std::string_view name, const Value& value);
  virtual Value GetProperty(std::string_view name) const;

 protected:
  PublicClass() = default;

  // Runs after every assignment of the session; classes that own helper
  // objects hand them the session (or what it exposes) here.
  virtual void OnSessionSet() {}

  // Raises 438 naming the member; for overrides of the by-name access that
  // meet a name they do not publish.
  [[noreturn]] void RaiseNotSupported(std::string_view name) const;

 private:
  host::BOSistemaRef ob_bo_sistema_;
};

// Base of the classes that also offer setBOSistema, a plain method doing
// exactly what the ObBOSistema property set does.
class PublicClassWithSetBOSistema : public PublicClass {
 public:
  void setBOSistema(host::BOSistemaRef pObBOSistema) { SetObBOSistema(std::move(pObBOSistema)); }

 protected:
  PublicClassWithSetBOSistema() = default;
};

}  // namespace bp
