// The call journal: one line per method call, "Method(arg, arg, ...)", in-arguments only.
#include "simulator.h"

#include <cstdio>
#include <mutex>
#include <vector>

namespace geran::sim {
namespace {

std::mutex mutex;
std::vector<std::string> entries;

std::string Utf8(const wchar_t* text, UINT length) {
  if (length == 0) return {};
  const int size =
      WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), &bytes[0], size, nullptr, nullptr);
  return bytes;
}

void Append(std::string& line, LONG value) { line += std::to_string(value); }

void Append(std::string& line, float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
  line += text;
}

void Append(std::string& line, BSTR text) {
  if (text == nullptr) {
    line += "null";
    return;
  }
  line += '"';
  line += Utf8(text, SysStringLen(text));
  line += '"';
}

void AppendBytes(std::string& line, SAFEARRAY* array) {
  line += '[';
  void* data = nullptr;
  if (array != nullptr && SUCCEEDED(SafeArrayAccessData(array, &data))) {
    const auto* bytes = static_cast<const BYTE*>(data);
    ULONG count = 1;
    for (USHORT dimension = 0; dimension < array->cDims; ++dimension)
      count *= array->rgsabound[dimension].cElements;
    for (ULONG i = 0; i < count; ++i) line += (i == 0 ? "" : ",") + std::to_string(bytes[i]);
    SafeArrayUnaccessData(array);
  }
  line += ']';
}

void Append(std::string& line, const VARIANT* value) {
  switch (V_VT(value)) {
    case VT_ARRAY | VT_UI1:
      AppendBytes(line, V_ARRAY(value));
      return;
    case VT_BSTR:
      Append(line, V_BSTR(value));
      return;
    case VT_INT:
      line += "int:" + std::to_string(V_INT(value));
      return;
    default:
      char text[16];
      std::snprintf(text, sizeof text, "vt:0x%04X", static_cast<unsigned>(V_VT(value)));
      line += text;
  }
}

void Append(std::string& line, AuxSpeech* speech) {
  if (speech == nullptr) {
    line += "null";
    return;
  }
  const LONG number = AuxSpeechNumberOf(speech);
  line += number == 0 ? std::string("AuxSpeech#?") : "AuxSpeech#" + std::to_string(number);
}

}  // namespace

void Arg::AppendTo(std::string& line) const {
  std::visit([&line](auto value) { Append(line, value); }, value_);
}

void Record(const char* method, std::initializer_list<Arg> args) {
  if (Value("Journal", 1) == 0) return;
  std::string line = method;
  line += '(';
  const char* separator = "";
  for (const Arg& arg : args) {
    line += separator;
    arg.AppendTo(line);
    separator = ", ";
  }
  line += ')';
  const std::lock_guard<std::mutex> lock(mutex);
  entries.push_back(std::move(line));
}

int JournalCount() {
  const std::lock_guard<std::mutex> lock(mutex);
  return static_cast<int>(entries.size());
}

std::optional<std::string> JournalEntry(int index) {
  const std::lock_guard<std::mutex> lock(mutex);
  if (index < 0 || static_cast<size_t>(index) >= entries.size()) return std::nullopt;
  return entries[static_cast<size_t>(index)];
}

void ClearJournal() {
  const std::lock_guard<std::mutex> lock(mutex);
  entries.clear();
}

}  // namespace geran::sim
