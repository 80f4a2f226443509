#include "recording/recording.h"

namespace geran::recording {
namespace {

std::shared_ptr<CallJournal> connectionJournal;

}  // namespace

std::shared_ptr<CallJournal>& ConnectionJournal() { return connectionJournal; }

}  // namespace geran::recording
