// The journal's call line, "Method(arg, arg, ...)": the one formatter of the simulator and the recording
// layer.
#pragma once

#include <TestSetApi.h>

#include <initializer_list>
#include <string>
#include <variant>

namespace geran::journal {

// An aux speech object as a journal names it: AuxSpeech#number, number 0 for an object of unknown
// origin, null for no object.
struct NumberedAuxSpeech {
  const AuxSpeech* object;
  LONG number;
};

// One in argument of a journaled call. It refers to the caller's value, which must outlive the
// line's formatting, so a journal that is off costs no formatting.
class Arg {
 public:
  Arg(LONG value) : value_(value) {}
  Arg(SHORT value) : value_(LONG{value}) {}
  Arg(float value) : value_(value) {}
  Arg(BSTR text) : value_(text) {}
  Arg(const VARIANT& value) : value_(&value) {}
  Arg(NumberedAuxSpeech speech) : value_(speech) {}
  void AppendTo(std::string& line) const;

 private:
  std::variant<LONG, float, BSTR, const VARIANT*, NumberedAuxSpeech> value_;
};

// "method(arg, arg, ...)", the arguments joined by ", ".
std::string FormatCall(const char* method, const Arg* first, const Arg* last);
inline std::string FormatCall(const char* method, std::initializer_list<Arg> args) {
  return FormatCall(method, args.begin(), args.end());
}

// UTF-8 bytes of a UTF-16 text, as the journal writes every text.
std::string Utf8(const wchar_t* text, size_t length);
// The UTF-16 text of the journal's UTF-8 bytes.
std::wstring Utf16(const std::string& bytes);

}  // namespace geran::journal
