// The printer's colour profile from its driver description: the attribute for the printer's
// default colour model, media and resolution, else the first; relative names in CUPS's data
// folder; no profile, and why, for everything else.

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

class PrinterProfileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!std::filesystem::exists(kSwapped))
            GTEST_SKIP() << "no " << kSwapped;
        std::filesystem::create_directories(dir.file("cups/profiles"));
        writeBytes("cups/profiles/relativo.icc", SrgbProfileBytes());
        std::filesystem::copy_file(kSwapped, dir.file("trocado.icc"));
        ::setenv("CUPS_DATADIR", dir.file("cups").c_str(), 1);
    }
    void TearDown() override { ::unsetenv("CUPS_DATADIR"); }

    void writeBytes(const std::string& name, const std::vector<std::uint8_t>& bytes)
    {
        std::ofstream(dir.file(name), std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
    // A driver description whose defaults are `colourModel` and 600dpi, with `profiles` lines.
    std::string writePpd(const std::string& colourModel, const std::string& profiles)
    {
        const std::string path = dir.file("teste.ppd");
        std::ofstream(path) << "*PPD-Adobe: \"4.3\"\n*FormatVersion: \"4.3\"\n*FileVersion: \"1.0\"\n"
                               "*LanguageVersion: English\n*LanguageEncoding: ISOLatin1\n*PCFileName: \"TESTE.PPD\"\n"
                               "*Manufacturer: \"Teste\"\n*Product: \"(Teste)\"\n*ModelName: \"Teste\"\n"
                               "*ShortNickName: \"Teste\"\n*NickName: \"Teste\"\n"
                               "*OpenUI *ColorModel/Cor: PickOne\n*DefaultColorModel: " << colourModel << "\n"
                               "*ColorModel RGB/Cor: \"\"\n*ColorModel Gray/Cinza: \"\"\n*CloseUI: *ColorModel\n"
                               "*OpenUI *Resolution/Resolução: PickOne\n*DefaultResolution: 600dpi\n"
                               "*Resolution 300dpi/300: \"\"\n*Resolution 600dpi/600: \"\"\n*CloseUI: *Resolution\n"
                            << profiles;
        return path;
    }

    testing::TempDir dir;
};

TEST_F(PrinterProfileTest, QualifiersFitTheSettingPartByPart)
{
    const PrinterSetting setting{"RGB", "Plain", "600dpi"};
    EXPECT_TRUE(ProfileQualifierFits("RGB.Plain.600dpi", setting));
    EXPECT_TRUE(ProfileQualifierFits("RGB..600dpi", setting));
    EXPECT_TRUE(ProfileQualifierFits("-.-.-", setting));
    EXPECT_TRUE(ProfileQualifierFits("", setting));
    EXPECT_FALSE(ProfileQualifierFits("RGB.Glossy.600dpi", setting));
    EXPECT_FALSE(ProfileQualifierFits("Gray..", setting));
    EXPECT_FALSE(ProfileQualifierFits("RGB.Plain.600dpi.x", setting));
}

TEST_F(PrinterProfileTest, TheFittingAttributeElseTheFirstIsLoaded)
{
    const std::string lines = "*cupsICCProfile Gray../Cinza: \"relativo.icc\"\n"
                              "*cupsICCProfile RGB..300dpi/Rascunho: \"/nao/existe.icc\"\n"
                              "*cupsICCProfile RGB..600dpi/Cor: \"" + dir.file("trocado.icc") + "\"\n";
    const PrinterProfile fitting = PrinterProfileFromPpd(writePpd("RGB", lines));
    EXPECT_EQ(fitting.note, dir.file("trocado.icc"));
    EXPECT_EQ(fitting.bytes, ReadWholeFile(kSwapped).value_or(std::vector<std::uint8_t>{}));
    // Nothing fits a model the attributes don't name: the first, found in CUPS's data folder.
    const PrinterProfile first = PrinterProfileFromPpd(writePpd("CMYK", lines));
    EXPECT_EQ(first.note, dir.file("cups") + "/profiles/relativo.icc");
    EXPECT_EQ(first.bytes, SrgbProfileBytes());
}

TEST_F(PrinterProfileTest, WithoutAUsableProfileNothingIsConverted)
{
    writeBytes("estragado.icc", std::vector<std::uint8_t>(200, 'x'));
    const std::pair<std::string, std::string> cases[] = {
        {"", "names no colour profile"},
        {"*cupsICCProfile RGB../Cor: \"/nao/existe.icc\"\n", "cannot be opened"},
        {"*cupsICCProfile RGB../Cor: \"" + dir.file("estragado.icc") + "\"\n", "no usable RGB profile"},
    };
    for (const auto& [lines, why] : cases) {
        const PrinterProfile none = PrinterProfileFromPpd(writePpd("RGB", lines));
        EXPECT_TRUE(none.bytes.empty());
        EXPECT_NE(none.note.find(why), std::string::npos) << none.note;
    }
    EXPECT_TRUE(PrinterProfileFromPpd(dir.file("nenhum.ppd")).bytes.empty());
    // Without a CUPS server, or with one that doesn't know the printer, pages print as they did.
    const PrinterProfile unknown = PrinterProfileOf("impressora-que-nao-existe");
    EXPECT_TRUE(unknown.bytes.empty());
    std::cout << "no printer profile: " << unknown.note << "\n";
}

}  // namespace
}  // namespace lv::print
