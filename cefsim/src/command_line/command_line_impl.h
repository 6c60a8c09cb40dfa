// Chromium's command-line model: the program, then the switches in the order
// they were added, then the plain arguments.
#ifndef CEFSIM_SRC_COMMAND_LINE_COMMAND_LINE_IMPL_H_
#define CEFSIM_SRC_COMMAND_LINE_COMMAND_LINE_IMPL_H_

#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "include/cef_command_line.h"

namespace cefsim {

class CommandLineImpl : public CefCommandLine {
 public:
  explicit CommandLineImpl(bool read_only = false);

  // The UTF-8 form of GetArgv(), for the stand-in's own use.
  std::vector<std::string> ArgvUtf8();
  std::string SwitchValueUtf8(const std::string& name);
  void MakeReadOnly();
  void InitFromStrings(const std::vector<std::string>& args);

  bool IsValid() override { return true; }
  bool IsReadOnly() override;
  CefRefPtr<CefCommandLine> Copy() override;
  void InitFromArgv(int argc, const char* const* argv) override;
  void InitFromString(const CefString& command_line) override;
  void Reset() override;
  void GetArgv(std::vector<CefString>& argv) override;
  CefString GetCommandLineString() override;
  CefString GetProgram() override;
  void SetProgram(const CefString& program) override;
  bool HasSwitches() override;
  bool HasSwitch(const CefString& name) override;
  CefString GetSwitchValue(const CefString& name) override;
  void GetSwitches(SwitchMap& switches) override;
  void AppendSwitch(const CefString& name) override;
  void AppendSwitchWithValue(const CefString& name,
                             const CefString& value) override;
  bool HasArguments() override;
  void GetArguments(ArgumentList& arguments) override;
  void AppendArgument(const CefString& argument) override;
  void PrependWrapper(const CefString& wrapper) override;

 private:
  // |written| is the switch's name, with or without a prefix.
  void AppendSwitchLocked(const std::string& written, const std::string& value);

  std::mutex mutex_;
  bool read_only_;
  // argv_[0] is the program; switches occupy [1, begin_args_).
  std::vector<std::string> argv_;
  size_t begin_args_ = 1;
  std::map<std::string, std::string> switches_;

  IMPLEMENT_REFCOUNTING(CommandLineImpl);
};

// The command line of this process, read from the main arguments or, when
// they are empty, from the operating system.
CefRefPtr<CommandLineImpl> CommandLineFromMainArgs(const CefMainArgs& args);

}  // namespace cefsim

#endif  // CEFSIM_SRC_COMMAND_LINE_COMMAND_LINE_IMPL_H_
