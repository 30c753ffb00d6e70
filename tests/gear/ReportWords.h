// A report's words with its unit labels taken out, so that a report with a unit
// can be compared with the same report without one: only labels may differ.
#pragma once

#include <sstream>
#include <string>
#include <utility>
#include <vector>

inline std::vector<std::string> WordsWithoutUnit(std::string text, const std::string& unit) {
  const std::pair<std::string, std::string> labels[] = {{" (" + unit + ")", ""},
                                                        {" " + unit + ")", ")"},
                                                        {" " + unit + "\n", "\n"},
                                                        {" " + unit + " ", " "},
                                                        {"\"lengthUnit\": \"" + unit + "\",", ""}};
  for (const auto& [label, rest] : labels)
    for (std::size_t at; (at = text.find(label)) != std::string::npos;) text.replace(at, label.size(), rest);
  std::vector<std::string> words;
  std::istringstream in(text);
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}
