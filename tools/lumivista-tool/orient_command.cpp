#include "orient_command.h"

#include "album/orientation/photo_turn.h"
#include "arguments.h"
#include "json_writer.h"
#include "option_table.h"

#include <algorithm>
#include <cstdio>

namespace lv::tool {

using orientation::TurnStatus;

int RunOrient(std::string_view, Arguments args)
{
    ParsedArguments parsed(args, "orient");
    const int turns = int(parsed.has("--left")) + int(parsed.has("--right")) + int(parsed.has("--auto"));
    if (!parsed.ok() || parsed.positional().empty() || turns != 1)
        return Fail(kExitUsage, parsed.ok() ? FormUsage("orient") : parsed.error());
    orientation::TurnRequest request;
    request.turn = parsed.has("--left")    ? orientation::Turn::Left
                   : parsed.has("--right") ? orientation::Turn::Right
                                           : orientation::Turn::Upright;
    request.edges = parsed.has("--trim") ? orientation::EdgeBlocks::Trim : orientation::EdgeBlocks::Refuse;
    request.losslessOnly = parsed.has("--lossless-only");

    JsonWriter json;
    json.beginArray();
    int status = kExitOk;
    for (const std::string& path : parsed.positional()) {
        const orientation::TurnOutcome outcome = orientation::TurnPhoto(path, request);
        if (outcome.status == TurnStatus::Failed) {
            const FileProblem problem = outcome.failure.problem;
            const bool unwritable = problem == FileProblem::DiskFull || problem == FileProblem::PermissionDenied ||
                                    problem == FileProblem::ReadOnlyFile || problem == FileProblem::FileTooBig ||
                                    problem == FileProblem::DiskError;
            status = std::max(status, int(unwritable ? kExitCannotWrite : kExitCannotRead));
            std::fprintf(stderr, "lumivista-tool: %s\n", orientation::DescribeTurn(outcome, path).c_str());
        } else if (!parsed.has("--json")) {
            std::printf("%s\n", orientation::DescribeTurn(outcome, path).c_str());
        }
        json.beginObject().key("file").value(path);
        json.key("result").value(outcome.status == TurnStatus::Turned           ? "turned"
                                 : outcome.status == TurnStatus::AlreadyUpright ? "upright"
                                                                                : "failed");
        json.key("lossless").value(outcome.lossless).key("width").value(outcome.width).key("height").value(outcome.height);
        if (outcome.status == TurnStatus::Failed)
            json.key("reason").value(DescribeFileProblem(outcome.failure));
        json.endObject();
    }
    json.endArray();
    if (parsed.has("--json"))
        std::printf("%s\n", json.text().c_str());
    return status;
}

}  // namespace lv::tool
