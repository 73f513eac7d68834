// Key files of the deployment: where one is looked for, reading one that only
// its owner may read, and creating a new one that way. The sentences name
// files and variables only, never what a file holds.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "bp/keys.h"

namespace bp::keys {

// Where a key is looked for.
struct KeyLocation {
  std::string path;
  const char* variable = nullptr;  // the variable consulted; null for a path given directly
  bool named_by_variable = false;  // the path is the variable's value
};

// The file `variable` names, else `file_name` in the library module's folder.
KeyLocation Locate(const char* variable, const char* file_name);

// Reads the whole key file into `content`. A missing or unopenable file, or
// one that group or other users may read, sets `problem` and a sentence
// beginning with `label` ("Chave EAD") and returns false.
bool ReadKeyFile(const KeyLocation& where, std::string_view label, Secret& content,
                 KeyProblem& problem, std::string& failure);

// The sentence for a file whose content is not `expected`.
std::string InvalidKey(std::string_view label, const KeyLocation& where, std::string_view expected);

// Creates `path` with mode 0600 holding `content`; refuses a path that
// exists. Returns "" on success, else why, naming the file.
std::string CreateKeyFile(const std::string& path, std::string_view content);

// A key that could not be had.
template <class Key>
KeyResult<Key> Failed(KeyProblem problem, std::string failure) {
  KeyResult<Key> result;
  result.problem = problem;
  result.failure = std::move(failure);
  return result;
}

// Writes the new key's file (`content`) and gives the key back when that works.
template <class Key>
KeyResult<Key> SaveNewKey(const std::string& path, std::string_view content, Key key) {
  std::string failure = CreateKeyFile(path, content);
  if (!failure.empty()) return Failed<Key>(KeyProblem::kCannotOpen, std::move(failure));
  KeyResult<Key> result;
  result.key = std::move(key);
  return result;
}

}  // namespace bp::keys
