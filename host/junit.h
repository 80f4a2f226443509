// --junit: a run as JUnit XML, the report format CI servers read.
#pragma once

#include "runner.h"

#include <string>
#include <string_view>

namespace geran::host {

// The run of one script as one test suite named suite. A test case is a "##" section of the
// script (the calls before the first heading one of their own), or, in a script without headings,
// a call with an expectation together with the calls without one just before it. Each failed
// expectation is a failure "line L: Call(...) returned R, expected E"; a case's system-out is what
// the library wrote during its calls; times are in seconds. The warnings of the script's checks,
// when there are any, are the suite's system-err.
// Cases of calls a stop left unmade are skipped; a case has one failure, its first failed
// expectation as the message and every one in the text.
std::string JunitXml(std::string_view suite, const Summary& summary, std::string_view warnings = {});

// A report of one failed case, for a run that ends without a summary (a script error, a crash):
// the case named name, its failure of type with message, and text as the failure's text.
std::string JunitFailureXml(std::string_view suite, std::string_view name, std::string_view type,
                            std::string_view message, std::string_view text);

// The same report in two parts, around its text, for a crash to fill in without allocating.
std::string JunitFailureHead(std::string_view suite, std::string_view name, std::string_view type,
                             std::string_view message);
std::string JunitFailureTail();

// The XML form of one byte of text or attribute value: an entity for & < > ", "\xNN" for what
// XML 1.0 cannot hold (control bytes) and bytes past ASCII (the library writes the ANSI code page,
// not UTF-8), else the byte; in buffer when it is not a constant. Allocates nothing.
const char* XmlText(char c, char (&buffer)[8]);

}  // namespace geran::host
