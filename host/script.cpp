#include "script.h"

#include "wording.h"

#include <parameters/parameter_table.h>
#include <znGeranApiInterfaceDll.h>

#include <algorithm>
#include <map>
#include <utility>

namespace geran::host {
namespace {

constexpr std::size_t kMaxBufferSize = 1 << 20;

bool IsKeyword(std::string_view name) { return name == "out" || name == "null" || name == "any"; }

std::string Quoted(std::string_view spelling) { return "'" + std::string(spelling) + "'"; }

// Out values declared so far: name -> whether it holds a text (else a 32-bit integer).
using OutKinds = std::map<std::string, bool, std::less<>>;

// Checks one line against the export table and the out values declared before it; every error is
// thrown as a ScriptError.
class LineParser {
 public:
  LineParser(std::string_view text, int line, OutKinds& outs) : lexer_(text, line), outs_(outs) {}

  std::optional<Step> Parse() {
    lexer_.SkipSpace();
    if (lexer_.StartsWith("##")) {
      lexer_.Skip(2);
      return Heading{lexer_.RestTrimmed()};
    }
    if (lexer_.AtEnd()) return std::nullopt;
    if (lexer_.NextWord() == "journal") return ParseJournalCheck();
    return ParseCall();
  }

 private:
  [[noreturn]] static void FailAt(Location where, std::string message) {
    Lexer::FailAt(where, std::move(message));
  }

  Step ParseJournalCheck() {
    JournalCheck check;
    check.where = lexer_.Here();
    lexer_.ReadName();  // "journal"
    lexer_.SkipSpace();
    check.pattern = lexer_.NextWord() == "like";
    if (check.pattern) {
      lexer_.ReadName();
      lexer_.SkipSpace();
    }
    if (lexer_.Peek() != '"') lexer_.Fail("expected \"text\" or like \"pattern\" after journal");
    check.expected = lexer_.ReadString();
    check.spelling = std::string(lexer_.Since(check.where));
    lexer_.SkipSpace();
    if (!lexer_.AtEnd()) lexer_.Fail("unexpected text after the journal line");
    return check;
  }

  Step ParseCall() {
    Call call;
    call.where = lexer_.Here();
    const std::string_view name = lexer_.ReadName();
    if (name.empty()) lexer_.Fail("expected an export call, like Reset()");
    call.target = FindExport(name);
    if (call.target == nullptr) FailAt(call.where, UnknownExport(name));
    lexer_.Expect('(', ("'(' after " + std::string(name)).c_str());
    call.arguments = ParseArguments(*call.target);
    CheckBufferLengths(*call.target, call.arguments);
    CheckArrayCounts(*call.target, call.arguments);
    if (const parameters::Field* parameter = CheckParameterName(*call.target, call.arguments)) {
      CheckParameterOut(*parameter, call.arguments);
      CheckParameterValue(*parameter, *call.target, call.arguments);
    }
    call.expected = ParseExpectation();
    lexer_.SkipSpace();
    if (!lexer_.AtEnd()) lexer_.Fail("unexpected text after the call");
    for (const Argument& argument : call.arguments)
      if (const auto* out = std::get_if<OutValue>(&argument.value)) outs_[out->name] = out->size > 0;
    return call;
  }
  // The int after a text buffer is the length the export may write into it (GetLogFileName): a larger
  // one than the buffer has would let the export write past the host's memory.
  static void CheckBufferLengths(const Export& target, const std::vector<Argument>& arguments) {
    for (std::size_t i = 0; i + 1 < arguments.size(); ++i) {
      const auto* buffer = std::get_if<OutValue>(&arguments[i].value);
      if (target.kinds[i] != Kind::kTextBuffer || target.kinds[i + 1] != Kind::kInt || buffer == nullptr)
        continue;
      const Argument& length = arguments[i + 1];
      const auto* word = std::get_if<Word>(&length.value);
      const auto* number = word == nullptr ? nullptr : std::get_if<std::int32_t>(word);
      const std::string holds = "out " + buffer->name + "[" + std::to_string(buffer->size) + "] holds " +
                                std::to_string(buffer->size) + " bytes";
      if (number == nullptr) FailAt(length.where, "write the length of the buffer as a number: " + holds);
      if (*number > 0 && static_cast<std::size_t>(*number) > buffer->size)
        FailAt(length.where, "length " + std::to_string(*number) + " is larger than the buffer: " + holds);
    }
  }

