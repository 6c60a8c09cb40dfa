#include "cefsim/src/command_line/command_line_impl.h"

#include <fstream>
#include <iterator>
#include <sstream>

namespace cefsim {
namespace {

constexpr char kSwitchPrefix[] = "--";
constexpr char kSwitchTerminator[] = "--";
constexpr char kSwitchValueSeparator = '=';

// The length of the switch prefix that |arg| starts with, or 0.
size_t SwitchPrefixLength(const std::string& arg) {
  if (arg.compare(0, 2, kSwitchPrefix) == 0)
    return 2;
  return !arg.empty() && arg[0] == '-' ? 1 : 0;
}

// "--name=value" or "-name" gives the switch as written (prefix and all) and
// its value; anything else is a plain argument.
bool ParseSwitch(const std::string& arg, std::string* written,
                 std::string* value) {
  size_t prefix = SwitchPrefixLength(arg);
  if (prefix == 0 || arg.size() == prefix)
    return false;
  size_t eq = arg.find(kSwitchValueSeparator, prefix);
  *written = arg.substr(0, eq);
  *value = eq == std::string::npos ? std::string() : arg.substr(eq + 1);
  return written->size() > prefix;
}

std::vector<std::string> ProcessArguments() {
  std::ifstream in("/proc/self/cmdline", std::ios::binary);
  std::string all((std::istreambuf_iterator<char>(in)),
                  std::istreambuf_iterator<char>());
  std::vector<std::string> args;
  std::string current;
  for (char c : all) {
    if (c == '\0') {
      args.push_back(current);
      current.clear();
    } else {
      current.push_back(c);
    }
  }
  if (!current.empty())
    args.push_back(current);
  return args;
}

std::vector<std::string> SplitOnBlanks(const std::string& text) {
  std::istringstream in(text);
  return std::vector<std::string>(std::istream_iterator<std::string>(in),
                                  std::istream_iterator<std::string>());
}

}  // namespace

CommandLineImpl::CommandLineImpl(bool read_only)
    : read_only_(read_only), argv_(1) {}

std::vector<std::string> CommandLineImpl::ArgvUtf8() {
  std::lock_guard<std::mutex> lock(mutex_);
  return argv_;
}

std::string CommandLineImpl::SwitchValueUtf8(const std::string& name) {
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = switches_.find(name);
  return it == switches_.end() ? std::string() : it->second;
}

void CommandLineImpl::MakeReadOnly() {
  std::lock_guard<std::mutex> lock(mutex_);
  read_only_ = true;
}

bool CommandLineImpl::IsReadOnly() {
  std::lock_guard<std::mutex> lock(mutex_);
  return read_only_;
}

CefRefPtr<CefCommandLine> CommandLineImpl::Copy() {
  CefRefPtr<CommandLineImpl> copy = new CommandLineImpl();
  std::lock_guard<std::mutex> lock(mutex_);
  copy->argv_ = argv_;
  copy->begin_args_ = begin_args_;
  copy->switches_ = switches_;
  return copy.get();
}

void CommandLineImpl::InitFromArgv(int argc, const char* const* argv) {
  std::vector<std::string> args;
  for (int i = 0; i < argc && argv; ++i)
    args.push_back(argv[i] ? argv[i] : "");
  InitFromStrings(args);
}

void CommandLineImpl::InitFromString(const CefString& command_line) {
  InitFromStrings(SplitOnBlanks(command_line.ToString()));
}

void CommandLineImpl::InitFromStrings(const std::vector<std::string>& args) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (read_only_)
    return;
  argv_.assign(1, args.empty() ? std::string() : args[0]);
  begin_args_ = 1;
  switches_.clear();
  bool parse_switches = true;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (parse_switches && arg == kSwitchTerminator) {
      parse_switches = false;
      continue;
    }
    std::string written, value;
    if (parse_switches && ParseSwitch(arg, &written, &value))
      AppendSwitchLocked(written, value);
    else
      argv_.push_back(arg);
  }
}

void CommandLineImpl::Reset() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (read_only_)
    return;
  argv_.resize(1);  // The program stays.
  begin_args_ = 1;
  switches_.clear();
}

void CommandLineImpl::GetArgv(std::vector<CefString>& argv) {
  argv.clear();
  for (const std::string& arg : ArgvUtf8())
    argv.push_back(arg);
}

CefString CommandLineImpl::GetCommandLineString() {
  std::string joined;
  for (const std::string& arg : ArgvUtf8()) {
    if (!joined.empty())
      joined.push_back(' ');
    joined += arg;
  }
  return joined;
}

CefString CommandLineImpl::GetProgram() {
  std::lock_guard<std::mutex> lock(mutex_);
  return argv_[0];
}

void CommandLineImpl::SetProgram(const CefString& program) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!read_only_)
    argv_[0] = program.ToString();
}

bool CommandLineImpl::HasSwitches() {
  std::lock_guard<std::mutex> lock(mutex_);
  return !switches_.empty();
}

bool CommandLineImpl::HasSwitch(const CefString& name) {
  std::lock_guard<std::mutex> lock(mutex_);
  return switches_.count(name.ToString()) != 0;
}

CefString CommandLineImpl::GetSwitchValue(const CefString& name) {
  return SwitchValueUtf8(name.ToString());
}

void CommandLineImpl::GetSwitches(SwitchMap& switches) {
  switches.clear();
  std::lock_guard<std::mutex> lock(mutex_);
  for (const auto& entry : switches_)
    switches[entry.first] = entry.second;
}

void CommandLineImpl::AppendSwitch(const CefString& name) {
  AppendSwitchWithValue(name, CefString());
}

void CommandLineImpl::AppendSwitchWithValue(const CefString& name,
                                            const CefString& value) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!read_only_)
    AppendSwitchLocked(name.ToString(), value.ToString());
}

void CommandLineImpl::AppendSwitchLocked(const std::string& written,
                                         const std::string& value) {
  // The switch is known by its name alone; the line keeps the prefix it was
  // written with, or gets the usual one.
  size_t prefix = SwitchPrefixLength(written);
  switches_[written.substr(prefix)] = value;
  std::string entry = prefix ? written : kSwitchPrefix + written;
  if (!value.empty())
    entry += kSwitchValueSeparator + value;
  argv_.insert(argv_.begin() + begin_args_, entry);
  ++begin_args_;
}

bool CommandLineImpl::HasArguments() {
  std::lock_guard<std::mutex> lock(mutex_);
  return argv_.size() > begin_args_;
}

void CommandLineImpl::GetArguments(ArgumentList& arguments) {
  arguments.clear();
  std::lock_guard<std::mutex> lock(mutex_);
  for (size_t i = begin_args_; i < argv_.size(); ++i)
    arguments.push_back(argv_[i]);
}

void CommandLineImpl::AppendArgument(const CefString& argument) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!read_only_)
    argv_.push_back(argument.ToString());
}

void CommandLineImpl::PrependWrapper(const CefString& wrapper) {
  std::vector<std::string> words = SplitOnBlanks(wrapper.ToString());
  std::lock_guard<std::mutex> lock(mutex_);
  if (read_only_ || words.empty())
    return;
  argv_.insert(argv_.begin(), words.begin(), words.end());
  begin_args_ += words.size();
}

CefRefPtr<CommandLineImpl> CommandLineFromMainArgs(const CefMainArgs& args) {
  CefRefPtr<CommandLineImpl> command_line = new CommandLineImpl();
  if (args.argc > 0 && args.argv)
    command_line->InitFromArgv(args.argc, args.argv);
  else
    command_line->InitFromStrings(ProcessArguments());
  return command_line;
}

}  // namespace cefsim
