#include "common/byte_source.h"
#include "imagelib/codecs/png/png_text.h"

// The thumbnail cache reads the text of PNG files other programs wrote.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    lv::MemorySource source({data, size});
    (void)lv::ReadPngText(source);
    return 0;
}
