// Splits one scenario line into words: whitespace separates, double quotes group text
// (kept verbatim, quotes removed). A line whose first word starts with '#' has no words.
#pragma once

#include <string>
#include <vector>

namespace olvar::velk {

bool splitScenarioLine(const std::string& line, std::vector<std::string>& words, std::string& error);

}  // namespace olvar::velk
