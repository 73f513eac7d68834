// The tables written out by hand as text beside the tests (the published
// enumerations, error numbers and classes in tests/contracts/, the rows the
// last steps seed in tests/catalogue/): one row a line.
#pragma once

#include <string>
#include <vector>

namespace bp::testing {

// The rows of `name` (a path below tests/), in order. Blank lines and lines
// that start with '#' are left out; a line that starts with blanks goes on
// with the row above it, after one blank. Raises std::runtime_error when the
// file cannot be read.
std::vector<std::string> TableRows(const std::string& name);

}  // namespace bp::testing
