// ParameterHandler.dll: the six entry points over the master parameter file.
#include "master_file.h"

#include <cstdio>
#include <cstring>

namespace geran::handler {
namespace {

// Handlers told about applied changes, by identifier. Like its callers, the library takes no lock:
// register and apply from one thread.
std::map<int, ParameterChangedCallback> registered;

int Reported(const Outcome& outcome) {
  if (!outcome.ok()) std::fprintf(stderr, "%s\n", outcome.message.c_str());
  return outcome.code;
}

int ReadMaster(ParameterList& list) { return Reported(ReadMasterFile(MasterFilePath(), list)); }

void NotifyOthers(int changedBy, const char* name, const char* value) {
  const auto listeners = registered;  // a callback may register or unregister
  for (const auto& [id, callback] : listeners)
    if (id != changedBy) callback(changedBy, name, value);
}

}  // namespace
}  // namespace geran::handler

using namespace geran::handler;

extern "C" {

int WINAPI registerParameterHandler(const int* handlerId, ParameterChangedCallback callback) {
  if (handlerId == nullptr) return kHandlerBadArgument;
  if (callback != nullptr)
    registered[*handlerId] = callback;
  else
    registered.erase(*handlerId);
  return kHandlerOk;
}

int WINAPI getParameterCount(const int*, int* count) {
  if (count == nullptr) return kHandlerBadArgument;
  ParameterList list;
  const int code = ReadMaster(list);
  if (code == kHandlerOk) *count = static_cast<int>(list.size());
  return code;
}

int WINAPI getParameterValue(const int*, const char* name, char* buffer, int size) {
  if (name == nullptr || buffer == nullptr) return kHandlerBadArgument;
  ParameterList list;
  const int code = ReadMaster(list);
  if (code != kHandlerOk) return code;
  const auto entry = list.find(name);
  if (entry == list.end()) return kParameterUnknown;
  const std::string& value = entry->second.value;
  if (size < 0 || value.size() >= static_cast<size_t>(size)) return kParameterBufferTooSmall;
  std::memcpy(buffer, value.c_str(), value.size() + 1);
  return kHandlerOk;
}

int WINAPI getParameterMap(const int*, ParameterList* list) {
  if (list == nullptr) return kHandlerBadArgument;
  list->clear();
  return ReadMaster(*list);
}

int WINAPI setParameterValue(const int*, const char* name, const char* value) {
  if (name == nullptr || value == nullptr || std::strpbrk(value, "\r\n") != nullptr)
    return kHandlerBadArgument;
  return Reported(ReplaceValue(MasterFilePath(), name, value));
}

int WINAPI ApplyFromL3andNotifyGUI(const int* handlerId, const char* name, const char* value) {
  if (handlerId == nullptr) return kHandlerBadArgument;
  const int code = setParameterValue(handlerId, name, value);
  if (code == kHandlerOk) NotifyOthers(*handlerId, name, value);
  return code;
}

}  // extern "C"
