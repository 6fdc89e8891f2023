#include "edit/layered_format.h"
#include "fuzz_support.h"
#include "layered_fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    lv::fuzz::InstallSilentService();
    lv::MemorySource source({data, size});
    lv::DocumentMetadata metadata;
    if (auto stack = lv::ReadLayeredStream(source, &metadata))
        lv::fuzz::CheckDocument(*stack);
    return 0;
}
