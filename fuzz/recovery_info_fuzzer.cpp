#include "app/core/recovery/recovery_info.h"

#include <string_view>

// Any bytes parse or are refused; a side file that parses writes back to one that parses the same.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto info = lv::ParseRecoveryInfo({reinterpret_cast<const char*>(data), size});
    if (info && lv::ParseRecoveryInfo(lv::SerialiseRecoveryInfo(*info)) != info)
        __builtin_trap();
    return 0;
}
