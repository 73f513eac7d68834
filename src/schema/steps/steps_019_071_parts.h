// The steps 19 to 71, added to the step table in three groups.
#pragma once

#include "bp/schema/version_step.h"

namespace bp::schema {

void AddSteps019To026(StepTable& table);
void AddSteps038To053(StepTable& table);
void AddSteps056To071(StepTable& table);

}  // namespace bp::schema
