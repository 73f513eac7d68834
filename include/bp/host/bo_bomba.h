// The host's pump object. The forecourt classes own one and hand it the
// session with their other business objects; they ask nothing else of it.
#pragma once

#include "bp/host/bo_negocio.h"

namespace bp::host {

class BOBomba : public BONegocio {};

}  // namespace bp::host
