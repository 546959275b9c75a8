// The result of one operation, shared by the command line and the settings page: a JSON
// result (and its text for a person), or a one-line error with the exit status it maps to.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "../Output.h"

namespace Host {

struct Outcome {
    bool ok = true;
    nlohmann::ordered_json result;
    std::string text;   // what the command line prints on success
    std::string error;  // one line, without the program's name
    int status = kExitSuccess;  // kExitFailure or kExitUsage when not ok

    static Outcome success(nlohmann::ordered_json result, std::string text = {}) {
        return {true, std::move(result), std::move(text), {}, kExitSuccess};
    }
    static Outcome failure(std::string error, int status = kExitFailure) {
        return {false, nullptr, {}, std::move(error), status};
    }
    // "usage" or "failure", as the page's replies name the two error statuses.
    const char* errorClass() const { return status == kExitUsage ? "usage" : "failure"; }
};

}  // namespace Host
