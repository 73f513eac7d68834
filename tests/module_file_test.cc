// The terminal Env names the file that holds the library's code: the error
// log, the keys and the progress clip are looked for beside it.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "platform/terminal_env.h"

namespace {
namespace fs = std::filesystem;

TEST(TerminalEnvModule, IsTheLibraryFileWithoutFolderExtensionOrVersion) {
  bp::TerminalEnv env;
  // The shared library is reached through its version links; a static one
  // lives inside this test program.
  const fs::path module =
      BP_LIBRARY_IS_SHARED ? fs::canonical(BP_LIBRARY) : fs::read_symlink("/proc/self/exe");
  EXPECT_EQ(env.ModuleFolder(), module.parent_path().string());
  EXPECT_EQ(env.ModuleName(), BP_LIBRARY_IS_SHARED ? "libbp" : "bp_tests");

  EXPECT_EQ(bp::ModuleNameOf("/usr/lib/libbp.so.2.1.0.501"), "libbp");
  EXPECT_EQ(bp::ModuleNameOf("libbp.so"), "libbp");
  EXPECT_EQ(bp::ModuleNameOf("/opt/posto/bin/posto"), "posto");
  EXPECT_EQ(bp::ModuleNameOf("BP.dll"), "BP");
}

}  // namespace
