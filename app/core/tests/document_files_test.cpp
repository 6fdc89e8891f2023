#include "app/core/documents/document_files.h"
#include "common/testing/ui_recorder.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/codecs/save_as.h"
#include "app/core/documents/untitled_names.h"
#include "app/core/command_line.h"
#include "app/core/documents/new_picture.h"
#include "app/core/tests/memory_store.h"

#include <gtest/gtest.h>
#include <set>
#include <vector>

namespace lv {
namespace {

TEST(DocumentFiles, NamesWithoutADotTakeTheExtensionOfTheSaveType)
{
    const std::tuple<const char*, int, const char*> cases[] = {
        {"/fotos/praia", kSaveAsLayered, "/fotos/praia.vlf"},   {"/fotos/praia", kSaveAsPng, "/fotos/praia.PNG"},
        {"/fotos/praia", kSaveAsTarga, "/fotos/praia.TGA"},     {"/fotos/praia", kSaveAsJpeg, "/fotos/praia.JPG"},
        {"/fotos.2000/praia", kSaveAsBmp, "/fotos.2000/praia.BMP"},  // a dot in a folder name is not the file's
        {"/fotos/praia.jpeg", kSaveAsBmp, "/fotos/praia.jpeg"}, {"/fotos/praia", kSaveAsFlashPix, "/fotos/praia.FPX"}};
    for (const auto& [name, type, expected] : cases)
        EXPECT_EQ(WithDefaultExtension(name, type), expected);
}

TEST(DocumentFiles, SaveTypesFollowTheExtensionRuleOfSaveAs)
{
    // The other spellings of JPEG and TIFF name them; other four letters are no extension here.
    EXPECT_EQ((std::vector{SaveTypeOfName("a.vlf", 1), SaveTypeOfName("a.Png", 1), SaveTypeOfName("a.tga", 1),
                           SaveTypeOfName("a.jpeg", kSaveAsBmp), SaveTypeOfName("a.tiff", kSaveAsBmp),
                           SaveTypeOfName("a.abcd", kSaveAsBmp)}),
              (std::vector<int>{kSaveAsLayered, kSaveAsPng, kSaveAsTarga, kSaveAsJpeg, kSaveAsTiff, kSaveAsBmp}));
    EXPECT_TRUE(SameDocumentName("/Fotos/Praia.JPG", "/fotos/praia.jpg"));
    EXPECT_FALSE(SameDocumentName("/fotos/praia.jpg", "/fotos/praia2.jpg"));
}

TEST(DocumentFiles, ASecondCopyIsOpenedOnlyOnYesAndAnEmptyPictureBeeps)
{
    testing::UiRecorder ui;
    ui.answers = {ui::Answer::No, ui::Answer::Yes};
    EXPECT_FALSE(AskOpenSecondCopy("/f/a.jpg"));
    EXPECT_TRUE(AskOpenSecondCopy("/f/a.jpg"));
    ASSERT_EQ(ui.messages.size(), 2u);
    const bool named = ui.messages[0].text.find("/f/a.jpg") != std::string::npos;
    EXPECT_EQ(std::tuple(ui.messages[0].question, named, ui.messages[0].title),
              std::tuple(true, true, std::string("Lumivista 2000")));

    HDIB empty = AllocatePicture(1, 1, 24, 0);
    empty.header().biWidth = 0;
    EXPECT_TRUE(DiscardEmptyPicture(empty) && !empty);
    HDIB fine = AllocatePicture(1, 1, 24, 0);
    EXPECT_FALSE(DiscardEmptyPicture(fine) || !fine);
    EXPECT_EQ(ui.beeps, 1);
}

TEST(DocumentFiles, LayeredDocumentsAskBeforeLosingTheirLayers)
{
    testing::UiRecorder ui;
    EXPECT_FALSE(AcceptSaveAsType(kSaveAsLayered, 0));
    EXPECT_EQ(ui.texts().back(), "Esta imagem não pode ser gravada com o formato VLF.");
    EXPECT_TRUE(AcceptSaveAsType(kSaveAsLayered, 3) && AcceptSaveAsType(kSaveAsJpeg, 1));
    EXPECT_EQ(ui.messages.size(), 1u);

    ui.answers = {ui::Answer::No, ui::Answer::Yes};
    EXPECT_FALSE(AcceptSaveAsType(kSaveAsPng, 2));
    EXPECT_TRUE(AcceptSaveAsType(kSaveAsPng, 2));
    EXPECT_EQ(ui.texts().back(),
              "As informações serão perdidas se não forem gravadas no formato VLF, deseja continuar?");

    ui.messages.clear();
    ui.answers = {ui::Answer::No};
    EXPECT_TRUE(ConfirmSaveUnderName("/f/a.VLF", 5) && ConfirmSaveUnderName("/f/a.jpg", 1));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_FALSE(ConfirmSaveUnderName("/f/a.jpg", 2));
    EXPECT_EQ(ui.messages.size(), 1u);
}

TEST(UntitledNames, CountFromOneWithTwoDigitsAndWrapFrom100To0)
{
    UntitledNames names;
    std::vector<std::string> given = {names.next(kNewPictureBaseString), names.next(kCaptureBaseString)};
    for (int i = 3; i <= 100; ++i)
        given.push_back(names.next("x"));
    given.push_back(names.next(kMaskBaseString));
    EXPECT_EQ((std::vector{given[0], given[1], given[8], given[9], given[98], given[99], given[100]}),
              (std::vector<std::string>{"TrueColor-Sem título-01", "Capturado - Sem título-02", "x-09", "x-10", "x-99",
                                        "x-00", "Máscara-Sem título-01"}));
}

TEST(UntitledNames, ARecoveredUntitledNameIsNeverGivenAgain)
{
    UntitledNames names;
    names.passOver("TrueColor-Sem título-03");
    EXPECT_EQ(names.next(kNewPictureBaseString), "TrueColor-Sem título-04");
    names.passOver("Capturado - Sem título-02");  // behind the counter: no move back
    names.passOver("/fotos/Sem título-40");       // a file, whatever its name
    names.passOver("Sem título-7");
    names.passOver("Sem título-");
    EXPECT_EQ(names.next("x"), "x-05");
    names.passOver("Máscara-Sem título-99");
    EXPECT_EQ(names.next("x"), "x-00") << "the counter wraps as it does after 99";
}

TEST(UntitledNames, UntitledWindowsAlwaysAskWith2364AndSavedOnesOnlyWhenChanged)
{
    // A saved file is a path, whatever its name.
    EXPECT_EQ((std::vector{DocumentModifiedState("Sem título-03", false),
                           DocumentModifiedState("TrueColor-Sem título-12", false),
                           DocumentModifiedState("/fotos/Sem título-3.jpg", false),
                           DocumentModifiedState("/fotos/praia.jpg", true)}),
              (std::vector{ModifiedState::New, ModifiedState::New, ModifiedState::Unchanged, ModifiedState::Modified}));

    EXPECT_EQ(ClosePromptText("Sem título-03", ModifiedState::New, true, false),
              "O arquivo: Sem título-03\nacabou de ser criado. Quer salvá-lo?");
    EXPECT_EQ(ClosePromptText("/fotos/praia.jpg", ModifiedState::Modified, true, false),
              "O arquivo: /fotos/praia.jpg\nfoi modificado. Deseja salvá-lo?");
    // Unchanged, without layers, during a screen switch.
    EXPECT_FALSE(ClosePromptText("/fotos/praia.jpg", ModifiedState::Unchanged, true, false) ||
                 ClosePromptText("Sem título-03", ModifiedState::New, false, false) ||
                 ClosePromptText("Sem título-03", ModifiedState::New, true, true));
}

class RecordingOpener final : public DocumentOpener {
public:
    bool acceptsFile(const std::string& path) override
    {
        examined.push_back(path);
        return !refused.count(path);
    }
    bool openDocument(const std::string& path) override
    {
        opened.push_back(path);
        return true;
    }
    std::vector<std::string> examined;
    std::vector<std::string> opened;
    std::set<std::string> refused;
};

TEST(CommandLine, TwoFilesOpenRefusedOnesCountOnceAndNamesThatAreNoPicturesAreSkipped)
{
    using Names = std::vector<std::string>;
    const Names four = {"a.jpg", "b.jpg", "c.jpg", "d.jpg"};
    const struct {
        Names args;
        std::set<std::string> refused;
        Names opened, examined;
    } cases[] = {
        {{"-geometry", "-x", "/f/a.jpg", "/f/b c.bmp", "/f/c.tif"}, {}, {"/f/a.jpg", "/f/b c.bmp"}, {"/f/a.jpg", "/f/b c.bmp"}},
        {four, {"a.jpg"}, {"b.jpg"}, {"a.jpg", "b.jpg"}},  // the refused a counts 1, the opened b 2 more: c is not examined
        {four, {"a.jpg", "b.jpg", "c.jpg"}, {}, {"a.jpg", "b.jpg", "c.jpg"}},
        {{"a.jpg", "/f/photo.jpeg", "b.jpg"}, {"a.jpg"}, {"/f/photo.jpeg"}, {"a.jpg", "/f/photo.jpeg"}},
        {{"scan.TIFF", "x.jpe", "y.jpg"}, {}, {"scan.TIFF", "x.jpe"}, {"scan.TIFF", "x.jpe"}},
        {{"notes", "a.jpg"}, {}, {"a.jpg"}, {"a.jpg"}},
        {{"", "a.jpg"}, {}, {"a.jpg"}, {"a.jpg"}},
        {{"bmp", "/f.d/x", "a.jpg"}, {}, {"a.jpg"}, {"a.jpg"}},
        {{"  x.png", "-late.jpg"}, {"-late.jpg"}, {"x.png"}, {"x.png", "-late.jpg"}},  // only leading switches; 2 does not exceed 2
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << '"' << c.args[0] << "\" and " << c.args.size() - 1 << " more");
        RecordingOpener opener;
        opener.refused = c.refused;
        EXPECT_EQ(OpenCommandLineFiles(c.args, opener), int(c.opened.size()));
        EXPECT_EQ(std::tuple(opener.opened, opener.examined), std::tuple(c.opened, c.examined));
    }
}

TEST(CommandLine, AlbumFilesGoToTheAlbumOpenerAndCountLikeOpenedFiles)
{
    for (const auto& [name, album] : {std::pair{"/f/Férias.ABM", true}, {"album1.abm", true},
                                      {"/f/albums.abm/photo.jpg", false}, {"/f/album.abmx", false}, {"abm", false}})
        EXPECT_EQ(IsAlbumFileName(name), album) << name;

    RecordingOpener opener;
    std::vector<std::string> albums;
    bool takeAlbums = true;
    const AlbumFileOpener openAlbum = [&](const std::string& path) {
        albums.push_back(path);
        return takeAlbums;
    };
    // The album counts 2, the picture 2 more: the last name is never looked at.
    const std::vector<std::string> args = {"-x", "/f/Viagem.ABM", "/f/a.jpg", "/f/b.abm"};
    using Names = std::vector<std::string>;
    EXPECT_EQ(OpenCommandLineFiles(args, opener, openAlbum), 2);
    EXPECT_EQ(std::tuple(albums, opener.opened, opener.examined),
              std::tuple(Names{"/f/Viagem.ABM"}, Names{"/f/a.jpg"}, Names{"/f/a.jpg"}));

    // An album the page does not take counts once, like a refused picture.
    albums.clear();
    takeAlbums = false;
    RecordingOpener second;
    EXPECT_EQ(OpenCommandLineFiles(Names{"a.abm", "b.jpg", "c.jpg"}, second, openAlbum), 1);
    EXPECT_EQ(std::tuple(albums, second.opened), std::tuple(Names{"a.abm"}, Names{"b.jpg"}));

    // Without an album opener the document opener is asked, as for any file.
    RecordingOpener plain;
    plain.refused = {"a.abm"};
    EXPECT_EQ(OpenCommandLineFiles(Names{"a.abm"}, plain), 0);
    EXPECT_EQ(plain.examined, Names{"a.abm"});
}

TEST(NewPicture, SizesConvertBetweenUnitsAtTheResolution)
{
    EXPECT_EQ((std::vector{LengthInPixels(4, SizeUnit::Inch, 150), LengthInPixels(2.54, SizeUnit::Centimetre, 300),
                           LengthInPixels(12.6, SizeUnit::Pixel, 300), LengthInPixels(1e300, SizeUnit::Inch, 300)}),
              (std::vector{600, 300, 13, std::numeric_limits<int>::max()}));
    EXPECT_DOUBLE_EQ(LengthInUnit(600, SizeUnit::Inch, 150), 4.0);
    EXPECT_NEAR(LengthInUnit(300, SizeUnit::Centimetre, 300), 2.54, 1e-12);

    // Switching the unit in the dialog: pixels come out whole, inches and centimetres exact.
    using enum SizeUnit;
    EXPECT_EQ((std::vector{ConvertLength(640, Pixel, Inch, 200), ConvertLength(3.2, Inch, Pixel, 200),
                           ConvertLength(1.234, Inch, Pixel, 100), ConvertLength(5, Pixel, Pixel, 0)}),
              (std::vector{3.2, 640.0, 123.0, 5.0}))
        << "rounded to a whole pixel";
    EXPECT_NEAR(ConvertLength(4, SizeUnit::Inch, SizeUnit::Centimetre, 7), 10.16, 1e-12) << "not through pixels";
    EXPECT_NEAR(ConvertLength(10.16, SizeUnit::Centimetre, SizeUnit::Inch, 300), 4.0, 1e-12);
    EXPECT_EQ(std::tuple(UnitDecimals(SizeUnit::Pixel), UnitDecimals(SizeUnit::Centimetre)), std::tuple(0, 2));
}

TEST(NewPicture, SidesAreAtLeastOneAnd10001IsRefusedWithString2348)
{
    testing::UiRecorder ui;
    const auto raised = CheckNewPictureSize({0, -3, 200, SizeUnit::Pixel});
    ASSERT_TRUE(raised);
    EXPECT_EQ(std::tuple(raised->width, raised->height), std::tuple(1, 1));
    EXPECT_TRUE(CheckNewPictureSize({10000, 10000, 200, SizeUnit::Pixel}));
    EXPECT_TRUE(ui.messages.empty());
    const NewPictureRequest tooLarge[] = {
        {10001, 5, 200, SizeUnit::Pixel}, {5, 10001, 200, SizeUnit::Inch}, {5, 10001, 300, SizeUnit::Centimetre}};
    for (const NewPictureRequest& request : tooLarge)
        EXPECT_FALSE(CheckNewPictureSize(request));
    ASSERT_EQ(ui.texts(), (std::vector<std::string>{
                              "O tamanho da imagem é grande demais.\nLargura e altura até 10000 Pixel.",
                              "O tamanho da imagem é grande demais.\nLargura e altura até 50,00 Polegada.",
                              "O tamanho da imagem é grande demais.\nLargura e altura até 84,66 Cm.",
                          }))
        << "the limit in the request's unit, never rounded above it (84.667 cm at 300 dpi)";
    EXPECT_EQ(ui.messages[0].title, "Atenção");
}

TEST(NewPicture, ThePictureIsFilledWithTheBackgroundAtTheChosenResolution)
{
    const HDIB colour = MakeNewPicture({3, 2, 300, SizeUnit::Inch}, {10, 20, 30});
    ASSERT_TRUE(colour);
    EXPECT_EQ(std::tuple(colour.bitCount(), colour.header().biXPelsPerMeter, colour.header().biYPelsPerMeter, colour.size()),
              std::tuple(24, 11811, 11811, 40u + 12 * 2 + 10));
    for (int y = 0; y < 2; ++y) {
        const std::uint8_t expected[12] = {30, 20, 10, 30, 20, 10, 30, 20, 10, 0, 0, 0};
        EXPECT_TRUE(std::equal(expected, expected + 12, colour.row(y))) << "padding stays zero";
    }
    const HDIB grey = MakeNewPicture({2, 2, 72, SizeUnit::Pixel}, {99, 20, 30}, true);
    EXPECT_EQ(std::tuple(grey.bitCount(), grey.colors()[200].rgbGreen, grey.row(1)[1], grey.header().biXPelsPerMeter),
              std::tuple(8, 200, 99, 2835));
}

TEST(RecentSizes, StoredTextsRoundTripAndShowWithTheUnitWords)
{
    const std::tuple<PictureSize, const char*, const char*> texts[] = {
        {{640, 480, SizeUnit::Pixel}, "640,480,Pixel", "640 x 480 Pixel"},
        {{4, 6.5, SizeUnit::Inch}, "4.000,6.500,Inch", "4,00 x 6,50 Polegada"},
        {{10.16, 15.24, SizeUnit::Centimetre}, "10.160,15.240,Cm", "10,16 x 15,24 Cm"}};
    for (const auto& [size, stored, listed] : texts) {
        EXPECT_EQ(std::tuple(StoredSizeText(size), SizeListText(size), ParseStoredSize(stored)),
                  std::tuple(std::string(stored), std::string(listed), std::optional(size)));
    }
    EXPECT_EQ((std::vector{ParseStoredSize("3,4,Centímetros"), ParseStoredSize(" 640,480,P")}),
              (std::vector<std::optional<PictureSize>>{PictureSize{3, 4, SizeUnit::Centimetre},
                                                       PictureSize{640, 480, SizeUnit::Pixel}}));
    for (const char* bad : {"", "640", "640,480", "640,480,", "a,480,Pixel", "640,480,Metre", "4,5x,Inch", "nan,1,P"})
        EXPECT_FALSE(ParseStoredSize(bad)) << bad;

    EXPECT_EQ(RememberedSize({600, 300, 150, SizeUnit::Inch}), (PictureSize{4, 2, SizeUnit::Inch}));
}

TEST(RecentSizes, ANewSizeGoesFirstDroppingItsTwinAndTheEleventhIsLost)
{
    testing::MemoryStore store;
    RecentSizes recent(store);
    for (int i = 1; i <= 10; ++i)
        ASSERT_TRUE(recent.remember({double(i * 100), 100, SizeUnit::Pixel}));
    const auto ends = [&] { return std::tuple(store.values["Recent Sizes/size0"], store.values["Recent Sizes/size9"]); };
    EXPECT_EQ(ends(), std::tuple("1000,100,Pixel", "100,100,Pixel"));

    recent.remember({4, 6, SizeUnit::Inch});
    EXPECT_EQ(ends(), std::tuple("4.000,6.000,Inch", "200,100,Pixel")) << "100 x 100 fell off";

    store.values["Recent Sizes/size5"] = "500,100,P";  // written by hand, same size
    store.values["Recent Sizes/size6"] = "rubbish";
    recent.remember({500, 100, SizeUnit::Pixel});
    const auto sizes = recent.read();
    ASSERT_EQ(sizes.size(), 9u) << "the unreadable entry is not listed";
    EXPECT_EQ(std::vector(sizes.begin(), sizes.begin() + 3),
              (std::vector<PictureSize>{{500, 100, SizeUnit::Pixel}, {4, 6, SizeUnit::Inch}, {1000, 100, SizeUnit::Pixel}}));
    EXPECT_EQ(std::count(sizes.begin(), sizes.end(), PictureSize{500, 100, SizeUnit::Pixel}), 1);

    store.failingKey = "size0";
    EXPECT_FALSE(recent.remember({1, 1, SizeUnit::Pixel}));
}

}  // namespace
}  // namespace lv
