#include "frame/key_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <openssl/crypto.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "bp/env.h"
#include "bp/erros.h"

namespace bp {

Secret::~Secret() { OPENSSL_cleanse(bytes.data(), bytes.size()); }

void LogKeyFailure(int32_t number, const std::string& failure, const std::string& source) {
  GravaLogEMostraErro(number, failure, source, "", false, kKeyLogName);
}

namespace keys {
namespace {

// A key file is a few hundred bytes; anything this large is not one.
constexpr off_t kMaxKeyBytes = 64 * 1024;

// `o arquivo "X"`, with the variable that named it.
std::string TheFile(const KeyLocation& where) {
  std::string text = "o arquivo \"" + where.path + "\"";
  if (where.named_by_variable) text += ", indicado pela variável " + std::string(where.variable) + ",";
  return text;
}

class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

std::string Octal(mode_t mode) {
  char text[8];
  std::snprintf(text, sizeof text, "%04o", static_cast<unsigned>(mode & 07777));
  return text;
}

}  // namespace

KeyLocation Locate(const char* variable, const char* file_name) {
  const char* named = std::getenv(variable);
  if (named != nullptr && *named != '\0') return {named, variable, true};
  return {Env::Current().ModuleFolder() + kPathSeparator + file_name, variable, false};
}

bool ReadKeyFile(const KeyLocation& where, std::string_view label, Secret& content,
                 KeyProblem& problem, std::string& failure) {
  const std::string who(label);
  Fd fd(::open(where.path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) {
    if (errno == ENOENT || errno == ENOTDIR) {
      problem = KeyProblem::kNotFound;
      failure = where.variable != nullptr && !where.named_by_variable
                    ? who + " não encontrada: a variável " + where.variable +
                          " não está definida e o arquivo \"" + where.path + "\" não existe."
                    : who + " não encontrada: " + TheFile(where) + " não existe.";
    } else {
      problem = KeyProblem::kCannotOpen;
      failure = who + " inacessível: não foi possível abrir " + TheFile(where) + " (" +
                std::strerror(errno) + ").";
    }
    return false;
  }
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) {
    problem = KeyProblem::kCannotOpen;
    failure = who + " inacessível: " + TheFile(where) + " não é um arquivo comum.";
    return false;
  }
  // A secret others could read is no longer a secret: refuse it outright.
  if ((st.st_mode & (S_IRGRP | S_IROTH)) != 0) {
    problem = KeyProblem::kRefused;
    failure = who + " recusada: " + TheFile(where) +
              " pode ser lido pelo grupo ou por outros usuários (permissões " + Octal(st.st_mode) +
              "); deixe-o legível só pelo dono (chmod 600 \"" + where.path + "\").";
    return false;
  }
  if (st.st_size > kMaxKeyBytes) {
    problem = KeyProblem::kInvalid;
    failure = who + " inválida: " + TheFile(where) + " é grande demais para uma chave.";
    return false;
  }
  content.bytes.assign(static_cast<std::size_t>(st.st_size), '\0');
  std::size_t got = 0;
  while (got < content.bytes.size()) {
    const ssize_t n = ::read(fd.get(), content.bytes.data() + got, content.bytes.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    got += static_cast<std::size_t>(n);
  }
  if (got != content.bytes.size()) {
    problem = KeyProblem::kCannotOpen;
    failure = who + " inacessível: não foi possível ler " + TheFile(where) + ".";
    return false;
  }
  return true;
}

std::string InvalidKey(std::string_view label, const KeyLocation& where, std::string_view expected) {
  return std::string(label) + " inválida: " + TheFile(where) + " não contém " +
         std::string(expected) + ".";
}

std::string CreateKeyFile(const std::string& path, std::string_view content) {
  Fd fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, S_IRUSR | S_IWUSR));
  if (fd.get() < 0) {
    if (errno == EEXIST) return "O arquivo \"" + path + "\" já existe; nada foi gravado.";
    return "Não foi possível criar o arquivo \"" + path + "\" (" + std::strerror(errno) + ").";
  }
  // The umask may only take bits away; set the mode explicitly all the same.
  bool ok = ::fchmod(fd.get(), S_IRUSR | S_IWUSR) == 0;
  std::size_t done = 0;
  while (ok && done < content.size()) {
    const ssize_t n = ::write(fd.get(), content.data() + done, content.size() - done);
    if (n < 0 && errno == EINTR) continue;
    ok = n > 0;
    if (ok) done += static_cast<std::size_t>(n);
  }
  if (!ok) {
    const std::string why = std::strerror(errno);
    ::unlink(path.c_str());
    return "Não foi possível gravar o arquivo \"" + path + "\" (" + why + ").";
  }
  return "";
}

}  // namespace keys
}  // namespace bp
