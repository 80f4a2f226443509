// Everything the simulator keeps between calls, in one object behind one lock.
#pragma once

#include "simulator.h"

#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <random>

namespace geran::sim {

// An injected fault of one method.
struct Fault {
  HRESULT hr;
  Text description;
  int passing;    // calls still let through before the first failing one
  int remaining;  // failing calls still to come; <= 0: every call until cleared
  bool crash;     // the failing call writes through a null pointer instead of returning hr
};

// One recorded call of a replay, read and checked when the journal is loaded.
struct ReplayStep {
  int line;
  std::string call;
  HRESULT hr;
  Text description;
  std::optional<journal::RecordedValue> output;
};

struct Replay {
  std::string path;
  std::vector<ReplayStep> steps;
  std::size_t next = 0;   // the step the next call must match
  std::string departure;  // the first departure; every later call fails with it
};

// The BER measurement over simulated time.
struct BerModel {
  bool running = false;
  std::int64_t elapsedMs = 0;  // simulated time since reset: the test set's TDMA clock
  std::int64_t pendingMs = 0;  // time of the run not yet a whole speech frame
  std::mt19937 generator;
  Counters sets[4] = {};
};

// What a reset clears: the instrument as fresh as it was when the simulator was loaded.
struct ResettableData {
  std::vector<std::string> journal;
  std::map<std::string, Fault> faults;
  std::map<std::string, LONG> values;
  std::map<std::string, Text> texts;
  BerModel ber;
  std::optional<Replay> replay;
  std::optional<Text> putLogFileName;  // as a client put it
  LONG auxSpeechCreated = 0;           // aux speech objects are numbered from 1 after a reset
};

struct SimulatorData : ResettableData {
  // The creation numbers of the live aux speech objects: a reset leaves objects alive.
  std::map<const AuxSpeech*, LONG> auxSpeechNumbers;
  // The local server's: whether this process is it, and its attached clients' processes.
  bool servingLocally = false;
  std::vector<Handle> clients;
};

// What a simulator object counts as while it lives: a live object of the test set, or a control
// connection of the local server, which keeps the server running but is no object of the test set.
enum class Lifetime { LiveObject, ControlConnection };

// The objects that hold the module, and how clients use the live ones: counted on every AddRef
// and QueryInterface, so without the lock.
struct ObjectCounts {
  std::atomic<long> live{0};
  std::atomic<long> references{0};
  std::atomic<long> queries{0};
  std::atomic<long> errorQuestions{0};
  std::atomic<long> serverLocks{0};
  std::atomic<long> controlConnections{0};
};

class SimulatorState {
 public:
  // The data, under the lock while this lives. Whoever holds it calls nothing that takes it again.
  class Locked {
   public:
    explicit Locked(SimulatorState& state) : lock_(state.mutex_), data_(state.data_) {}
    SimulatorData* operator->() const { return &data_; }

   private:
    const std::lock_guard<std::mutex> lock_;
    SimulatorData& data_;
  };
  Locked Lock() { return Locked(*this); }

  // Clears data only: objects that clients still hold stay alive with what they hold, so nothing
  // is released behind a client's back; their references stay counted.
  void Reset();

  ObjectCounts objects;
  std::atomic<bool> replaying{false};  // a replay is loaded: what every call asks, without the lock

 private:
  std::mutex mutex_;
  SimulatorData data_;
};

SimulatorState& Simulator();

}  // namespace geran::sim
