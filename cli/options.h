// The command line of posto. Every command declares its options and
// arguments once (Command); the same declaration reads the words before the
// command touches anything and writes the command's usage text.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "bp/datetime.h"

namespace posto {

using Args = std::vector<std::string>;

// What an option's value must be; checked while the words are read.
enum class ValueKind { kNone, kText, kInteger, kMoment };

struct Option {
  std::string name;   // "--db"
  std::string value;  // the value's name in the usage ("BANCO"); empty for a flag
  std::string help;
  ValueKind kind = ValueKind::kText;
};

Option Flag(std::string name, std::string help);
Option Text(std::string name, std::string value, std::string help);
Option Integer(std::string name, std::string value, std::string help);
// A date and time in one of the forms of cli/relogio.h.
Option Moment(std::string name, std::string help);

struct Argument {
  std::string name;  // "ARQUIVO"
  std::string help;
  bool optional = false;
};

class Options;

struct Command {
  std::string name;     // the words after "posto": "db upgrade"
  std::string summary;  // one line, for the usage and the lists of commands
  std::vector<Option> options;
  std::vector<Argument> arguments;  // in order, the optional ones last
  int (*run)(const Options&) = nullptr;  // returns the exit status
};

// A command line that does not fit the declaration: reported with the usage
// on standard error, exit status 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A command that cannot do its work: reported on standard error, exit
// status 1.
class Failure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The words given to a command, read against its declaration.
class Options {
 public:
  // Raises UsageError for an unknown option, a missing or malformed value,
  // a missing argument or an extra one.
  Options(const Command& command, const Args& words);

  bool Has(const std::string& name) const { return values_.count(name) != 0; }
  std::string Text(const std::string& name, const std::string& fallback) const;
  int32_t Int(const std::string& name, int32_t fallback) const;
  std::optional<bp::DateTime> Moment(const std::string& name) const;
  // The positional argument at `index`; "" when it was not given.
  std::string Argument(size_t index) const;

 private:
  std::map<std::string, std::string> values_;
  Args arguments_;
};

// The usage text of one command, from its declaration.
std::string Usage(const Command& command);

// Runs a command with the words after its name. --help or -h prints the
// usage on standard output and runs nothing; a UsageError, Failure or raised
// error is reported on standard error with its exit status.
int Run(const Command& command, const Args& words);

// Runs the command that the first words name, the longest name first. Help,
// a missing or unknown command or subcommand get the list of the commands
// concerned (on standard output for help, standard error with status 2
// otherwise).
int Dispatch(const std::vector<Command>& commands, const Args& words);

}  // namespace posto
