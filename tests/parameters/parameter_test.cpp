// The parameter test fixture.
#include "parameter_test.h"

namespace geran::test {

const char* const kBoundAndCalled =
    "Loading Library(TEXT(ParameterHandler.dll))\n"
    "Get Proc registerParameterHandler Successfull\n"
    "Get Proc getParameterCount Successfull\n"
    "Get Proc getParameterValue Successfull\n"
    "Get Proc getParameterMap Successfull\n"
    "Get Proc setParameterValue Successfull\n"
    "Entering getParameterMap\n"
    "Entered getParameterMap\n"
    "called retCode = getParameterMap\n";

std::string Buffer(const std::string& written) {
  return written + std::string(kValueBufferSize - written.size(), kUntouched);
}

std::string ByteValue(int value) { return std::string(1, static_cast<char>(value)); }

std::string Int32Value(std::int32_t value) {
  return std::string(reinterpret_cast<const char*>(&value), sizeof value);
}

std::string TextValue(const std::string& text) { return text + '\0'; }

ParameterTest::Loaded ParameterTest::Load(const std::string& masterText) {
  master_.Rewrite(masterText);
  DeleteFileA(kResult);
  StdoutCapture console;
  const int result = GERAN_EXPORT(module_, LoadMasterParameterFile)(0, 0);
  return {result, console.Take()};
}

ParameterTest::Got ParameterTest::Get(const char* name) const {
  Got got{0, std::string(kValueBufferSize, kUntouched)};
  got.result = GERAN_EXPORT(module_, GetParameter)(name, 0, &got.buffer[0], 0);
  return got;
}

int ParameterTest::SetText(const char* name, const char* text) const {
  return GERAN_EXPORT(module_, SetParameter)(name, 0, text, 0);
}

int ParameterTest::SetInteger(const char* name, std::int32_t value) const {
  return GERAN_EXPORT(module_, SetParameter)(name, 0, &value, 0);
}

}  // namespace geran::test
