// The recording layer: the test set's objects behind stand-ins that journal every call to a file.
#pragma once

#include "recording/call_journal.h"

#include <com_pointers.h>

#include <memory>

namespace geran::recording {

// The test set (not null) behind a recording stand-in: every call, and every call on the BER objects
// it hands out, appends one line to journal. The stand-in takes over testSet's reference, leaving it
// empty; memory running out throws std::bad_alloc and leaks nothing.
TestSetApiPtr Recorded(TestSetApiPtr& testSet, const std::shared_ptr<CallJournal>& journal);

// The same for an aux speech object: its Start is journaled, and the recording test set hands the
// object itself, not its stand-in, to the test set. Objects are numbered as the journal enrols them.
AuxSpeechPtr Recorded(AuxSpeechPtr& speech, const std::shared_ptr<CallJournal>& journal);

// The journal that records the module's connection; empty unless GERAN_CALL_JOURNAL asked for one.
// Committing a connection swaps its own in.
std::shared_ptr<CallJournal>& ConnectionJournal();

}  // namespace geran::recording
