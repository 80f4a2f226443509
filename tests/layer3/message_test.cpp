// The layer-3 checker against messages.txt: every row's name, fields and findings.
#include <layer3/message.h>
#include <layer3/message_table.h>
#include <message_table_text.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace geran::layer3 {
namespace {

struct Row {
  std::string text;  // the line, for the failure message
  std::vector<std::uint8_t> bytes;
  std::string name, fields, findings;
};

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  return first == std::string::npos ? "" : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::vector<Row> TableRows() {
  std::vector<Row> rows;
  std::istringstream table(kMessageTable);
  for (std::string line; std::getline(table, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> columns;
    std::istringstream cells(line);
    for (std::string cell; std::getline(cells, cell, '|');) columns.push_back(Trimmed(cell));
    columns.resize(5);
    Row row{line, {}, columns[2], columns[3], columns[4]};
    std::istringstream octets(columns[1]);
    for (std::string octet; octets >> octet;)
      row.bytes.push_back(static_cast<std::uint8_t>(std::stoul(octet, nullptr, 16)));
    rows.push_back(row);
  }
  return rows;
}

template <typename Items, typename Format>
std::string Joined(const Items& items, const char* separator, Format format) {
  std::string text;
  for (const auto& item : items) text += (text.empty() ? "" : separator) + format(item);
  return text;
}

TEST(Layer3Decode, NamesFieldsAndFindingsOfEveryRow) {
  for (const Row& row : TableRows()) {
    SCOPED_TRACE(row.text);
    const Message message = Decode(row.bytes);
    EXPECT_EQ(message.name, row.name);
    std::vector<Field> fields = message.fields;
    if (message.known && message.channel != Channel::kDcch)
      fields.push_back({"L2 pseudo length", std::to_string(message.pseudoLength)});
    EXPECT_EQ(Joined(fields, ", ", [](const Field& f) { return f.name + "=" + f.value; }), row.fields);
    EXPECT_EQ(Joined(message.findings, "; ", Describe), row.findings);
  }
}

// The capture test sends the rows without findings: each message the checker knows needs one.
TEST(Layer3Decode, EveryKnownMessageHasACompleteRow) {
  std::set<std::string> complete;
  for (const Row& row : TableRows())
    if (row.findings.empty()) complete.insert(row.name);
  for (const detail::MessageType& type : detail::MessageTypes())
    EXPECT_EQ(complete.count(type.name), 1u) << type.name;
}

}  // namespace
}  // namespace geran::layer3
