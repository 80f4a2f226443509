#include "figures.h"

#include "timing.h"

#include <win32/handles.h>

#include <algorithm>
#include <array>
#include <cmath>

namespace geran::bench {
namespace {

// Three significant digits at least, no exponent: figures range from ns to megabytes.
std::string Number(double value) {
  char text[32];
  const bool whole = std::fabs(value) >= 100 || value == static_cast<long long>(value);
  std::snprintf(text, sizeof text, whole ? "%.0f" : "%.3g", value);
  return text;
}

std::string Optional(const std::optional<double>& value, const char* suffix = "") {
  return value ? Number(*value) + suffix : std::string();
}

std::string MetText(const std::optional<bool>& met) {
  if (!met) return std::string();
  return *met ? "met" : "NOT MET";
}

constexpr size_t kColumns = 10;
using Cells = std::array<std::string, kColumns>;

Cells CellsOf(const Figure& f, const std::optional<double>& localServer) {
  return {f.measure,
          f.item,
          f.value ? Number(*f.value) : "-",
          f.unit,
          Optional(f.reference),
          Optional(f.ratio, "x"),
          Optional(localServer),
          f.target,
          MetText(f.met),
          f.note};
}

void PrintRow(std::FILE* out, const Cells& cells, const std::array<size_t, kColumns>& widths) {
  for (size_t i = 0; i < kColumns; ++i)
    std::fprintf(out, "%-*s%s", static_cast<int>(widths[i]), cells[i].c_str(),
                 i + 1 < kColumns ? "  " : "\n");
}

std::string JsonNumber(const std::optional<double>& value) { return value ? Number(*value) : "null"; }

std::string JsonBool(const std::optional<bool>& value) {
  if (!value) return "null";
  return *value ? "true" : "false";
}

std::string JsonObject(const Figure& f, const std::optional<double>& localServer) {
  return "{\"measure\": " + JsonString(f.measure) + ", \"item\": " + JsonString(f.item) +
         ", \"value\": " + JsonNumber(f.value) + ", \"unit\": " + JsonString(f.unit) +
         ", \"reference\": " + JsonNumber(f.reference) + ", \"ratio\": " + JsonNumber(f.ratio) +
         ", \"local_server\": " + JsonNumber(localServer) + ", \"target\": " + JsonString(f.target) +
         ", \"met\": " + JsonBool(f.met) + ", \"note\": " + JsonString(f.note) + "}";
}

}  // namespace

std::string JsonString(const std::string& text) {
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      quoted += escaped;
    } else {
      quoted += c;
    }
  }
  return quoted + "\"";
}

std::optional<double>* Figures::LocalServerOf(const std::string& measure, const std::string& item) {
  const auto found = std::find_if(rows_.begin(), rows_.end(), [&](const Row& row) {
    return row.figure.measure == measure && row.figure.item == item && row.figure.value;
  });
  return found == rows_.end() ? nullptr : &found->localServer;
}

void Figures::PrintTable(std::FILE* out) const {
  const Cells header = {"Measure", "Item",         "Value",  "Unit", "Reference",
                        "Ratio",   "Local server", "Target", "Met",  "Note"};
  std::array<size_t, kColumns> widths{};
  std::vector<Cells> table = {header};
  for (const Row& row : rows_) table.push_back(CellsOf(row.figure, row.localServer));
  for (const Cells& cells : table)
    for (size_t i = 0; i < kColumns; ++i) widths[i] = std::max(widths[i], cells[i].size());
  for (const Cells& cells : table) PrintRow(out, cells, widths);
}

bool Figures::WriteJson(const char* path, const std::string& environment) const {
  const File file(std::fopen(path, "w"));
  if (!file) return false;
  std::fprintf(file.get(), "{\n  \"environment\": %s,\n  \"repetitions\": %d,\n  \"figures\": [\n",
               JsonString(environment).c_str(), kRepetitions);
  for (size_t i = 0; i < rows_.size(); ++i)
    std::fprintf(file.get(), "    %s%s\n", JsonObject(rows_[i].figure, rows_[i].localServer).c_str(),
                 i + 1 < rows_.size() ? "," : "");
  std::fprintf(file.get(), "  ]\n}\n");
  return std::ferror(file.get()) == 0;
}

}  // namespace geran::bench
