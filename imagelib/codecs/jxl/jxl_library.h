#pragma once
// libjxl and its thread pool, opened on the first JPEG XL file instead of at start: linked
// in, they cost every start of the program several milliseconds (their SIMD layer times
// the clock as it loads), JPEG XL or not.

#include <jxl/decode.h>
#include <jxl/encode.h>
#include <jxl/thread_parallel_runner.h>

namespace lv {

#define LV_JXL_FUNCTIONS(X)                                                                                           \
    X(JxlColorEncodingSetToSRGB)                                                                                      \
    X(JxlDecoderCloseInput)                                                                                           \
    X(JxlDecoderCreate)                                                                                               \
    X(JxlDecoderDestroy)                                                                                              \
    X(JxlDecoderGetBasicInfo)                                                                                         \
    X(JxlDecoderGetColorAsEncodedProfile)                                                                             \
    X(JxlDecoderGetColorAsICCProfile)                                                                                 \
    X(JxlDecoderGetICCProfileSize)                                                                                    \
    X(JxlDecoderProcessInput)                                                                                         \
    X(JxlDecoderSetImageOutCallback)                                                                                  \
    X(JxlDecoderSetInput)                                                                                             \
    X(JxlDecoderSetParallelRunner)                                                                                    \
    X(JxlDecoderSubscribeEvents)                                                                                      \
    X(JxlEncoderAddImageFrame)                                                                                        \
    X(JxlEncoderCloseInput)                                                                                           \
    X(JxlEncoderCreate)                                                                                               \
    X(JxlEncoderDestroy)                                                                                              \
    X(JxlEncoderFrameSettingsCreate)                                                                                  \
    X(JxlEncoderInitBasicInfo)                                                                                        \
    X(JxlEncoderProcessOutput)                                                                                        \
    X(JxlEncoderSetBasicInfo)                                                                                         \
    X(JxlEncoderSetColorEncoding)                                                                                     \
    X(JxlEncoderSetFrameDistance)                                                                                     \
    X(JxlEncoderSetFrameLossless)                                                                                     \
    X(JxlEncoderSetParallelRunner)

#define LV_JXL_THREAD_FUNCTIONS(X)                                                                                    \
    X(JxlThreadParallelRunner)                                                                                        \
    X(JxlThreadParallelRunnerCreate)                                                                                  \
    X(JxlThreadParallelRunnerDefaultNumWorkerThreads)                                                                 \
    X(JxlThreadParallelRunnerDestroy)

// The functions the codec calls, each named as in libjxl.
struct JxlLibrary {
#define LV_JXL_POINTER(name) decltype(&::name) name = nullptr;
    LV_JXL_FUNCTIONS(LV_JXL_POINTER)
    LV_JXL_THREAD_FUNCTIONS(LV_JXL_POINTER)
#undef LV_JXL_POINTER
};

// The loaded library, opened once for the process (as the dynamic linker would have) and
// never changed after; null when it or one of its functions can't be found.
const JxlLibrary* LoadedJxlLibrary();

}  // namespace lv
