#include <gtest/gtest.h>

#include "cefsim/src/command_line/command_line_impl.h"

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
            (std::vector<std::string>{"prog", "--a=1", "-b", "--c",
                                      "--d= spaced value", "file", "tail"}));
  EXPECT_EQ(line->GetSwitchValue("d").ToString(), " spaced value");
  EXPECT_TRUE(line->HasSwitch("b"));
  EXPECT_FALSE(line->HasSwitch("file"));
  CefCommandLine::ArgumentList arguments;
  line->GetArguments(arguments);
  ASSERT_EQ(arguments.size(), 2u);
  EXPECT_EQ(arguments[1].ToString(), "tail");
}

TEST(CommandLineTest, AppendedNamesMayBeWrittenWithTheirPrefix) {
  CefRefPtr<cefsim::CommandLineImpl> line = new cefsim::CommandLineImpl();
  line->SetProgram("prog");
  line->AppendSwitch("--long");
  line->AppendSwitchWithValue("-short", "v");
  line->AppendSwitch("plain");
  EXPECT_TRUE(line->HasSwitch("long"));
  EXPECT_FALSE(line->HasSwitch("--long"));
  EXPECT_EQ(line->GetSwitchValue("short").ToString(), "v");
  CefCommandLine::SwitchMap switches;
  line->GetSwitches(switches);
  EXPECT_EQ(switches.size(), 3u);
  EXPECT_EQ(Argv(line), (std::vector<std::string>{"prog", "--long", "-short=v",
                                                  "--plain"}));

  line->AppendArgument("file");
  line->Reset();
  EXPECT_EQ(Argv(line), std::vector<std::string>{"prog"});
  EXPECT_FALSE(line->HasSwitches());
  EXPECT_FALSE(line->HasArguments());
  line->AppendSwitch("again");
  EXPECT_EQ(line->GetCommandLineString().ToString(), "prog --again");
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