  // The int after an array is how many elements the export reads from it: a larger count than the
  // array has would send the host's own memory to the test set. A longer array sends its prefix.
  static void CheckArrayCounts(const Export& target, const std::vector<Argument>& arguments) {
    for (std::size_t i = 0; i + 1 < arguments.size(); ++i) {
      const std::optional<std::size_t> elements = ArrayLength(arguments[i].value);
      if (!IsArray(target.kinds[i]) || target.kinds[i + 1] != Kind::kInt || !elements) continue;
      const Argument& count = arguments[i + 1];
      const auto* word = std::get_if<Word>(&count.value);
      const auto* number = word == nullptr ? nullptr : std::get_if<std::int32_t>(word);
      const std::string holds = "the array holds " + Counted(*elements, "element");
      if (number == nullptr) FailAt(count.where, "write the count of the array as a number: " + holds);
      if (*number > 0 && static_cast<std::size_t>(*number) > *elements)
        FailAt(count.where, "count " + std::to_string(*number) + " is larger than the array: " + holds);
    }
  }

  static bool IsArray(Kind kind) { return kind == Kind::kIntArray || kind == Kind::kDoubleArray; }

  static std::optional<std::size_t> ArrayLength(const Value& value) {
    if (const auto* words = std::get_if<std::vector<Word>>(&value)) return words->size();
    if (const auto* reals = std::get_if<std::vector<double>>(&value)) return reals->size();
    return std::nullopt;
  }

  // GetParameter and SetParameter find a value by its name: an unknown one returns 0 and touches
  // nothing. The parameter of a name written out, or nullptr.
  static const parameters::Field* CheckParameterName(const Export& target,
                                                     const std::vector<Argument>& arguments) {
    if (target.name != "GetParameter" && target.name != "SetParameter") return nullptr;
    const auto* name = std::get_if<std::string>(&arguments[0].value);
    if (name == nullptr) return nullptr;
    if (const parameters::Field* parameter = parameters::FindNamed(*name)) return parameter;
    std::vector<std::string_view> known;
    for (const parameters::Field& field : parameters::kFields)
      if (!field.name.empty()) known.push_back(field.name);
    const std::string_view nearest = NearestName(*name, known);
    FailAt(arguments[0].where, "unknown parameter " + Quoted(*name) +
                                   (nearest.empty() ? " (docs/parameters.md lists them)"
                                                    : "; did you mean " + Quoted(nearest) + "?"));
  }

  // GetParameter hands out a level as text and the other values as numbers: an out value of the
  // other kind would show the wrong bytes.
  static void CheckParameterOut(const parameters::Field& parameter, const std::vector<Argument>& arguments) {
    const auto* out = std::get_if<OutValue>(&arguments[2].value);
    if (out == nullptr) return;
    const bool text = parameter.kind() == parameters::Kind::kLevel;
    if (text == (out->size > 0)) return;
    FailAt(arguments[2].where, "parameter " + Quoted(parameter.name) +
                                   (text ? " is a text: write out " + out->name + "[" +
                                               std::to_string(ZNGERAN_LEVEL_TEXT_SIZE) + "]"
                                         : " is a number: write out " + out->name));
  }

  // SetParameter reads a level or a byte as decimal text and an integer as four bytes: a value of the
  // other kind would store its bytes read the wrong way ("62" as 12,854, [-50] as 0.0).
  void CheckParameterValue(const parameters::Field& parameter, const Export& target,
                           const std::vector<Argument>& arguments) const {
    if (target.name != "SetParameter") return;
    const Argument& value = arguments[2];
    const auto* words = std::get_if<std::vector<Word>>(&value.value);
    const auto* reference = std::get_if<Reference>(&value.value);
    const bool integer = parameter.kind() == parameters::Kind::kInteger;
    const bool text = std::holds_alternative<std::string>(value.value) ||
                      (reference != nullptr && outs_.find(reference->name)->second);
    if (std::holds_alternative<Null>(value.value) || (integer ? !text && (!words || !words->empty()) : text))
      return;
    FailAt(value.where,
           "parameter " + Quoted(parameter.name) +
               (integer ? " is an integer: write it as [N]" : " is read as text: write it as \"N\""));
  }

  // The nearest export, or the journal statement when the name is near it ("Journal").
  static std::string UnknownExport(std::string_view name) {
    const std::string_view statement = NearestName(name, {"journal"});
    const std::string_view nearest = statement.empty() ? NearestExportName(name) : statement;
    if (nearest.empty()) return "unknown export " + Quoted(name) + " (geranhost --list shows them all)";
    return "unknown export " + Quoted(name) + "; did you mean " + Quoted(nearest) + "?";
  }

