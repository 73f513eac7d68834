// BPEmitirNfServicosDeCupom: publishes only the session property; it keeps
// the session the host assigns and gives it back, and offers no operation.
#pragma once

#include "bp/public_class.h"

namespace bp {

class BPEmitirNfServicosDeCupom final : public PublicClass {
 public:
  const ClassInfo& Info() const override;
};

}  // namespace bp
