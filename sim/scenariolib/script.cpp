#include "script.h"

#include "library.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <utility>
#include <vector>

namespace scenario {
namespace {

constexpr int kKnownModes = kCheckOnly | kEchoCommands | kStopAtFirstFailure;
constexpr int kDeepestFile = 8;                 // guards against files that run each other
constexpr unsigned long kLongestWait = 600000;  // ten minutes, in milliseconds

enum class Op { Callbox, ExpectCallbox, Wait, Echo };

struct Command {
  Op op = Op::Echo;
  bool on = false;
  unsigned long milliseconds = 0;
  std::string text;     // what echo prints
  std::string written;  // the command as the script has it
  std::string where;    // "script:<line>" or "<file>:<line>"
};

// Where commands come from: the script itself or a file it runs, with the folder relative paths start from.
struct Source {
  std::string name;
  std::string folder;
  int depth;
};

bool Fail(const std::string& where, const std::string& problem) {
  ReportProblem(where + ": " + problem);
  return false;
}

std::string Trim(const std::string& text) {
  const char* const blanks = " \t\r\n";
  const size_t first = text.find_first_not_of(blanks);
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// "word the rest" as {"word", "the rest"}.
std::pair<std::string, std::string> SplitWord(const std::string& text) {
  const size_t blank = text.find_first_of(" \t");
  if (blank == std::string::npos) return {text, std::string()};
  return {text.substr(0, blank), Trim(text.substr(blank))};
}

bool ParseOnOff(const std::string& word, bool& on) {
  if (word != "on" && word != "off") return false;
  on = word == "on";
  return true;
}

bool ParseMilliseconds(const std::string& text, unsigned long& milliseconds) {
  if (text.empty() || text.size() > 6 || text.find_first_not_of("0123456789") != std::string::npos)
    return false;
  milliseconds = std::stoul(text);
  return milliseconds <= kLongestWait;
}

bool IsAbsolute(const std::string& path) {
  return (!path.empty() && (path[0] == '\\' || path[0] == '/')) || (path.size() >= 2 && path[1] == ':');
}

std::string FolderOf(const std::string& path) { return path.substr(0, path.find_last_of("\\/") + 1); }

bool ParseText(const std::string& text, const Source& source, std::vector<Command>& commands);

bool ParseFile(const std::string& argument, const Source& source, const std::string& where,
               std::vector<Command>& commands) {
  if (argument.empty()) return Fail(where, "run needs the path of a script file");
  if (source.depth >= kDeepestFile) return Fail(where, "script files nested deeper than 8");
  const std::string path = IsAbsolute(argument) ? argument : source.folder + argument;
  std::ifstream file(path, std::ios::binary);
  if (!file) return Fail(where, "cannot open \"" + path + "\"");
  const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  return ParseText(text, Source{path, FolderOf(path), source.depth + 1}, commands);
}

bool ParseCommand(const std::string& written, const Source& source, const std::string& where,
                  std::vector<Command>& commands) {
  const auto [word, rest] = SplitWord(written);
  Command command;
  command.written = written;
  command.where = where;
  if (word == "echo") {
    command.op = Op::Echo;
    command.text = rest;
  } else if (word == "callbox") {
    command.op = Op::Callbox;
    if (!ParseOnOff(rest, command.on)) return Fail(where, "callbox takes on or off, not \"" + rest + "\"");
  } else if (word == "expect") {
    command.op = Op::ExpectCallbox;
    const auto [what, state] = SplitWord(rest);
    if (what != "callbox" || !ParseOnOff(state, command.on))
      return Fail(where, "expect takes callbox on or callbox off, not \"" + rest + "\"");
  } else if (word == "wait") {
    command.op = Op::Wait;
    if (!ParseMilliseconds(rest, command.milliseconds))
      return Fail(where, "wait takes milliseconds from 0 to 600000, not \"" + rest + "\"");
  } else if (word == "run") {
    return ParseFile(rest, source, where, commands);
  } else {
    return Fail(where, "unknown command \"" + word + "\"");
  }
  commands.push_back(std::move(command));
  return true;
}

// Lines hold commands separated by ';'; a '#' starts a comment that runs to the line's end.
bool ParseText(const std::string& text, const Source& source, std::vector<Command>& commands) {
  size_t lineStart = 0;
  for (int line = 1; lineStart <= text.size(); ++line) {
    const size_t lineEnd = std::min(text.find('\n', lineStart), text.size());
    const std::string content = text.substr(lineStart, lineEnd - lineStart);
    const std::string code = content.substr(0, content.find('#'));
    const std::string where = source.name + ":" + std::to_string(line);
    size_t start = 0;
    while (start <= code.size()) {
      const size_t end = std::min(code.find(';', start), code.size());
      const std::string written = Trim(code.substr(start, end - start));
      if (!written.empty() && !ParseCommand(written, source, where, commands)) return false;
      start = end + 1;
    }
    lineStart = lineEnd + 1;
  }
  return true;
}

const char* OnOff(bool on) { return on ? "on" : "off"; }

bool Execute(const Command& command) {
  switch (command.op) {
    case Op::Callbox:
      SetCallbox(command.on);
      return true;
    case Op::ExpectCallbox:
      if (CallboxOn() == command.on) return true;
      return Fail(command.where, std::string("expected the call box ") + OnOff(command.on) + ", it is " +
                                     OnOff(!command.on));
    case Op::Wait:
      Sleep(command.milliseconds);
      return true;
    case Op::Echo:
      std::printf("%s\n", command.text.c_str());
      std::fflush(stdout);
      return true;
  }
  return false;
}

}  // namespace

bool RunScript(const std::string& text, int mode) {
  if ((mode & ~kKnownModes) != 0) {
    ReportProblem("unknown mode " + std::to_string(mode) + " (known flags: 1, 2, 4)");
    return false;
  }
  std::vector<Command> commands;
  if (!ParseText(text, Source{"script", std::string(), 0}, commands)) return false;
  if ((mode & kCheckOnly) != 0) return true;
  bool succeeded = true;
  for (const Command& command : commands) {
    if ((mode & kEchoCommands) != 0) {
      std::printf("> %s\n", command.written.c_str());
      std::fflush(stdout);
    }
    if (Execute(command)) continue;
    succeeded = false;
    if ((mode & kStopAtFirstFailure) != 0) break;
  }
  return succeeded;
}

}  // namespace scenario
