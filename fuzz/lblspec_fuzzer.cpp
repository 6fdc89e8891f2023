#include "common/profile_document.h"
#include "output/print/label_spec.h"

#include <cstdint>
#include <string_view>

// Any label file gives at least one brand and one product per paper, products of at most four
// blocks, labels of no negative size, and never more labels than asked for.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace lv::print;
    const auto file = lv::profile::ProfileDocument::Parse({reinterpret_cast<const char*>(data), size});
    const auto brands = LabelBrands(&file);
    if (brands.empty())
        __builtin_trap();
    for (const PrinterMetrics& m : {DefaultPrinterMetrics(), PrinterMetrics{2300, 3300, 300, 1, 0, 0, 2480, 3508}})
        for (const LabelBrand& brand : brands) {
            const auto products = LabelProducts(&file, brand.prefix, m);
            if (products.empty() || products.size() > kMaxProducts)
                __builtin_trap();
            for (const LabelProduct& p : products) {
                if (p.blocks.empty() || p.blocks.size() > kMaxBlocks || p.name.size() > kMaxProductName)
                    __builtin_trap();
                for (const lv::Rect& r : LabelRects(p, 100))
                    if (r.width() < 0 || r.height() < 0)
                        __builtin_trap();
                if (LabelRects(p, 100).size() > 100)
                    __builtin_trap();
            }
        }
    return 0;
}
