#include "cli/options.h"

#include <algorithm>
#include <charconv>
#include <iostream>
#include <utility>

#include <fmt/format.h>

#include "bp/erro.h"
#include "cli/relogio.h"

namespace posto {
namespace {

using Rows = std::vector<std::pair<std::string, std::string>>;

bool IsHelp(const std::string& word) { return word == "--help" || word == "-h"; }

std::optional<int32_t> ToInt(const std::string& text) {
  int32_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

Args Words(const std::string& text) {
  Args words;
  for (size_t at = 0; at < text.size();) {
    const size_t end = std::min(text.find(' ', at), text.size());
    words.push_back(text.substr(at, end - at));
    at = end + 1;
  }
  return words;
}

std::string Join(const Args& words) {
  std::string text;
  for (const std::string& w : words) text += (text.empty() ? "" : " ") + w;
  return text;
}

bool StartsWith(const Args& words, const Args& prefix) {
  return prefix.size() <= words.size() && std::equal(prefix.begin(), prefix.end(), words.begin());
}

// Two columns, the second aligned after the widest first one.
std::string Table(const Rows& rows) {
  size_t width = 0;
  for (const auto& row : rows) width = std::max(width, row.first.size());
  std::string text;
  for (const auto& [left, right] : rows) text += fmt::format("  {:<{}}  {}\n", left, width, right);
  return text;
}

// The command's arguments as its usage line shows them: " ARQUIVO", " [PASTA]".
std::string ArgumentWords(const Command& command) {
  std::string text;
  for (const Argument& a : command.arguments) text += a.optional ? " [" + a.name + "]" : " " + a.name;
  return text;
}

std::string List(const Args& prefix, const std::vector<Command>& commands) {
  const std::string path = Join(prefix);
  const std::string word = prefix.empty() ? "<comando>" : "<subcomando>";
  Rows rows;
  for (const Command& c : commands) {
    if (StartsWith(Words(c.name), prefix)) rows.emplace_back(c.name + ArgumentWords(c), c.summary);
  }
  const std::string start = "posto " + (path.empty() ? "" : path + " ") + word;
  return "uso: " + start + " [opções]\n\n" + (prefix.empty() ? "comandos:\n" : "subcomandos:\n") +
         Table(rows) + "\n\"" + start + " --help\" mostra as opções de cada um.\n";
}

}  // namespace

Option Flag(std::string name, std::string help) {
  return {std::move(name), "", std::move(help), ValueKind::kNone};
}
Option Text(std::string name, std::string value, std::string help) {
  return {std::move(name), std::move(value), std::move(help), ValueKind::kText};
}
Option Integer(std::string name, std::string value, std::string help) {
  return {std::move(name), std::move(value), std::move(help), ValueKind::kInteger};
}
Option Moment(std::string name, std::string help) {
  return {std::move(name), "DATA", help + "; forma: " + kFormaDataHora, ValueKind::kMoment};
}

Options::Options(const Command& command, const Args& words) {
  for (size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (word.size() < 2 || word[0] != '-') {
      arguments_.push_back(word);
      continue;
    }
    const size_t equals = word.rfind("--", 0) == 0 ? word.find('=') : std::string::npos;
    const std::string name = word.substr(0, equals);
    const auto option = std::find_if(command.options.begin(), command.options.end(),
                                     [&](const Option& o) { return o.name == name; });
    if (option == command.options.end()) throw UsageError("opção desconhecida: " + name);
    if (option->kind == ValueKind::kNone) {
      if (equals != std::string::npos) throw UsageError(name + " não leva valor");
      values_[name].clear();
      continue;
    }
    std::string value;
    if (equals != std::string::npos) {
      value = word.substr(equals + 1);
    } else if (i + 1 < words.size() && words[i + 1].rfind("--", 0) != 0) {
      value = words[++i];
    } else {
      throw UsageError("falta o valor de " + name);
    }
    if (option->kind == ValueKind::kInteger && !ToInt(value))
      throw UsageError(name + " espera um número inteiro, recebeu \"" + value + "\"");
    if (option->kind == ValueKind::kMoment && !LerDataHora(value))
      throw UsageError(name + " espera " + kFormaDataHora + ", recebeu \"" + value + "\"");
    values_[name] = value;
  }
  if (arguments_.size() > command.arguments.size())
    throw UsageError("argumento inesperado: " + arguments_[command.arguments.size()]);
  for (size_t i = arguments_.size(); i < command.arguments.size(); ++i) {
    if (!command.arguments[i].optional) throw UsageError("falta o argumento " + command.arguments[i].name);
  }
}

std::string Options::Text(const std::string& name, const std::string& fallback) const {
  const auto it = values_.find(name);
  return it == values_.end() ? fallback : it->second;
}

int32_t Options::Int(const std::string& name, int32_t fallback) const {
  const auto it = values_.find(name);
  return it == values_.end() ? fallback : *ToInt(it->second);
}

std::optional<bp::DateTime> Options::Moment(const std::string& name) const {
  const auto it = values_.find(name);
  return it == values_.end() ? std::nullopt : LerDataHora(it->second);
}

std::string Options::Argument(size_t index) const {
  return index < arguments_.size() ? arguments_[index] : std::string();
}

std::string Usage(const Command& command) {
  std::string text =
      "uso: posto " + command.name + " [opções]" + ArgumentWords(command) + "\n\n" + command.summary + "\n";
  if (!command.arguments.empty()) {
    Rows rows;
    for (const posto::Argument& a : command.arguments) rows.emplace_back(a.name, a.help);
    text += "\nargumentos:\n" + Table(rows);
  }
  Rows rows;
  for (const Option& o : command.options)
    rows.emplace_back(o.value.empty() ? o.name : o.name + " " + o.value, o.help);
  rows.emplace_back("-h, --help", "mostra esta ajuda");
  return text + "\nopções:\n" + Table(rows);
}

int Run(const Command& command, const Args& words) {
  if (std::any_of(words.begin(), words.end(), IsHelp)) {
    std::cout << Usage(command);
    return 0;
  }
  const std::string who = "posto " + command.name + ": ";
  try {
    const Options options(command, words);
    return command.run(options);
  } catch (const UsageError& e) {
    std::cout.flush();
    std::cerr << who << e.what() << "\n\n" << Usage(command);
    return 2;
  } catch (const bp::Erro& e) {
    std::cout.flush();
    std::cerr << who << "Erro " << bp::HexNumber(e.number) << " (" << e.number
              << "): " << e.description << "\nFonte: " << e.source << "\n";
    return 2;
  } catch (const std::exception& e) {
    std::cout.flush();
    std::cerr << who << e.what() << "\n";
    return 1;
  }
}

int Dispatch(const std::vector<Command>& commands, const Args& words) {
  const Command* found = nullptr;
  size_t length = 0;
  for (const Command& c : commands) {
    const Args name = Words(c.name);
    if (name.size() > length && StartsWith(words, name)) {
      found = &c;
      length = name.size();
    }
  }
  if (found) return Run(*found, Args(words.begin() + static_cast<std::ptrdiff_t>(length), words.end()));

  // The leading words that begin some command's name make the group listed.
  Args group;
  while (group.size() < words.size()) {
    Args longer = group;
    longer.push_back(words[group.size()]);
    if (std::none_of(commands.begin(), commands.end(),
                     [&](const Command& c) { return StartsWith(Words(c.name), longer); }))
      break;
    group = std::move(longer);
  }
  const std::string next = group.size() < words.size() ? words[group.size()] : "";
  if (IsHelp(next) || (group.empty() && next == "ajuda")) {
    std::cout << List(group, commands);
    return 0;
  }
  const std::string what = group.empty() ? "comando" : "subcomando";
  const std::string problem = next.empty() ? "falta o " + what : what + " desconhecido: " + next;
  std::cerr << "posto" << (group.empty() ? "" : " " + Join(group)) << ": " << problem << "\n\n"
            << List(group, commands);
  return 2;
}

}  // namespace posto
