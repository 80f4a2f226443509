// Carries the error object of a failing call from the local server back to its client, through a
// channel hook. Wine does not carry error objects across processes by itself (Windows does): without
// this, a client would report the system's text where the server gave a description.
#include "com_object.h"

#include <algorithm>
#include <cstring>
#include <mutex>

namespace geran::sim {
namespace {

// {3e9b7c41-5d2a-4f8e-b1c6-0a4d7e92f315}: the extension of the call's reply that holds the object.
constexpr GUID kErrorObjectExtension = {
    0x3e9b7c41, 0x5d2a, 0x4f8e, {0xb1, 0xc6, 0x0a, 0x4d, 0x7e, 0x92, 0xf3, 0x15}};

// The error object's interface identifier, source and description, as bytes: the GUID, then each
// text as its length in characters and its characters.
std::string Serialise(IErrorInfo* info) {
  GUID guid = GUID_NULL;
  info->GetGUID(&guid);
  BSTR source = nullptr, description = nullptr;
  info->GetSource(&source);
  info->GetDescription(&description);
  const _bstr_t ownedSource(source, false), ownedDescription(description, false);
  std::string bytes(reinterpret_cast<const char*>(&guid), sizeof guid);
  for (BSTR text : {source, description}) {
    const ULONG length = SysStringLen(text);
    bytes.append(reinterpret_cast<const char*>(&length), sizeof length);
    bytes.append(reinterpret_cast<const char*>(text), length * sizeof(wchar_t));
  }
  return bytes;
}

// Reads one length-prefixed text at offset; nothing when the bytes end too soon.
std::optional<std::wstring> ReadText(const char* bytes, ULONG size, ULONG& offset) {
  ULONG length = 0;
  if (size - offset < sizeof length) return std::nullopt;
  std::memcpy(&length, bytes + offset, sizeof length);
  offset += sizeof length;
  if ((size - offset) / sizeof(wchar_t) < length) return std::nullopt;
  std::wstring text(length, L'\0');
  std::memcpy(&text[0], bytes + offset, length * sizeof(wchar_t));
  offset += length * sizeof(wchar_t);
  return text;
}

IErrorInfoPtr Deserialise(const char* bytes, ULONG size) {
  GUID guid;
  if (size < sizeof guid) return nullptr;
  std::memcpy(&guid, bytes, sizeof guid);
  ULONG offset = sizeof guid;
  const std::optional<std::wstring> source = ReadText(bytes, size, offset);
  const std::optional<std::wstring> description = source ? ReadText(bytes, size, offset) : std::nullopt;
  ICreateErrorInfoPtr creator;
  if (!description || FAILED(CreateErrorInfo(&creator))) return nullptr;
  creator->SetGUID(guid);
  creator->SetSource(const_cast<LPOLESTR>(source->c_str()));
  creator->SetDescription(const_cast<LPOLESTR>(description->c_str()));
  return IErrorInfoPtr(creator);
}

// The server side takes the thread's error object when the reply is sized and writes it when it is
// filled, on the same thread; the client side sets it as the calling thread's error object.
class ErrorObjectHook final : public StaticObject<IChannelHook> {
 public:
  void STDMETHODCALLTYPE ClientGetSize(REFGUID, REFIID, ULONG* size) override { *size = 0; }
  void STDMETHODCALLTYPE ClientFillBuffer(REFGUID, REFIID, ULONG* size, void*) override { *size = 0; }
  void STDMETHODCALLTYPE ClientNotify(REFGUID, REFIID, ULONG size, void* buffer, DWORD, HRESULT) override {
    if (buffer == nullptr || size == 0) return;
    if (const IErrorInfoPtr info = Deserialise(static_cast<const char*>(buffer), size)) SetErrorInfo(0, info);
  }
  void STDMETHODCALLTYPE ServerNotify(REFGUID, REFIID, ULONG, void*, DWORD) override {}
  void STDMETHODCALLTYPE ServerGetSize(REFGUID, REFIID, HRESULT, ULONG* size) override {
    IErrorInfo* taken = nullptr;
    pending_.clear();
    if (GetErrorInfo(0, &taken) == S_OK && taken != nullptr)
      pending_ = Serialise(IErrorInfoPtr(taken, false));
    *size = static_cast<ULONG>(pending_.size());
  }
  void STDMETHODCALLTYPE ServerFillBuffer(REFGUID, REFIID, ULONG* size, void* buffer, HRESULT) override {
    const ULONG written = std::min(*size, static_cast<ULONG>(pending_.size()));
    std::memcpy(buffer, pending_.data(), written);
    *size = written;
    pending_.clear();
  }

 private:
  static thread_local std::string pending_;
};

thread_local std::string ErrorObjectHook::pending_;

ErrorObjectHook hook;

}  // namespace

_bstr_t WidenBytes(const std::string& bytes) {
  const std::wstring wide(bytes.begin(), bytes.end());
  return _bstr_t(SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size())), false);
}

std::string NarrowBytes(BSTR text) {
  std::string bytes;
  for (UINT i = 0; i < SysStringLen(text); ++i) bytes += static_cast<char>(text[i]);
  return bytes;
}

void CarryErrorObjectsAcrossProcesses() {
  static std::once_flag registered;
  std::call_once(registered, [] { CoRegisterChannelHook(kErrorObjectExtension, &hook); });
}

}  // namespace geran::sim
