// The options of a posto subcommand: "--name value" pairs and bare flags,
// with the database target (--db) defaulting to posto.db.
#pragma once

#include <map>
#include <string>

#include "cli/commands.h"

namespace posto {

class Options {
 public:
  explicit Options(const Args& args);

  std::string db = "posto.db";
  bool Has(const std::string& name) const { return values_.count(name) != 0; }
  std::string Text(const std::string& name, const std::string& fallback) const;
  // A whole-number option; raises 13 "Type mismatch" naming the option when
  // the value is not a number.
  int32_t Int(const std::string& name, int32_t fallback) const;

 private:
  std::map<std::string, std::string> values_;
};

}  // namespace posto
