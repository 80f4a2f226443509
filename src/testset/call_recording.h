// Recording the connection's calls in the file that GERAN_CALL_JOURNAL names.
#pragma once

#include "testset/automation.h"

namespace geran {

// When GERAN_CALL_JOURNAL names a file, creates it empty and puts the connection behind the recording
// layer. A file that cannot be created is said in one line on standard output; the connection then
// stays as it is, unrecorded.
void RecordConnectionIfAsked();

// The aux speech object behind the recording layer while the connection is recorded; else itself.
AuxSpeechPtr AsRecorded(AuxSpeechPtr speech);

}  // namespace geran
