#include "fuzz_support.h"
#include "imagelib/codecs/flashpix/fpx.h"

// libgsf drops a few names while it gives up on a damaged directory; that is its leak, not ours.
// Full stacks on every allocation let the suppression find its function.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:gsf_infile_msole_new\n";
}

extern "C" const char* __asan_default_options()
{
    return "fast_unwind_on_malloc=0";
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    lv::fuzz::InstallSilentService();
    lv::fuzz::CheckPicture(lv::ReadFlashPix(std::span<const std::uint8_t>(data, size)).image());
    return 0;
}
