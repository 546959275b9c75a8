#include <vector>

#include "PulseCore.h"
#include "PulseRequest.h"
#include "VelkLog.h"
#include "olvar/NamedLogger.h"

namespace olvar::velk {

namespace {
constexpr auto logger = &olvar::namedLogger<"velk-PulseDefaults">;

struct StreamList {
    PulseConnection* connection;
    std::vector<uint32_t> indexes;
};

template <class Info>
void collect(pa_context*, const Info* info, int eol, void* self) {
    auto* list = static_cast<StreamList*>(self);
    if (eol != 0) {
        list->connection->signal();
        return;
    }
    if (info) list->indexes.push_back(info->index);
}
}  // namespace

bool makePulseDefault(PulseConnection& connection, int kind, const std::string& selectionId) {
    const bool playback = kind == DEVICE_KIND_PLAYBACK;
    if (!playback && kind != DEVICE_KIND_RECORDING) return false;
    bool done = false;
    connection.withContext([&](pa_context* context) {
        if (context == nullptr) return;
        PulseRequest request(connection);
        done = request.wait(playback ? pa_context_set_default_sink(context, selectionId.c_str(),
                                                                   &PulseRequest::onSuccess, &request)
                                     : pa_context_set_default_source(context, selectionId.c_str(),
                                                                     &PulseRequest::onSuccess, &request));
        if (!done) return;
        StreamList streams{&connection, {}};
        connection.waitFor(playback ? pa_context_get_sink_input_info_list(context, &collect<pa_sink_input_info>,
                                                                          &streams)
                                    : pa_context_get_source_output_info_list(
                                          context, &collect<pa_source_output_info>, &streams));
        // Streams that may not move (meters, streams bound to their device) stay where they are.
        for (uint32_t index : streams.indexes) {
            pa_operation* move =
                playback ? pa_context_move_sink_input_by_name(context, index, selectionId.c_str(), nullptr, nullptr)
                         : pa_context_move_source_output_by_name(context, index, selectionId.c_str(), nullptr, nullptr);
            if (move) pa_operation_unref(move);
        }
    });
    if (!done) VELK_LOG(logger(), OLVAR_LOG_WARNING, "could not make '" + selectionId + "' the server's default");
    return done;
}

}  // namespace olvar::velk
