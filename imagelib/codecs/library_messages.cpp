#include "imagelib/codecs/library_messages.h"

namespace lv {

std::string DetailedText(std::string_view text, std::string_view detail)
{
    return std::string(text) + " --- " + std::string(detail);
}

FileFailure WordedFailure(FileProblem problem, std::string text)
{
    return {problem, {}, {FailureNotice{std::move(text)}}};
}

FileFailure NoticesOnly(const FileFailure& failure)
{
    return {FileProblem::None, {}, failure.notices};
}

FileFailure CannotOpenNotice(std::string_view path)
{
    return Notice(std::string(kCannotOpenMessage) + " -- " + std::string(path));
}

}  // namespace lv
