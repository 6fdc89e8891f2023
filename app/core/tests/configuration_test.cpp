#include "app/core/configuration.h"
#include "app/core/shell_state.h"
#include "common/temp_files.h"
#include "edit/compositing.h"
#include "edit/layer_pictures.h"
#include "edit/layers.h"
#include "imagelib/dib_geometry.h"
#include "common/testing/temp_dir.h"
#include "memory_store.h"
#include "common/settings.h"
#include "app/core/recent_lists.h"

#include <gtest/gtest.h>

#include <array>
#include <fstream>

namespace lv {
namespace {

// A layer whose mask is 0 everywhere: the grid shows through all of it.
void AppendTransparentLayer(LayerStack& stack)
{
    HDIB image = DibCreate(stack.width, stack.height, 0x000000, false);
    HDIB mask = MakeGreyFilled(stack.width, stack.height, 0);
    InsertLayer(stack, image, mask, 0, false);
}

std::vector<std::string> keysInFileOrder(const std::string& path)
{
    std::ifstream in(path);
    std::vector<std::string> keys;
    for (std::string line; std::getline(in, line);)
        if (const auto eq = line.find('='); eq != std::string::npos)
            keys.push_back(line.substr(0, eq));
    return keys;
}

TEST(Configuration, AnAbsentFileGivesEveryDefault)
{
    testing::TempDir dir;
    ProfileStore store(dir.file("none.ini"));
    const Configuration c = LoadConfiguration(Settings(store));
    EXPECT_EQ((std::array{c.gammaR, c.gammaG, c.gammaB, c.brushShape, c.brushSize, c.brushSpeed, c.undoLevel,
                          c.blackGeneration, c.underColorRemov, c.totalInkLimit, c.transparencyGrid, c.scanCalFlag,
                          c.scanCalChannel, c.printCalFlag, c.printCalChannel}),
              (std::array{1400, 1400, 1400, 1, 16, 20, 32, 33, 20, 400, 0, 0, 0, 0, 0}));
    EXPECT_EQ(std::tuple(c.activeColour, c.secondaryColour, c.albumName, c.stampName),
              std::tuple(RgbTriple{255, 255, 0}, RgbTriple{0, 0, 255}, "sample.abm", "stamps/apple.bmp"));
    EXPECT_TRUE(c.showBrush && c.showColorPal && c.showTools && c.fitInWindow);
}

TEST(Configuration, StoredValuesAreReadAndColoursKeptWithinAByte)
{
    testing::MemoryStore store;
    store.values = {{"USUÁRIO/ActR", "300"},        {"USUÁRIO/ActG", "-4"},        {"USUÁRIO/AltB", "17"},
                    {"USUÁRIO/ShowTools", "0"},     {"USUÁRIO/UndoLevel", "5"},    {"USUÁRIO/FitInWindow", "2"},
                    {"USUÁRIO/TransparencyGrid", "2"}};
    const Configuration c = LoadConfiguration(Settings(store));
    // Only 1 fits in the window.
    EXPECT_EQ(std::tuple(c.activeColour, c.secondaryColour.blue, c.showTools, c.undoLevel, c.fitInWindow,
                         c.transparencyGrid),
              std::tuple(RgbTriple{255, 0, 0}, 17, false, 5, false, 2));
}

TEST(Configuration, TheGridSchemeReadAtStartUpColoursTheCompositeOfATransparentDocument)
{
    auto stack = CreateEmptyLayerStack(16, 8, 24);
    AppendTransparentLayer(*stack);
    const auto evenCell = [&stack] {
        CompositeLayers(*stack);
        const std::uint8_t* p = stack->composite.row(0);  // the bottom-left cell is even
        return std::array{int(p[2]), int(p[1]), int(p[0])};
    };
    testing::MemoryStore store;
    ShellState shell;
    // Scheme 0 by default; an unknown scheme counts as 0.
    for (const auto& [scheme, even] : {std::tuple("", std::array{255, 255, 255}), std::tuple("2", std::array{255, 128, 192}),
                                       std::tuple("7", std::array{255, 255, 255})}) {
        if (*scheme)
            store.values["USUÁRIO/TransparencyGrid"] = scheme;
        LoadShellState(shell, Settings(store), 32);
        EXPECT_EQ(evenCell(), even) << scheme;
    }
}

TEST(Configuration, TheExitSaveWritesItsKeysInTheFixedOrder)
{
    testing::TempDir dir;
    const auto ini = dir.file("LV2000.ini");
    std::ofstream(ini) << "[USUÁRIO]\nUndoLevel=12\nGammaR=2000\n";
    ProfileStore store(ini);
    Settings settings(store);
    Configuration c = LoadConfiguration(settings);
    c.loginId = "ana";
    c.brushSize = 40;
    c.printCalFlag = 1;  // switched on in the calibration dialog
    c.printCalChannel = 2;
    RecentLists recent;
    recent.add("/fotos/praia.jpg");
    SaveConfigurationAtExit(settings, c, recent, "/opt/lumivista/lumivista");

    std::vector<std::string> expected = {"UndoLevel", "GammaR", "AppName", "Login_ID", "Version", "ActR", "ActG",
                                         "ActB", "AltR", "AltG", "AltB", "BrushShape", "BrushSize", "BrushSpeed",
                                         "Show Brush", "TransparencyGrid", "ShowColorPal", "ShowTools"};
    for (int i = 0; i < 10; ++i)
        expected.push_back("LastDir" + std::to_string(i));
    for (int i = 0; i < 10; ++i)
        expected.push_back("File" + std::to_string(i));
    for (const char* key : {"StampName", "Album Name", "BlackGeneration", "UnderColorRemov", "TotalInkLimit",
                            "PrintCalFlag", "PrintCalChannel"})
        expected.push_back(key);
    EXPECT_EQ(keysInFileOrder(ini), expected);

    const std::pair<const char*, const char*> values[] = {
        {"UndoLevel", "12"}, {"GammaR", "2000"},  {"Version", "200"},          {"AppName", "/opt/lumivista/lumivista"},
        {"BrushSize", "40"}, {"LastDir0", "/fotos"}, {"File0", "/fotos/praia.jpg"}, {"File1", ""}, {"Show Brush", "1"}};
    for (const auto& [key, value] : values)
        EXPECT_EQ(store.read("USUÁRIO", key), value) << key;
    const Configuration next = LoadConfiguration(settings);
    EXPECT_EQ(std::tuple(next.printCalFlag, next.printCalChannel),
              std::tuple(1, 2)) << "the calibration switch holds over a restart";
}

TEST(Configuration, AFailedWriteStopsTheSettingsChainButNotTheListsAndOwnersKeys)
{
    testing::MemoryStore store;
    store.failingKey = "BrushShape";
    Settings settings(store);
    SaveConfigurationAtExit(settings, Configuration{}, RecentLists{}, "/x/lumivista");
    const auto& a = store.attempts;
    const auto pos = [&](const std::string& key) { return std::find(a.begin(), a.end(), key) - a.begin(); };
    EXPECT_LT(pos("AltB"), pos("BrushShape"));
    EXPECT_EQ(std::tuple(std::count(a.begin(), a.end(), "BrushSize"), std::count(a.begin(), a.end(), "ShowTools")),
              std::tuple(0, 0));
    EXPECT_EQ(std::tuple(a[std::size_t(pos("BrushShape")) + 1], a.back()), std::tuple("LastDir0", "PrintCalChannel"));
}

TEST(TemporaryFiles, EveryFileGoesAndFoldersStay)
{
    testing::TempDir dir;
    const auto temp = dir.path() / "temp";
    std::filesystem::create_directories(temp / "keep");
    std::ofstream(temp / "scan1.bmp") << "x";
    std::ofstream(temp / ".hidden") << "x";
    std::ofstream(temp / "keep" / "inner.txt") << "x";
    std::filesystem::create_symlink(temp / "keep", temp / "link");
    EXPECT_EQ(DeleteTemporaryFiles(temp), 3);
    EXPECT_EQ(std::tuple(std::filesystem::exists(temp / "keep" / "inner.txt"), std::filesystem::exists(temp / "scan1.bmp"),
                         std::filesystem::is_symlink(temp / "link")),
              std::tuple(true, false, false));
    EXPECT_EQ(DeleteTemporaryFiles(dir.path() / "absent"), 0);
}

TEST(Settings, UsuarioKeysAreLookedUpByTheirStringTableNames)
{
    testing::TempDir dir;
    const auto ini = dir.file("LV2000.ini");
    std::ofstream(ini, std::ios::binary) << "[usu\xE1rio]\r\nbrushsize=24\r\nALBUM NAME=f\xE9rias.abm\r\n";
    ProfileStore store(ini);
    Settings settings(store);
    EXPECT_EQ(std::tuple(settings.get(setting::kBrushSize), settings.get(setting::kAlbumName),
                         settings.get(setting::kBrushSpeed)),
              std::tuple(24, "férias.abm", 20));

    ASSERT_TRUE(settings.set(setting::kBrushShape, -2));
    EXPECT_EQ(std::tuple(store.read("USUÁRIO", "BrushShape"), settings.getInt(setting::kBrushShape.id, 0)),
              std::tuple("-2", -2));
}

TEST(Settings, TextReadsAreLimitedTo127And255Bytes)
{
    testing::MemoryStore store;
    Settings settings(store);
    const std::string longText(300, 'x');
    store.values = {{"USUÁRIO/ScanCalParam", longText}, {"USER/SLIDESHOW", longText}};
    EXPECT_EQ(std::tuple(settings.get(setting::kScanCalParam).size(), settings.get(setting::kSlideshow).size(),
                         settings.userGetString("absent", "padrão")),
              std::tuple(127u, 255u, "padrão"));
}

TEST(Settings, UserFlagsAreTrueOnlyAbove0AndAreWrittenAsOneOrZero)
{
    testing::MemoryStore store;
    Settings settings(store);
    store.values = {{"USER/a", "2"}, {"USER/b", "-1"}, {"USER/c", "junk"}};
    EXPECT_EQ((std::vector{settings.userGetBool("a", false), settings.userGetBool("b", true),
                           settings.userGetBool("c", true), settings.userGetBool("absent", true)}),
              (std::vector{true, false, false, true}));

    ASSERT_TRUE(settings.userSetBool("LastbStart", true));
    ASSERT_TRUE(settings.userSetInt("CAMERA_NUM", 8));
    EXPECT_EQ(std::tuple(store.values["USER/LastbStart"], settings.get(setting::kCameraNum), settings.get(setting::kFor640)),
              std::tuple("1", 8, 0));
}

TEST(RecentLists, AddingTheSameFileTwiceChangesNothingTheSecondTime)
{
    RecentLists r;
    r.add("/home/ana/fotos/praia.jpg");
    r.add("/home/ana/docs/carta.bmp");
    r.add("/home/ana/fotos/praia.jpg");
    const RecentLists before = r;
    r.add("/home/ana/fotos/praia.jpg");
    EXPECT_EQ(r, before);
    EXPECT_EQ(std::tuple(r.mostRecentDirectory(), r.file(1)), std::tuple("/home/ana/fotos", "/home/ana/docs/carta.bmp"));
}

TEST(RecentLists, AnEleventhDirectoryPushesTheOldestOut)
{
    RecentLists r;
    for (int i = 0; i < 11; ++i)
        r.add("/d" + std::to_string(i) + "/f.jpg");
    EXPECT_EQ(std::tuple(r.directory(0), r.directory(9), r.file(9)), std::tuple("/d10", "/d1", "/d1/f.jpg"));
    for (std::size_t i = 0; i < RecentLists::kSize; ++i)
        EXPECT_NE(r.directory(i), "/d0");
}

TEST(RecentLists, AnEntryFoundFurtherDownMovesToTheFrontAndTheOnesAboveMoveDown)
{
    RecentLists r;
    for (const char* d : {"/a", "/b", "/c", "/d"})
        r.add(std::string(d) + "/x.jpg");
    r.add("/b/y.jpg");  // "/b" was third
    const char* const order[] = {"/b", "/d", "/c", "/a"};
    for (std::size_t i = 0; i < std::size(order); ++i)
        EXPECT_EQ(r.directory(i), order[i]);
    EXPECT_EQ(std::tuple(r.file(0), r.file(4)), std::tuple("/b/y.jpg", "/a/x.jpg"));
    r.add("/B/x.jpg");  // comparison is case-sensitive
    EXPECT_EQ(std::tuple(r.directory(0), r.directory(1)), std::tuple("/B", "/b"));
}

TEST(RecentLists, TheFolderIsTheTextBeforeTheLastSlash)
{
    EXPECT_EQ((std::vector{DirectoryOf("/home/ana/praia.jpg"), DirectoryOf("/praia.jpg"), DirectoryOf("praia.jpg"),
                           DirectoryOf("fotos/")}),
              (std::vector<std::string>{"/home/ana", "/", "", "fotos"}));
}

TEST(RecentLists, SaveAndLoadKeepAllTwentySlots)
{
    testing::MemoryStore store;
    Settings settings(store);
    RecentLists r;
    r.add("/um/1.jpg");
    r.add("/dois/" + std::string(300, 'n') + ".jpg");
    ASSERT_TRUE(r.save(settings));
    EXPECT_EQ(store.values.size(), 20u);
    EXPECT_EQ(std::tuple(store.values["USUÁRIO/File1"], store.values["USUÁRIO/LastDir9"],
                         store.values["USUÁRIO/File0"].size()),
              std::tuple("/um/1.jpg", "", RecentLists::kEntryBytes));

    RecentLists loaded;
    loaded.load(settings);
    EXPECT_EQ(loaded, r);
    store.failingKey = "LastDir3";
    EXPECT_FALSE(r.save(settings));
}

}  // namespace
}  // namespace lv
