// ParameterList: the master parameter file as ParameterHandler.dll hands it to its callers.
#pragma once

#include <map>
#include <string>
#include <vector>

// One named parameter. The master file gives a name, a value and a group; the handler also records
// where the entry came from. The other fields belong to the record's layout, which every user of
// the handler shares, and stay empty: the file format has no syntax for them.
struct ParameterRecord {
  std::string name;  // the key, as written in the file
  std::string description;
  std::string value;  // the value text, verbatim without the blanks around it
  std::string group;  // the [group] the key stands in
  std::string type;
  std::string unit;
  std::string minimum;
  std::string maximum;
  std::string defaultValue;
  std::vector<std::string> allowedValues;
  std::vector<std::string> dependents;
  std::string sourceFile;  // the master file's path
  std::string sourceLine;  // the 1-based line number of the key, in decimal
};

// Ordered by name, byte by byte. Names are unique across the whole file.
//
// Heap contract: the caller creates the list, ParameterHandler.dll inserts into it, and the caller
// destroys it, so nodes allocated in one module are freed in another. That is sound only because
// both sides are built by the same compiler with the same standard library layout, and because,
// although each DLL links its own static copy of libstdc++ (-static-libstdc++), operator new and
// delete in every copy end in the one C runtime's malloc and free (msvcrt.dll). A caller built with
// another compiler, another runtime or another standard library must not use this type.
using ParameterList = std::map<std::string, ParameterRecord>;
