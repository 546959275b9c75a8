#include "Output.h"

#include <iostream>

namespace Host {

int reportFailure(const std::string& message, int code) {
    std::cerr << "mediadevice-host: " << message << "\n" << std::flush;
    return code;
}

Output::Output(std::ostream& out, OutputFormat format) : m_out(out), m_format(format) {}

void Output::event(const nlohmann::ordered_json& event, const std::string& text) {
    std::lock_guard<std::mutex> lock(m_mutex);
    switch (m_format) {
        case OutputFormat::Text: m_out << text << "\n" << std::flush; break;
        case OutputFormat::JsonLines: m_out << event.dump() << "\n" << std::flush; break;
        case OutputFormat::JsonDocument: m_events.push_back(event); break;
    }
}

void Output::result(nlohmann::ordered_json document, const std::string& text) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_format == OutputFormat::Text) {
        m_out << text << std::flush;
        return;
    }
    if (m_format == OutputFormat::JsonDocument && !m_events.empty()) document["events"] = m_events;
    m_out << (m_format == OutputFormat::JsonLines ? document.dump() : document.dump(2)) << "\n" << std::flush;
}

}  // namespace Host
