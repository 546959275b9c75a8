// Where a run's results go: text for a person, or JSON for a program (one document, or one
// object per line for a stream of events), and the one-line failure messages.
#pragma once

#include <mutex>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>

namespace Host {

enum class OutputFormat { Text, JsonDocument, JsonLines };

// Exit statuses of the program.
constexpr int kExitSuccess = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

// Prints "mediadevice-host: <message>" on standard error and returns code.
int reportFailure(const std::string& message, int code = kExitFailure);

// Events may come from any thread (notifications arrive on the services dispatcher); each is
// printed whole.
class Output {
public:
    Output(std::ostream& out, OutputFormat format);

    bool isJson() const { return m_format != OutputFormat::Text; }
    // Something that happened while the run went on: printed at once as text or as a JSON
    // line; kept for the closing document otherwise.
    void event(const nlohmann::ordered_json& event, const std::string& text);
    // The run's result: the JSON document (with the events kept, under "events") or the text.
    void result(nlohmann::ordered_json document, const std::string& text);

private:
    std::ostream& m_out;
    const OutputFormat m_format;
    std::mutex m_mutex;
    nlohmann::ordered_json m_events = nlohmann::ordered_json::array();
};

}  // namespace Host