  std::vector<Argument> ParseArguments(const Export& target) {
    std::vector<Argument> arguments;
    lexer_.SkipSpace();
    bool open = lexer_.Peek() != ')';
    if (!open) lexer_.Skip(1);
    while (open) {
      lexer_.SkipSpace();
      if (lexer_.AtEnd()) lexer_.Fail("missing ')' at the end of the call");
      if (arguments.size() == target.kinds.size())
        lexer_.Fail(Plural(target) + ", not more: " + Signature(target));
      arguments.push_back(ParseArgument(target, arguments.size()));
      lexer_.SkipSpace();
      open = lexer_.Peek() != ')';
      if (open && lexer_.Peek() != ',') lexer_.Fail("expected ',' or ')'");
      lexer_.Skip(1);
    }
    if (arguments.size() < target.kinds.size())
      FailAt(lexer_.JustBefore(),
             Plural(target) + ", " + std::to_string(arguments.size()) + " given: " + Signature(target));
    return arguments;
  }

  static std::string Plural(const Export& target) {
    const std::size_t count = target.kinds.size();
    return std::string(target.name) + " takes " + std::to_string(count) +
           (count == 1 ? " argument" : " arguments");
  }

  Argument ParseArgument(const Export& target, std::size_t index) {
    Argument argument;
    argument.where = lexer_.Here();
    const KindRule& rule = RuleFor(target.kinds[index]);
    const Form form = lexer_.NextForm();
    const std::string what = "argument " + std::to_string(index + 1) + " of " + std::string(target.name);
    if ((rule.forms & form) == 0)
      lexer_.Fail(what + " takes " + rule.accepts + ", not " + lexer_.Found(form));
    argument.value = ParseValue(form, rule, what);
    argument.spelling = std::string(lexer_.Since(argument.where));
    return argument;
  }

  Value ParseValue(Form form, const KindRule& rule, const std::string& what) {
    switch (form) {
      case kNumber:
        if (rule.reals) return lexer_.ReadFloat();
        return Word(lexer_.ReadInteger());
      case kString:
        return lexer_.ReadString();
      case kArray:
        return rule.reals ? Value(ParseRealArray()) : Value(ParseWordArray());
      case kReferenceForm:
        return ParseReference(rule.reference, what);
      case kOut:
        return ParseOut(rule.out, what);
      default:
        lexer_.Skip(4);
        return Null{};  // "null"
    }
  }

  template <class Element>
  std::vector<Element> ParseArray(Element (LineParser::*element)()) {
    lexer_.Skip(1);  // '['
    std::vector<Element> items;
    items.reserve(1);  // an empty array still passes a valid pointer
    lexer_.SkipSpace();
    if (lexer_.Peek() == ']') {
      lexer_.Skip(1);
      return items;
    }
    for (;;) {
      lexer_.SkipSpace();
      items.push_back((this->*element)());
      lexer_.SkipSpace();
      if (lexer_.Peek() == ']') break;
      if (lexer_.Peek() != ',') lexer_.Fail("expected ',' or ']'");
      lexer_.Skip(1);
    }
    lexer_.Skip(1);
    return items;
  }

  Word ParseWord() {
    if (lexer_.Peek() == '$') return std::get<Reference>(ParseReference(Holds::kInteger, "an array element"));
    if (lexer_.NextForm() != kNumber) lexer_.Fail("expected an integer or $name");
    return lexer_.ReadInteger();
  }

  double ParseRealElement() {
    if (lexer_.NextForm() != kNumber) lexer_.Fail("expected a number");
    return lexer_.ReadReal();
  }

  std::vector<Word> ParseWordArray() { return ParseArray(&LineParser::ParseWord); }
  std::vector<double> ParseRealArray() { return ParseArray(&LineParser::ParseRealElement); }

  // $name: an out value declared on an earlier line, holding what the argument takes.
  Value ParseReference(Holds wanted, const std::string& what) {
    const Location where = lexer_.Here();
    lexer_.Skip(1);  // '$'
    const std::string name(lexer_.ReadName());
    if (name.empty()) lexer_.Fail("expected a name after '$'");
    const auto found = outs_.find(name);
    if (found == outs_.end()) FailAt(where, "no out value named " + Quoted(name) + " before this line");
    const bool text = found->second;
    if (wanted == Holds::kInteger && text)
      FailAt(where, "$" + name + " holds a text; " + what + " is an integer");
    if (wanted == Holds::kText && !text)
      FailAt(where, "$" + name + " holds an integer; " + what + " is a text");
    return Reference{name};
  }

