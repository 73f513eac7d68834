// The version steps of the library, added to the step table range by range.
#pragma once

#include "bp/schema/version_step.h"

namespace bp::schema {

void AddSteps019To071(StepTable& table);
void AddSteps073To133(StepTable& table);
void AddSteps142To197(StepTable& table);
void AddSteps200To297(StepTable& table);
void AddSteps308To441(StepTable& table);
void AddSteps445To500(StepTable& table);

}  // namespace bp::schema
