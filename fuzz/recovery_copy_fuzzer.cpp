#include "app/core/recovery/recovery_listing.h"
#include "edit/layered_layout.h"
#include "fuzz_support.h"

// The start-up's check of a copy left behind: any bytes are whole or damaged. The side file
// is made to agree with the copy's header, so the check goes on to the layers' blocks.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    lv::fuzz::InstallSilentService();
    lv::RecoveryInfo info;
    info.copyBytes = size;
    {
        lv::MemorySource header({data, size});
        if (const auto layout = lv::ReadLayeredLayout(header)) {
            info.width = layout->header.width;
            info.height = layout->header.height;
        }
    }
    lv::MemorySource copy({data, size});
    lv::RecoveryCopyLooksWhole(copy, info);
    return 0;
}
