// ParameterHandler.dll: the result codes of its entry points, in plain C++ for code that only parses.
#pragma once

// Every entry point answers one of these; 0 is success.
enum ParameterHandlerCode : int {
  kHandlerOk = 0,
  kMasterFileNotFound = 1,         // no file at the master file's path
  kMasterFileUnreadable = 2,       // the path exists but cannot be read (a folder, no access, read error)
  kMasterFileMalformedLine = 3,    // a line that is no group header, key = value line, comment or blank,
                                   // or no text (a control byte, UTF-16, a line over 64 KiB)
  kMasterFileKeyOutsideGroup = 4,  // a key = value line before the first [group]
  kMasterFileDuplicateKey = 5,     // a name defined twice (names are unique across the file)
  kHandlerBadArgument = 6,         // a null pointer, or a value with a line break or that would leave
                                   // the file unreadable (a control byte, an overlong line)
  kParameterUnknown = 7,           // no parameter of that name in the file
  kParameterBufferTooSmall = 8,    // the value text and its terminator do not fit the caller's buffer
  kMasterFileNotWritable = 9,      // the changed file could not be written back
};
