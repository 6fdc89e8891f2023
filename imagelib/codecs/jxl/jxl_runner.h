#pragma once
// Owners of libjxl's objects, with the library's thread pool sized to the machine.

#include <jxl/decode.h>
#include <jxl/encode.h>
#include <jxl/thread_parallel_runner.h>

#include <memory>

namespace lv {

struct JxlRunnerFree {
    void operator()(void* runner) const { JxlThreadParallelRunnerDestroy(runner); }
};
using JxlRunner = std::unique_ptr<void, JxlRunnerFree>;

inline JxlRunner MakeJxlRunner()
{
    return JxlRunner(JxlThreadParallelRunnerCreate(nullptr, JxlThreadParallelRunnerDefaultNumWorkerThreads()));
}

struct JxlDecoderFree {
    void operator()(JxlDecoder* decoder) const { JxlDecoderDestroy(decoder); }
};
struct JxlEncoderFree {
    void operator()(JxlEncoder* encoder) const { JxlEncoderDestroy(encoder); }
};

}  // namespace lv
