#include "progress.h"

#include "ber_counters.h"

#include <testset/settle_wait.h>

#include <cstdio>
#include <optional>

namespace geran::host {
namespace {

using std::chrono::duration_cast;
using std::chrono::seconds;

// InitialiseSystem waits after connecting, for the test set to settle.
class ConnectionWatch : public CallWatch {
 public:
  std::string Status(std::chrono::steady_clock::duration elapsed) override {
    const long long done = duration_cast<seconds>(elapsed).count();
    if (done >= kWait) return "connecting: " + std::to_string(done) + " s";
    return "connecting: the test set settles, " + std::to_string(kWait - done) + " s to go";
  }

 private:
  static constexpr long long kWait = kSettleMilliseconds / 1000;
};

// StartBERTest appends a counter block per cycle; only the blocks of this run count.
class BerWatch : public CallWatch {
 public:
  explicit BerWatch(std::int32_t target) : target_(target), start_(FileSize(kCounterFile)) {}

  std::string Status(std::chrono::steady_clock::duration) override {
    const std::optional<BerCounters> counters = Read();
    if (!counters) return "BER 0/" + std::to_string(target_) + " samples, waiting for the first counters";
    return FormatLive(*counters, target_);
  }

  std::string Conclusion() override {
    const std::optional<BerCounters> counters = Read();
    return counters ? FormatResult(*counters) : "BER result: the run wrote no counters";
  }

 private:
  std::optional<BerCounters> Read() const { return LastCounterBlock(ReadFileFrom(kCounterFile, start_)); }

  std::int32_t target_;
  std::uint64_t start_;
};

}  // namespace

std::unique_ptr<CallWatch> WatchFor(std::string_view exportName, const std::vector<Slot>& slots) {
  if (exportName == "InitialiseSystem") return std::make_unique<ConnectionWatch>();
  if (exportName == "StartBERTest") return std::make_unique<BerWatch>(slots.at(0).word);
  return nullptr;
}

ProgressLine::ProgressLine(CallWatch& watch) : thread_([this, &watch] { Run(watch); }) {}

ProgressLine::~ProgressLine() {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    stop_ = true;
  }
  wake_.notify_one();
  thread_.join();
  std::fprintf(stderr, "\r%*s\r", static_cast<int>(width_), "");
  std::fflush(stderr);
}

void ProgressLine::Run(CallWatch& watch) {
  const auto start = std::chrono::steady_clock::now();
  std::unique_lock<std::mutex> lock(mutex_);
  while (!wake_.wait_for(lock, std::chrono::milliseconds(250), [this] { return stop_; })) {
    const std::string status = watch.Status(std::chrono::steady_clock::now() - start);
    // Blanks over what a longer status left behind.
    std::fprintf(stderr, "\r%s%*s", status.c_str(),
                 static_cast<int>(width_ > status.size() ? width_ - status.size() : 0), "");
    std::fflush(stderr);
    width_ = std::max(width_, status.size());
  }
}

}  // namespace geran::host
