// Separate host processes: the C host, and the command-line tool registering
// the module for it.
#include <gtest/gtest.h>

#include <string>

#include "TempRegistry.h"

using module_tests::RunCommand;
using module_tests::TempRegistry;

namespace {

const std::string kHost = GLYPHWARD_C_HOST_PATH;
const std::string kTool = GLYPHWARD_CLI_PATH;
const std::string kModule = GLYPHWARD_MODULE_PATH;

TEST(CHost, DrivesTheModuleThroughItsFunctionTable) {
  TempRegistry registry;
  std::string output;
  EXPECT_EQ(RunCommand(kHost + " direct " + kModule, &output), 0) << output;
}

TEST(CHost, FindsNothingBeforeRegistration) {
  TempRegistry registry;
  std::string output;
  EXPECT_EQ(RunCommand(kHost + " unregistered", &output), 0) << output;
  EXPECT_NE(RunCommand(kHost + " progid", &output), 0);
}

TEST(CommandLine, RegistersForHostsAndUnregistersAgain) {
  TempRegistry registry;
  std::string output;
  ASSERT_EQ(RunCommand(kTool + " register " + kModule, &output), 0) << output;
  EXPECT_EQ(output, "registered " + kModule + "\n");
  EXPECT_NE(registry.Read().find("[Mirel.Glyphward.1\\CLSID]"), std::string::npos);
  EXPECT_EQ(RunCommand(kHost + " progid", &output), 0) << output;
  // The tool itself now works through the registered module.
  EXPECT_EQ(RunCommand(kTool + " validate x y", &output), 1) << output;
  EXPECT_EQ(output, "invalid\n");

  ASSERT_EQ(RunCommand(kTool + " unregister " + kModule, &output), 0) << output;
  EXPECT_EQ(registry.Read().find("Mirel.Glyphward"), std::string::npos);
  EXPECT_EQ(RunCommand(kHost + " unregistered", &output), 0) << output;
}

TEST(CommandLine, ReportsFailuresWithStatusThree) {
  TempRegistry registry;
  std::string output;
  EXPECT_EQ(RunCommand(kTool + " register " + registry.Folder() + "/missing.so", &output), 3);
  EXPECT_NE(output.find("cannot load"), std::string::npos) << output;
  EXPECT_EQ(RunCommand(kTool + " register /bin/sh", &output), 3) << output;
  EXPECT_EQ(RunCommand(kTool + " register", &output), 2) << output;

  registry.Write("damaged\n");
  EXPECT_EQ(RunCommand(kTool + " register " + kModule, &output), 3);
  EXPECT_NE(output.find("not a valid registry"), std::string::npos) << output;
  EXPECT_EQ(registry.Read(), "damaged\n");
  // Pictures and sounds refuse to guess which class to use; checking an
  // answer needs no component object and still works.
  EXPECT_EQ(RunCommand(kTool + " image -o " + registry.Folder() + "/x.jpg", &output), 3) << output;
  EXPECT_EQ(RunCommand(kTool + " sound -o " + registry.Folder() + "/x.wav", &output), 3) << output;
  EXPECT_EQ(RunCommand(kTool + " validate x y", &output), 1) << output;
}

}  // namespace
