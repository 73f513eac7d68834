// A throw-away PostgreSQL server for the tests of this process: initialised
// in a temporary folder, listening only on 127.0.0.1 on a free port (and on a
// unix socket inside the folder), trusting every local connection, stopped
// and removed when the process ends. Run as root (as CI does), the server
// runs as the unprivileged "postgres" user, since PostgreSQL refuses root.
#pragma once

#include <sys/types.h>

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "bp/db/connection.h"

namespace bp::testing {

class PgCluster {
 public:
  // The process's server, started on the first call.
  static PgCluster& Shared();

  ~PgCluster();
  PgCluster(const PgCluster&) = delete;
  PgCluster& operator=(const PgCluster&) = delete;

  bool Running() const { return pid_ > 0; }
  // Why the server is not running ("" when it is).
  const std::string& Problem() const { return problem_; }

  // The URL of a database of the server.
  std::string Url(const std::string& database = "postgres") const;
  // Creates a new empty database (test_1, test_2 ...) and returns its URL,
  // so tests never see each other's tables.
  std::string CreateDatabase();

 private:
  PgCluster();
  void Start();
  void Stop();

  std::string folder_;
  int port_ = 0;
  pid_t pid_ = 0;
  std::string problem_;
  int databases_ = 0;
};

// Base of every PostgreSQL test: each test gets a database of its own; when
// no server could be started the test is skipped with the reason.
class PgTest : public ::testing::Test {
 protected:
  void SetUp() override;

  const std::string& Url() const { return url_; }
  std::unique_ptr<db::Connection> Connect(const db::ConnectionOptions& options = {}) const;

 private:
  std::string url_;
};

}  // namespace bp::testing
