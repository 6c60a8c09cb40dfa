#include <gtest/gtest.h>

#include "command_line/command_line_impl.h"

namespace {

std::vector<std::string> Argv(CefRefPtr<cefsim::CommandLineImpl> line) {
  return line->ArgvUtf8();
}

TEST(CommandLineTest, SwitchesGoBeforeArgumentsInTheOrderAdded) {
  CefRefPtr<cefsim::CommandLineImpl> line = new cefsim::CommandLineImpl();
  const char* argv[] = {"prog", "--a=1", "file", "-b"};
  line->InitFromArgv(4, argv);
  line->AppendSwitch("c");
  line->AppendSwitchWithValue("d", " spaced value");
  line->AppendArgument("tail");
  EXPECT_EQ(Argv(line),
            (std::vector<std::string>{"prog", "--a=1", "--b", "--c",
                                      "--d= spaced value", "file", "tail"}));
  EXPECT_EQ(line->GetSwitchValue("d").ToString(), " spaced value");
  EXPECT_TRUE(line->HasSwitch("b"));
  EXPECT_FALSE(line->HasSwitch("file"));
  CefCommandLine::ArgumentList arguments;
  line->GetArguments(arguments);
  ASSERT_EQ(arguments.size(), 2u);
  EXPECT_EQ(arguments[1].ToString(), "tail");
}

TEST(CommandLineTest, EverythingAfterTheTerminatorIsAnArgument) {
  CefRefPtr<cefsim::CommandLineImpl> line = new cefsim::CommandLineImpl();
  const char* argv[] = {"prog", "--", "--not-a-switch"};
  line->InitFromArgv(3, argv);
  EXPECT_FALSE(line->HasSwitches());
  EXPECT_TRUE(line->HasArguments());
}

TEST(CommandLineTest, ReadOnlyLinesIgnoreChangesAndCopiesAreIndependent) {
  CefRefPtr<cefsim::CommandLineImpl> line = new cefsim::CommandLineImpl();
  line->AppendSwitch("kept");
  CefRefPtr<CefCommandLine> copy = line->Copy();
  line->MakeReadOnly();
  line->AppendSwitch("ignored");
  copy->AppendSwitch("only-in-copy");
  EXPECT_FALSE(line->HasSwitch("ignored"));
  EXPECT_FALSE(line->HasSwitch("only-in-copy"));
  EXPECT_TRUE(copy->HasSwitch("kept"));
  EXPECT_TRUE(line->IsReadOnly());
}

}  // namespace
