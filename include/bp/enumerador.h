// Enumerador: a class without members whose only purpose is to publish the
// enumerations of bp/enums.h in the type library.
#pragma once

#include "bp/public_class.h"

namespace bp {

class Enumerador final : public PublicClass {
 public:
  const ClassInfo& Info() const override;
};

}  // namespace bp
