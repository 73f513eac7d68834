#include "schema/steps/steps.h"
#include "schema/steps/steps_019_071_parts.h"

namespace bp::schema {

void AddSteps019To071(StepTable& table) {
  AddSteps019To026(table);
  AddSteps038To053(table);
  AddSteps056To071(table);
}

}  // namespace bp::schema
