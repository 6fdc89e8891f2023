// "print layout": the print layout page with photos in its slots.

#include "arguments.h"
#include "image_io.h"
#include "print_command.h"

#include "common/program_paths.h"
#include "common/settings.h"
#include "common/settings_store.h"
#include "output/print/layout_page.h"

#include <algorithm>
#include <memory>

namespace lv::tool {
namespace {

std::optional<print::PhotoSize> parseLead(const std::string& text)
{
    const std::size_t x = text.find('x');
    if (x == std::string::npos)
        return std::nullopt;
    const auto w = ParseIntegerInRange(text.substr(0, x), 1, 10);
    const auto h = ParseIntegerInRange(text.substr(x + 1), 1, 10);
    if (!w || !h)
        return std::nullopt;
    const print::PhotoSize size{*w, *h};
    for (const print::PhotoSize& s : print::kPhotoPrintSizes)
        if (s == size)
            return size;
    return std::nullopt;
}

}  // namespace

int RunPrintLayout(Arguments args)
{
    ParsedArguments parsed(args, "print", "layout");
    const std::optional<int> kind = parsed.integer("--kind", 0, 4);
    const std::optional<int> zoom = parsed.integer("--zoom", 1, 1000);
    if (!parsed.ok() || parsed.positional().empty() || !parsed.value("--pdf") || !kind)
        return Fail(kExitUsage, parsed.ok() ? FormUsage("print", "layout")
                                            : parsed.error());
    std::optional<print::PhotoSize> lead;
    if (const auto text = parsed.value("--lead")) {
        lead = parseLead(*text);
        if (!lead)
            return Fail(kExitUsage, "--lead must be one of the photo print sizes, such as 6x4");
    }

    const std::string out = *parsed.value("--pdf");
    std::vector<std::uint8_t> printerProfile;
    if (const int failed = PrinterProfileOption(parsed, printerProfile))
        return failed;
    const auto printer = OpenPdfJob(out, parsed.value("--paper"), std::move(printerProfile));
    if (!printer)
        return kExitUsage;
    const print::PrinterMetrics metrics = printer->metrics(print::Orientation::Portrait);

    print::LayoutPage page;
    if (*kind == print::kLabelLayout) {
        const std::filesystem::path labels =
            parsed.value("--labels") ? std::filesystem::path(*parsed.value("--labels")) : ProgramFile(print::kLabelFileName);
        const auto file = print::ReadLabelFile(labels);
        const auto brands = print::LabelBrands(file ? &*file : nullptr);
        std::string prefix = brands.front().prefix;
        if (const auto brand = parsed.value("--brand")) {
            if (std::none_of(brands.begin(), brands.end(), [&](const print::LabelBrand& b) { return b.prefix == *brand; }))
                return Fail(kExitUsage, "no label brand " + *brand + " in " + labels.string());
            prefix = *brand;
        }
        const auto products = print::LabelProducts(file ? &*file : nullptr, prefix, metrics);
        const print::LabelProduct* chosen = &products.front();
        if (const auto name = parsed.value("--product")) {
            const auto it = std::find_if(products.begin(), products.end(),
                                         [&](const print::LabelProduct& p) { return p.name == *name; });
            if (it == products.end())
                return Fail(kExitUsage, "no product \"" + *name + "\" for this paper in " + print::PaperSectionName(prefix, metrics));
            chosen = &*it;
        }
        page.useLabels(*chosen);
    } else {
        page.usePhotoSizes(*kind, metrics, lead);
    }
    page.setZoom(zoom.value_or(100));

    std::vector<std::shared_ptr<const HDIB>> photos;
    for (const std::string& path : parsed.positional()) {
        ToolPicture picture = OpenPicture(path);
        if (picture.exitCode)
            return picture.exitCode;
        photos.push_back(std::make_shared<const HDIB>(std::move(picture.image)));
    }
    const std::size_t pageSlots = page.slotList().size();
    const std::size_t filled = parsed.has("--fill") ? pageSlots : std::min(pageSlots, photos.size());
    for (std::size_t i = 0; i < filled; ++i)
        page.place(int(i), photos[i % photos.size()], parsed.positional()[i % photos.size()]);

    ProfileStore store(ConfigFilePath());
    const Settings settings(store);
    const print::PageMargins margins = print::MarginsFromSixtyFourths(
        settings.get(setting::kTopMargin), settings.get(setting::kLeftMargin), metrics);
    return CheckPdfWritten(out, print::PrintLayoutPage(*printer, page, margins) == 1);
}

}  // namespace lv::tool
