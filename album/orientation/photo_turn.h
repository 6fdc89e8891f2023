#pragma once
// Turning a photo file upright, or a quarter left or right, in place. JPEG photos turn without
// losing quality (their compressed blocks move); the other formats are decoded, turned and
// saved again. Afterwards the photo stands as it should with EXIF orientation 1; its other
// metadata, colour profile and transparency stay. The file is read under the program's
// file rules and budget and replaced only through the safe write path: a turn that fails
// leaves it as it was.

#include "album/orientation/lossless_jpeg_turn.h"
#include "album/orientation/quarter_turns.h"
#include "common/file_problem.h"

#include <string>

namespace lv::orientation {

struct TurnRequest {
    Turn turn = Turn::Upright;
    EdgeBlocks edges = EdgeBlocks::Refuse;
    bool losslessOnly = false;  // refuse a photo that could only turn by saving it again
};

enum class TurnStatus {
    Turned,
    AlreadyUpright,  // Upright asked of a photo with orientation 1: the file is untouched
    Failed,
};

struct TurnOutcome {
    TurnStatus status = TurnStatus::Failed;
    bool lossless = false;         // every pixel kept as it was
    bool metadataDropped = false;  // the format's writer carries no metadata
    int width = 0;                 // the photo's size after the turn
    int height = 0;
    FileFailure failure;

    bool turned() const { return status == TurnStatus::Turned; }
};

TurnOutcome TurnPhoto(const std::string& path, const TurnRequest& request);

// One line for the user: the photo's name as given and what happened to it.
std::string DescribeTurn(const TurnOutcome& outcome, const std::string& path);

}  // namespace lv::orientation
