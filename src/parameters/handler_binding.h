// ParameterHandler.dll as the master parameter load uses it: bound on every load, asked for the list.
#pragma once

#include <ParameterList.h>

namespace geran {

// Loads the library, binds its six entry points and calls getParameterMap into list, writing the
// trace line of each step to "C:\result.txt". True when the library answered 0 with at least one
// entry; on false the caller leaves the parameter store alone.
bool FetchMasterParameters(ParameterList& list);

}  // namespace geran
