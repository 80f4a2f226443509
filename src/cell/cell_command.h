// What the cell and signalling commands share beyond the command pattern itself.
#pragma once

#include "testset/command.h"

namespace geran {

// A command whose only outcome is its method's HRESULT: no connection gives 0, otherwise the one
// call with the arguments unchanged, and -1 once the test set accepted it.
template <class Method, class... Args>
int RunPlainCommand(const OnFailure& onFailure, Method method, Args... args) {
  return RunConnectedCommand(onFailure, [&] {
    Call(TestSet(), method, args...);
    return kSuccess;
  });
}

}  // namespace geran
