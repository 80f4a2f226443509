#include "ber_counters.h"

#include <charconv>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace geran::host {
namespace {

struct Field {
  BerCounterLine line;
  std::int32_t BerCounters::*value;
};

constexpr Field kFields[] = {
    {BerCounterLine::kFerSamples, &BerCounters::ferSamples},
    {BerCounterLine::kFerEvents, &BerCounters::ferEvents},
    {BerCounterLine::kC1bSamples, &BerCounters::c1bSamples},
    {BerCounterLine::kC1bEvents, &BerCounters::c1bEvents},
    {BerCounterLine::kC2Samples, &BerCounters::c2Samples},
    {BerCounterLine::kC2Events, &BerCounters::c2Events},
};

std::string_view Trim(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// "fer samples" of the library's "fer samples : %d\n".
std::string_view Label(BerCounterLine line) {
  const std::string_view format = BerCounterLineFormat(line);
  return Trim(format.substr(0, format.find(':')));
}

// Stores "label : value" into counters when the label is one the host shows.
void ReadLine(std::string_view line, BerCounters& counters) {
  const auto colon = line.find(':');
  if (colon == std::string_view::npos) return;
  const std::string_view label = Trim(line.substr(0, colon));
  const std::string_view number = Trim(line.substr(colon + 1));
  for (const Field& field : kFields) {
    if (Label(field.line) != label) continue;
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error == std::errc() && end == number.data() + number.size()) counters.*field.value = value;
  }
}

std::string Percent(std::int32_t events, std::int32_t samples) {
  if (samples <= 0) return "-";
  char text[32];
  std::snprintf(text, sizeof text, "%.2f %%", 100.0 * events / samples);
  return text;
}

std::string Share(std::int32_t events, std::int32_t samples, const char* unit) {
  return Percent(events, samples) + " (" + std::to_string(events) + " of " + std::to_string(samples) + " " +
         unit + ")";
}

}  // namespace

std::optional<BerCounters> LastCounterBlock(std::string_view text) {
  std::optional<BerCounters> last;
  BerCounters current;
  bool open = false;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    if (end == std::string_view::npos) break;  // a line still being written
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end + 1);
    if (!Trim(line).empty()) {
      ReadLine(line, current);
      open = true;
    } else if (open) {
      last = current;
      current = BerCounters();
      open = false;
    }
  }
  return last;
}

std::string FormatLive(const BerCounters& counters, std::int32_t target) {
  return "BER " + std::to_string(counters.ferSamples) + "/" + std::to_string(target) + " samples  FER " +
         Percent(counters.ferEvents, counters.ferSamples) + "  class 1b RBER " +
         Percent(counters.c1bEvents, counters.c1bSamples) + "  class 2 RBER " +
         Percent(counters.c2Events, counters.c2Samples);
}

std::string FormatResult(const BerCounters& counters) {
  return "BER result: FER " + Share(counters.ferEvents, counters.ferSamples, "frames") + ", class 1b RBER " +
         Share(counters.c1bEvents, counters.c1bSamples, "bits") + ", class 2 RBER " +
         Share(counters.c2Events, counters.c2Samples, "bits");
}

std::uint64_t FileSize(const char* path) {
  std::ifstream file(path, std::ios::binary | std::ios::ate);
  return file ? static_cast<std::uint64_t>(file.tellg()) : 0;
}

std::string ReadFileFrom(const char* path, std::uint64_t offset) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return {};
  if (FileSize(path) >= offset) file.seekg(static_cast<std::streamoff>(offset));
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}  // namespace geran::host
