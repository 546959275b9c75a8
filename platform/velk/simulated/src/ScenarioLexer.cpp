#include "ScenarioLexer.h"

#include <cctype>

namespace olvar::velk {

namespace {
bool isSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }
}  // namespace

bool splitScenarioLine(const std::string& line, std::vector<std::string>& words, std::string& error) {
    words.clear();
    std::string word;
    bool inWord = false;
    bool inQuotes = false;
    for (char c : line) {
        if (inQuotes) {
            if (c == '"') {
                inQuotes = false;
            } else {
                word += c;
            }
            continue;
        }
        if (isSpace(c)) {
            if (inWord) words.push_back(std::move(word));
            word.clear();
            inWord = false;
            continue;
        }
        if (!inWord && words.empty() && c == '#') return true;  // comment line
        inWord = true;
        if (c == '"') {
            inQuotes = true;
        } else {
            word += c;
        }
    }
    if (inQuotes) {
        words.clear();
        error = "unterminated quoted text";
        return false;
    }
    if (inWord) words.push_back(std::move(word));
    return true;
}

}  // namespace olvar::velk
