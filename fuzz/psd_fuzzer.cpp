#include "edit/psd_import.h"
#include "fuzz_support.h"
#include "layered_fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    lv::fuzz::InstallSilentService();
    lv::MemorySource source({data, size});
    lv::PsdDecode decode = lv::DecodePsd(source);
    if (decode.problem != lv::PsdProblem::None)
        return 0;
    if (decode.document.layers.size() > lv::kPsdMostLayers)
        __builtin_trap();
    if (auto stack = lv::MakeStackFromPsd(std::move(decode.document)))
        lv::fuzz::CheckDocument(*stack);
    return 0;
}
