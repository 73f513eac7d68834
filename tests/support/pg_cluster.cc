#include "support/pg_cluster.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <grp.h>
#include <netinet/in.h>
#include <pwd.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <optional>
#include <thread>
#include <vector>

#include "bp/erro.h"

namespace bp::testing {

namespace fs = std::filesystem;

namespace {

// The user the server runs as: nobody in particular for an ordinary user;
// "postgres" for root.
struct RunAs {
  bool switch_user = false;
  uid_t uid = 0;
  gid_t gid = 0;
};

// The newest installed server's programs, in /usr/lib/postgresql/<version>/bin
// where Debian's packages put them.
std::optional<fs::path> FindBinaries() {
  std::optional<fs::path> best;
  int best_version = -1;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator("/usr/lib/postgresql", ec)) {
    const fs::path bin = entry.path() / "bin";
    if (!fs::exists(bin / "initdb") || !fs::exists(bin / "postgres")) continue;
    const int version = std::atoi(entry.path().filename().c_str());
    if (version > best_version) {
      best_version = version;
      best = bin;
    }
  }
  return best;
}

// The last lines of a log, to say why a program failed.
std::string Tail(const fs::path& log) {
  std::ifstream in(log);
  std::deque<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    lines.push_back(line);
    if (lines.size() > 6) lines.pop_front();
  }
  std::string text;
  for (const auto& line : lines) text += "\n    " + line;
  return text;
}

// Starts `argv` as the server's user with its output appended to `log`.
// With `tied`, the child is interrupted (a fast shutdown) if this process
// dies without stopping it, so no server outlives a crashed test.
pid_t Spawn(const std::vector<std::string>& argv, const RunAs& as, const fs::path& folder,
            const fs::path& log, bool tied) {
  std::vector<char*> args;
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  const pid_t parent = getpid();
  const pid_t pid = fork();
  if (pid != 0) return pid;
  // Child: only system calls from here on.
  const int fd = open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
  if (fd >= 0) {
    dup2(fd, STDOUT_FILENO);
    dup2(fd, STDERR_FILENO);
    close(fd);
  }
  const int null_in = open("/dev/null", O_RDONLY);
  if (null_in >= 0) dup2(null_in, STDIN_FILENO);
  if (as.switch_user && (setgroups(0, nullptr) != 0 || setgid(as.gid) != 0 || setuid(as.uid) != 0))
    _exit(126);
  if (chdir(folder.c_str()) != 0) _exit(126);
  // Set after the change of user, which would clear it.
  if (tied && (prctl(PR_SET_PDEATHSIG, SIGINT) != 0 || getppid() != parent)) _exit(126);
  execv(args[0], args.data());
  _exit(127);
}

int Wait(pid_t pid) {
  if (pid <= 0) return -1;
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// A port nobody listens on now. Another process could take it before the
// server does; Start then tries again with a new one.
int FreePort() {
  const int s = socket(AF_INET, SOCK_STREAM, 0);
  if (s < 0) return 0;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  socklen_t size = sizeof address;
  int port = 0;
  if (bind(s, reinterpret_cast<sockaddr*>(&address), size) == 0 &&
      getsockname(s, reinterpret_cast<sockaddr*>(&address), &size) == 0)
    port = ntohs(address.sin_port);
  close(s);
  return port;
}

}  // namespace

PgCluster& PgCluster::Shared() {
  static PgCluster cluster;
  return cluster;
}

PgCluster::PgCluster() {
  try {
    Start();
  } catch (const std::exception& e) {
    problem_ = std::string("the server could not be set up: ") + e.what();
  }
  if (!problem_.empty()) Stop();  // removes a half-made folder
}

PgCluster::~PgCluster() { Stop(); }

std::string PgCluster::Url(const std::string& database) const {
  return "postgresql://postgres@127.0.0.1:" + std::to_string(port_) + "/" + database;
}

void PgCluster::Start() {
  const auto bin = FindBinaries();
  if (!bin) {
    problem_ = "no PostgreSQL server programs (initdb, postgres) are installed";
    return;
  }
  RunAs as;
  if (geteuid() == 0) {
    const passwd* user = getpwnam("postgres");
    if (!user) {
      problem_ = "running as root and there is no 'postgres' user to run the server as";
      return;
    }
    as = {true, user->pw_uid, user->pw_gid};
  }
  std::string folder = (fs::temp_directory_path() / "bp-pg-XXXXXX").string();
  if (!mkdtemp(folder.data())) {
    problem_ = "cannot create a temporary folder in " + fs::temp_directory_path().string();
    return;
  }
  folder_ = folder;
  if (as.switch_user && chown(folder_.c_str(), as.uid, as.gid) != 0) {
    problem_ = "cannot hand " + folder_ + " to the 'postgres' user";
    return;
  }
  const fs::path data = fs::path(folder_) / "data";
  const fs::path log = fs::path(folder_) / "server.log";
  const int initdb = Wait(Spawn({(*bin / "initdb").string(), "-D", data.string(), "-U", "postgres",
                                 "--auth=trust", "-E", "UTF8", "--no-locale", "--no-sync"},
                                as, folder_, log, false));
  if (initdb != 0) {
    problem_ = "initdb failed (exit " + std::to_string(initdb) + "):" + Tail(log);
    return;
  }
  for (int attempt = 0; attempt < 3 && pid_ <= 0; ++attempt) {
    port_ = FreePort();
    const pid_t pid = Spawn({(*bin / "postgres").string(), "-D", data.string(), "-p",
                             std::to_string(port_), "-c", "listen_addresses=127.0.0.1", "-c",
                             "unix_socket_directories=" + folder_, "-c", "fsync=off", "-c",
                             "synchronous_commit=off", "-c", "full_page_writes=off"},
                            as, folder_, log, true);
    if (pid < 0) break;
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (std::chrono::steady_clock::now() < give_up) {
      int status = 0;
      if (waitpid(pid, &status, WNOHANG) == pid) break;  // exited: the port was taken?
      try {
        db::ConnectionOptions quick;
        quick.connection_timeout = 2;
        db::Connection::Open(Url(), quick);
        pid_ = pid;
        break;
      } catch (const Erro&) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
      }
    }
    if (pid_ <= 0 && waitpid(pid, nullptr, WNOHANG) == 0) {
      kill(pid, SIGKILL);
      Wait(pid);
    }
  }
  if (pid_ <= 0) problem_ = "the server did not start:" + Tail(log);
}

void PgCluster::Stop() {
  if (pid_ > 0) {
    kill(pid_, SIGINT);  // fast shutdown: disconnect clients, stop cleanly
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (waitpid(pid_, nullptr, WNOHANG) == 0) {
      if (std::chrono::steady_clock::now() > give_up) {
        kill(pid_, SIGKILL);
        Wait(pid_);
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    pid_ = 0;
  }
  if (!folder_.empty()) {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
    folder_.clear();
  }
}

std::string PgCluster::CreateDatabase() {
  const std::string name = "test_" + std::to_string(++databases_);
  db::Connection::Open(Url())->Execute("CREATE DATABASE " + name);
  return Url(name);
}

void PgTest::SetUp() {
  PgCluster& cluster = PgCluster::Shared();
  if (!cluster.Running()) GTEST_SKIP() << "PostgreSQL unavailable: " << cluster.Problem();
  url_ = cluster.CreateDatabase();
}

std::unique_ptr<db::Connection> PgTest::Connect(const db::ConnectionOptions& options) const {
  return db::Connection::Open(url_, options);
}

}  // namespace bp::testing
