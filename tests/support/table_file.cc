#include "support/table_file.h"

#include <fstream>
#include <stdexcept>

namespace bp::testing {

std::vector<std::string> TableRows(const std::string& name) {
  std::ifstream file(std::string(BP_TEST_TABLES "/") + name);
  if (!file) throw std::runtime_error("cannot open tests/" + name);
  std::vector<std::string> rows;
  for (std::string line; std::getline(file, line);) {
    const size_t start = line.find_first_not_of(' ');
    if (start == std::string::npos || line[0] == '#') continue;
    if (start == 0 || rows.empty()) {
      rows.push_back(line);
    } else {
      rows.back() += " " + line.substr(start);
    }
  }
  return rows;
}

}  // namespace bp::testing
