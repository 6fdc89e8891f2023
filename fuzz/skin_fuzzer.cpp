#include "app/skin/panel_loader.h"
#include "app/skin/skin_file.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    lv::fuzz::InstallSilentService();
    lv::MemorySource source({data, size});
    const auto content = lv::skin::ReadSkinFile(source);
    if (!content)
        return 0;
    for (const auto& screen : content->screens)
        for (const auto& button : screen)
            for (const auto& picture : button.pictures)
                lv::fuzz::CheckPicture(lv::skin::PictureFromPackedDib(picture));
    return 0;
}
