#pragma once
// What the start-up's recovery has to tell, gathered so that a folder full of bad copies
// makes one message box rather than one per copy.

#include "common/file_problem.h"

#include <string>
#include <vector>

namespace lv {

class RecoveryNotices {
public:
    // A copy that looked whole but could not be read.
    void unreadableCopy(std::string name);
    // A thumbnail whose reading had something to say (each distinct text is said once).
    void thumbnailFailed(const FileFailure& failure);

    bool empty() const { return unreadable_.empty() && texts_.empty(); }
    // The one message: the unreadable copies (the first few named, the rest counted) and the
    // thumbnails' notices. Empty when there is nothing to say.
    std::string summary() const;

private:
    std::vector<std::string> unreadable_;
    std::vector<std::string> texts_;
};

}  // namespace lv
