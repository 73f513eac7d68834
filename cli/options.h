// The options of a posto subcommand: "--name value" pairs and bare flags,
// with the database target (--db) defaulting to posto.db, and the words that
// are no option's value.
#pragma once

#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "cli/commands.h"

namespace posto {

class Options {
 public:
  explicit Options(const Args& args);

  std::string db = "posto.db";
  std::vector<std::string> positional;
  bool Has(const std::string& name) const { return values_.count(name) != 0; }
  std::string Text(const std::string& name, const std::string& fallback) const;
  // A whole-number option; raises 13 "Type mismatch" naming the option when
  // the value is not a number.
  int32_t Int(const std::string& name, int32_t fallback) const;
  // The first option given that is not one of `known`; "" when none.
  std::string Unknown(std::initializer_list<std::string_view> known) const;

 private:
  std::map<std::string, std::string> values_;
};

}  // namespace posto
