// The benchmark's results: one row per figure, printed as one table and written as JSON.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace geran::bench {

struct Figure {
  std::string measure;          // the group: "call cost", "parameter load", ...
  std::string item;             // what was measured within it
  std::optional<double> value;  // empty: not measured (note says why)
  std::string unit;
  std::optional<double> reference;  // what value is compared with, in the same unit
  std::optional<double> ratio;      // value / reference, or the figure the target is about
  std::string target;               // e.g. "< 2x"; empty when none applies
  std::optional<bool> met;
  std::string note;
};

class Figures {
 public:
  void Add(Figure figure) { rows_.push_back({std::move(figure), std::nullopt}); }
  // Where the measured figure added under measure and item keeps its value with the simulator in a
  // process of its own (a column of its own); nullptr when no such figure was measured.
  std::optional<double>* LocalServerOf(const std::string& measure, const std::string& item);

  void PrintTable(std::FILE* out) const;
  // Writes {"environment": ..., "repetitions": n, "figures": [...]}; false when the file cannot be written.
  bool WriteJson(const char* path, const std::string& environment) const;

 private:
  struct Row {
    Figure figure;
    std::optional<double> localServer;
  };
  std::vector<Row> rows_;
};

// text as a JSON string literal, quotes included.
std::string JsonString(const std::string& text);

}  // namespace geran::bench
