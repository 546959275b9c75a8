#include "CommandSupport.h"

#include "../Output.h"

namespace Host {

int finish(CommandContext& context, const Outcome& outcome) {
    if (!outcome.ok) return reportFailure(outcome.error, outcome.status);
    context.output.result(outcome.result, outcome.text);
    return kExitSuccess;
}

}  // namespace Host
