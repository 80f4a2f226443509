#include "journal/call_format.h"

#include <cstdio>

namespace geran::journal {
namespace {

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

void Append(std::string& line, NumberedAuxSpeech speech) {
  if (speech.object == nullptr)
    line += "null";
  else
    line += speech.number == 0 ? std::string("AuxSpeech#?") : "AuxSpeech#" + std::to_string(speech.number);
}

}  // namespace

void Arg::AppendTo(std::string& line) const {
  std::visit([&line](auto value) { Append(line, value); }, value_);
}

std::string FormatCall(const char* method, const Arg* first, const Arg* last) {
  std::string line = method;
  line += '(';
  for (const Arg* arg = first; arg != last; ++arg) {
    if (arg != first) line += ", ";
    arg->AppendTo(line);
  }
  line += ')';
  return line;
}

std::string Utf8(const wchar_t* text, size_t length) {
  if (length == 0) return {};
  const int wide = static_cast<int>(length);
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, wide, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, wide, &bytes[0], size, nullptr, nullptr);
  return bytes;
}

std::wstring Utf16(const std::string& bytes) {
  if (bytes.empty()) return {};
  const int length = static_cast<int>(bytes.size());
  const int size = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), length, nullptr, 0);
  std::wstring text(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, bytes.data(), length, &text[0], size);
  return text;
}

}  // namespace geran::journal
