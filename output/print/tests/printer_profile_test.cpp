// The printer's profile from its driver description: the attribute fitting the defaults, else
// the first, relative names in CUPS's data folder; no profile, and why, for everything else.

#include "output/print/printer_profile.h"

#include "common/byte_source.h"
#include "common/testing/temp_dir.h"
#include "imagelib/colour/colour_profile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>

namespace lv::print {
namespace {

const std::string kSwapped = "/usr/share/color/icc/colord/SwappedRedAndGreen.icc";

TEST(PrinterProfile, TheFittingAttributeElseTheFirstElseNothing)
{
    if (!std::filesystem::exists(kSwapped))
        GTEST_SKIP() << "no " << kSwapped;
    testing::TempDir dir;
    std::filesystem::create_directories(dir.file("cups/profiles"));
    const std::vector<std::uint8_t> srgb = SrgbProfileBytes();
    std::ofstream(dir.file("cups/profiles/rel.icc"), std::ios::binary).write(reinterpret_cast<const char*>(srgb.data()), srgb.size());
    std::ofstream(dir.file("bad.icc")) << std::string(200, 'x');
    ::setenv("CUPS_DATADIR", dir.file("cups").c_str(), 1);
    // A driver whose defaults are `model` and 600dpi, with `profiles` lines.
    const auto ppd = [&](const std::string& model, const std::string& profiles) {
        std::ofstream(dir.file("t.ppd")) << "*PPD-Adobe: \"4.3\"\n*FormatVersion: \"4.3\"\n*FileVersion: \"1.0\"\n"
            "*LanguageVersion: English\n*LanguageEncoding: ISOLatin1\n*PCFileName: \"T.PPD\"\n*Manufacturer: \"T\"\n"
            "*Product: \"(T)\"\n*ModelName: \"T\"\n*ShortNickName: \"T\"\n*NickName: \"T\"\n"
            "*OpenUI *ColorModel/Cor: PickOne\n*DefaultColorModel: " << model << "\n*ColorModel RGB/Cor: \"\"\n"
            "*ColorModel Gray/Cinza: \"\"\n*CloseUI: *ColorModel\n*OpenUI *Resolution/R: PickOne\n"
            "*DefaultResolution: 600dpi\n*Resolution 300dpi/300: \"\"\n*Resolution 600dpi/600: \"\"\n"
            "*CloseUI: *Resolution\n" << profiles;
        return PrinterProfileFromPpd(dir.file("t.ppd"));
    };
    const std::string lines = "*cupsICCProfile Gray../Cinza: \"rel.icc\"\n*cupsICCProfile RGB..300dpi/R: \"/no.icc\"\n"
                              "*cupsICCProfile RGB..600dpi/Cor: \"" + kSwapped + "\"\n";
    const PrinterProfile fitting = ppd("RGB", lines);
    EXPECT_EQ(std::tuple(fitting.note, fitting.bytes),
              std::tuple(kSwapped, ReadWholeFile(kSwapped).value_or(std::vector<std::uint8_t>{})));
    const PrinterProfile first = ppd("CMYK", lines);
    EXPECT_EQ(std::tuple(first.note, first.bytes), std::tuple(dir.file("cups") + "/profiles/rel.icc", srgb));

    const std::pair<std::string, std::string> none[] = {
        {"", "names no colour profile"},
        {"*cupsICCProfile RGB../Cor: \"/no.icc\"\n", "cannot be opened"},
        {"*cupsICCProfile RGB../Cor: \"" + dir.file("bad.icc") + "\"\n", "no usable RGB profile"},
    };
    for (const auto& [profiles, why] : none) {
        const PrinterProfile got = ppd("RGB", profiles);
        EXPECT_TRUE(got.bytes.empty());
        EXPECT_NE(got.note.find(why), std::string::npos) << got.note;
    }
    EXPECT_TRUE(PrinterProfileFromPpd(dir.file("none.ppd")).bytes.empty());
    ::unsetenv("CUPS_DATADIR");
    // Without a CUPS server, or one that doesn't know the printer, pages print as they did.
    const PrinterProfile unknown = PrinterProfileOf("impressora-que-nao-existe");
    EXPECT_TRUE(unknown.bytes.empty());
    std::cout << "no printer profile: " << unknown.note << "\n";
}

}  // namespace
}  // namespace lv::print
