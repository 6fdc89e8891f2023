#pragma once
// Owners of libjxl's objects, with the library's thread pool sized to the machine.

#include "imagelib/codecs/jxl/jxl_library.h"

#include <memory>

namespace lv {

struct JxlRunnerFree {
    const JxlLibrary* library;
    void operator()(void* runner) const { library->JxlThreadParallelRunnerDestroy(runner); }
};
using JxlRunner = std::unique_ptr<void, JxlRunnerFree>;

inline JxlRunner MakeJxlRunner(const JxlLibrary& jxl)
{
    return JxlRunner(jxl.JxlThreadParallelRunnerCreate(nullptr, jxl.JxlThreadParallelRunnerDefaultNumWorkerThreads()),
                     {&jxl});
}

struct JxlDecoderFree {
    const JxlLibrary* library;
    void operator()(JxlDecoder* decoder) const { library->JxlDecoderDestroy(decoder); }
};
struct JxlEncoderFree {
    const JxlLibrary* library;
    void operator()(JxlEncoder* encoder) const { library->JxlEncoderDestroy(encoder); }
};

}  // namespace lv
