// Recording the connection's calls in the file that GERAN_CALL_JOURNAL names.
#pragma once

#include "testset/automation.h"
#include "testset/connection.h"

namespace geran {

// The connection to a newly created test-set object (null: none), recorded when GERAN_CALL_JOURNAL
// names a file, which is then created empty; a file that cannot be created is said in one line on
// standard output and the connection goes unrecorded. The aux speech object held now goes behind the
// new journal, or comes out from behind the old one. Nothing of the module changes here, so what
// fails (memory running out) leaves it as it was; CommitConnection makes it the module's.
Connection PrepareConnection(const TestSetApiPtr& created);

// Puts speech behind the recording layer while the connection is recorded; otherwise leaves it alone.
void RecordIfRecording(AuxSpeechPtr& speech);

}  // namespace geran
