#include <initializer_list>
#include <string>

#include "bp/erros.h"
#include "bp/schema/version_step.h"
#include "schema/steps/steps.h"

namespace bp::schema {
namespace {

// Every version that has a step of its own. A number of this list whose
// step is not part of this build refuses to run, so that a database is never
// marked with a version whose changes it did not receive.
constexpr int32_t kStepNumbers[] = {
    19,  21,  26,  38,  40,  44,  45,  46,  48,  49,  52,  53,  56,  57,  60,  66,  67,
    70,  71,  73,  74,  76,  87,  89,  92,  94,  97,  106, 107, 108, 111, 115, 117, 120,
    121, 124, 125, 131, 133, 142, 147, 148, 149, 151, 157, 158, 160, 162, 164, 169, 170,
    174, 177, 179, 180, 186, 192, 197, 200, 206, 207, 210, 212, 216, 218, 225, 229, 240,
    244, 245, 255, 256, 259, 266, 272, 275, 277, 278, 286, 295, 297, 308, 312, 317, 318,
    321, 324, 328, 331, 354, 356, 361, 366, 373, 374, 377, 379, 383, 384, 387, 389, 395,
    398, 401, 403, 404, 415, 417, 420, 423, 424, 429, 431, 433, 436, 437, 438, 440, 441,
    445, 451, 453, 459, 462, 463, 464, 465, 466, 467, 468, 469, 470, 471, 473, 475, 476,
    477, 500};

Tolerance ToleranceOf(int32_t n) {
  switch (n) {
    case 117:
    case 120: return Tolerance::kSkipAll;
    case 272: return Tolerance::kSkip380AndIntegrity;
    case 157:
    case 451: return Tolerance::kSkipUntilMarked;
    default: return Tolerance::kNone;
  }
}

StepTable Build() {
  StepTable table;
  AddSteps019To071(table);
  AddSteps073To133(table);
  AddSteps142To197(table);
  AddSteps200To297(table);
  AddSteps308To441(table);
  AddSteps445To500(table);
  for (int32_t n : kStepNumbers) {
    if (table.Find(n - 1) != nullptr) continue;
    table.Add(Step{n, ToleranceOf(n), [n](StepContext&) {
                     throw Erro(kErroNegocio,
                                "A atualização para a versão " + std::to_string(n) +
                                    " do banco de dados não está disponível nesta versão da "
                                    "biblioteca.",
                                "BPAtualizarBancoDeDados");
                   }});
  }
  return table;
}

}  // namespace

const StepTable& LibrarySteps() {
  static const StepTable table = Build();
  return table;
}

}  // namespace bp::schema
