#include "edit/clipboard_layer.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    lv::fuzz::InstallSilentService();
    if (auto piece = lv::ParseClipboardLayer({data, size})) {
        lv::fuzz::CheckPicture(piece->layer.image.read());
        lv::fuzz::CheckPicture(piece->layer.mask.read());
        // Whatever parses must also flatten for other programs without a fault.
        lv::HDIB flat = lv::FlattenedForClipboard(*piece);
        lv::fuzz::CheckPicture(flat);
    }
    return 0;
}