  // out name or out name[size], of the shape the argument takes.
  Value ParseOut(Holds shape, const std::string& what) {
    lexer_.Skip(3);  // "out"
    lexer_.SkipSpace();
    const Location where = lexer_.Here();
    OutValue out{std::string(lexer_.ReadName()), 0};
    if (out.name.empty() || IsKeyword(out.name)) FailAt(where, "expected a name after 'out'");
    if (lexer_.Peek() == '[') out.size = ParseBufferSize();
    if (shape == Holds::kText && out.size == 0)
      FailAt(where, what + " is a text buffer: write out " + out.name + "[size]");
    if (shape == Holds::kInteger && out.size > 0)
      FailAt(where, what + " is a 32-bit integer: write out " + out.name + " without a size");
    return out;
  }

  std::size_t ParseBufferSize() {
    lexer_.Skip(1);  // '['
    lexer_.SkipSpace();
    const Location where = lexer_.Here();
    const std::int32_t size = lexer_.ReadInteger();
    if (size <= 0 || static_cast<std::size_t>(size) > kMaxBufferSize)
      FailAt(where, "a buffer size is 1 to " + std::to_string(kMaxBufferSize) + " bytes");
    lexer_.Expect(']', "']'");
    return static_cast<std::size_t>(size);
  }

  std::optional<std::int32_t> ParseExpectation() {
    lexer_.SkipSpace();
    if (!lexer_.StartsWith("=>")) return std::nullopt;
    lexer_.Skip(2);
    lexer_.SkipSpace();
    if (lexer_.NextForm() == kNumber) return lexer_.ReadInteger();
    const Location where = lexer_.Here();
    if (lexer_.ReadName() != "any") FailAt(where, "expected a result or 'any' after '=>'");
    return std::nullopt;
  }

  Lexer lexer_;
  OutKinds& outs_;
};

constexpr std::size_t kExcerptBytes = 160;  // of a long line, the part shown under an error

// What FormatError shows of a line: at most kExcerptBytes around the column, control bytes as '?'
// (one column each, so the caret still points at the right byte).
struct Excerpt {
  std::string text;
  std::size_t caret;  // where the caret goes, 0-based
};

Excerpt ExcerptAround(const std::string& line, int column) {
  const std::size_t at = std::min(static_cast<std::size_t>(std::max(column, 1) - 1), line.size());
  const std::size_t start = at < kExcerptBytes ? 0 : at - kExcerptBytes / 2;
  Excerpt excerpt{start > 0 ? "..." : "", 0};
  excerpt.caret = excerpt.text.size() + at - start;
  excerpt.text += line.substr(start, kExcerptBytes);
  std::replace_if(excerpt.text.begin(), excerpt.text.end(), IsControl, '?');
  if (start + kExcerptBytes < line.size()) excerpt.text += "...";
  return excerpt;
}

}  // namespace

std::size_t Script::CallCount() const {
  std::size_t count = 0;
  for (const Step& step : steps) count += std::holds_alternative<Call>(step) ? 1 : 0;
  return count;
}

bool Script::ChecksJournal() const {
  return std::any_of(steps.begin(), steps.end(),
                     [](const Step& step) { return std::holds_alternative<JournalCheck>(step); });
}

Script ParseScript(std::string_view text) {
  Script script;
  script.lines = SplitLines(text);
  if (std::optional<ScriptError> error = NotText(text)) {
    script.errors.push_back(std::move(*error));
    return script;
  }
  OutKinds outs;
  for (std::size_t i = 0; i < script.lines.size(); ++i) {
    const int number = static_cast<int>(i) + 1;
    if (std::optional<ScriptError> error = ControlByte(script.lines[i], number)) {
      script.errors.push_back(std::move(*error));
      break;  // binary data: errors for the lines after it would be noise
    }
    if (std::optional<ScriptError> error = TooLong(script.lines[i], number)) {
      script.errors.push_back(std::move(*error));
      continue;
    }
    try {
      LineParser parser(script.lines[i], number, outs);
      if (std::optional<Step> step = parser.Parse()) script.steps.push_back(std::move(*step));
    } catch (const ScriptError& error) {
      script.errors.push_back(error);
    }
  }
  return script;
}

std::string FormatError(const Script& script, std::string_view file, const ScriptError& error) {
  std::string text = std::string(file) + ":" + std::to_string(error.where.line) + ":" +
                     std::to_string(error.where.column) + ": " + error.message + "\n";
  const Excerpt excerpt =
      ExcerptAround(script.lines.at(static_cast<std::size_t>(error.where.line) - 1), error.where.column);
  text += "    " + excerpt.text + "\n    ";
  for (std::size_t i = 0; i < excerpt.caret; ++i) text += excerpt.text[i] == '\t' ? '\t' : ' ';
  return text + "^\n";
}

}  // namespace geran::host
