#pragma once
// The words a failure carries for the user, as the texts of the boxes its caller shows.

#include "common/file_problem.h"

#include <string>
#include <vector>

namespace lv::testing {

inline std::vector<std::string> NoticeTexts(const FileFailure& failure)
{
    std::vector<std::string> texts;
    for (const FailureNotice& notice : failure.notices)
        texts.push_back(notice.text);
    return texts;
}

}  // namespace lv::testing
