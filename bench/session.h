// What every measurement works with: the connected product, the raw test set, the byte lists.
#pragma once

#include "figures.h"
#include "product.h"

#include <com_pointers.h>

#include <string>
#include <vector>

namespace geran::bench {

// The byte-list arguments: as a script passes them to the exports, and packed as the test set
// receives them (VT_ARRAY | VT_UI1), for the raw calls.
struct Payloads {
  Payloads();

  std::vector<int> siMessage;      // 23 bytes
  std::vector<double> cipherKey;   // 64 elements
  std::vector<double> cipherRand;  // 64 elements
  _variant_t siList;
  _variant_t keyList;
  _variant_t randList;
  // Texts as a script passes them and as the test set receives them: a short one, and one that runs
  // from one page of memory into the next (its end is looked up there).
  std::string shortText;
  std::vector<char> textPages;
  const char* pageCrossingText;  // in textPages
  _variant_t shortTextValue;
  _variant_t pageCrossingTextValue;
};

// The product connected to the simulator, and a test set object of the same class created in the
// same apartment for the raw calls. Members go in reverse order: the raw object before the product.
struct Session {
  Session();  // throws std::runtime_error

  ProductLibrary product;
  TestSetApiPtr testSet;
  Payloads payloads;

  const Exports& exports() const { return product.exports(); }
};

// The measurements, each adding its figures.
void MeasureCallCosts(Session& session, Figures& figures);
// Adds the local server's figure to each call cost figure; the session's simulator is the local server.
void MeasureLocalServerCallCosts(const Session& session, Figures& figures);
void MeasureCallJournal(Session& session, Figures& figures);
void MeasureParameterLoad(Session& session, Figures& figures);
void MeasureBerCycle(Session& session, Figures& figures);
void RunSoak(Session& session, Figures& figures);

// Switches the simulator's journal on or off.
void SetJournal(bool on);

}  // namespace geran::bench
