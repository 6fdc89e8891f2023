#include "common/testing/notice_texts.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"
#include "imagelib/codecs/bmp/bmp.h"
#include "imagelib/codecs/jpeg/jpeg.h"
#include "imagelib/codecs/save_as.h"
#include "imagelib/codecs/save_as_names.h"
#include "pictures.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

namespace lv {
namespace {

using testing::MakePicture;

class SaveAs : public ::testing::Test {
protected:
    std::string existing(const std::string& name, const std::string& content)
    {
        const std::string path = dir.file(name);
        WriteWholeFile(path, std::vector<std::uint8_t>(content.begin(), content.end()));
        return path;
    }
    std::size_t filesLeft() const
    {
        return std::size_t(std::distance(std::filesystem::directory_iterator(dir.path()), {}));
    }

    // The procedure shows nothing: what the user is told comes back with the failure.
    bool save(HDIB& image, std::string& path, int type)
    {
        failure = {};
        const bool saved = SaveImageAs(image, path, type, failure);
        EXPECT_TRUE(ui.messages.empty());
        return saved;
    }
    std::vector<std::string> said() const { return testing::NoticeTexts(failure); }

    testing::TempDir dir;
    testing::UiRecorder ui;
    FileFailure failure;
    HDIB picture = MakePicture(64, 64, 24);
};

TEST_F(SaveAs, AKnownExtensionChoosesTheTypeReplacingTheFileAndAnUnknownOneIsRefused)
{
    std::string path = existing("pic.bmp", "old contents");
    EXPECT_TRUE(save(picture, path, kSaveAsJpeg));  // the name wins over the list
    EXPECT_EQ(path, dir.file("pic.bmp"));
    EXPECT_TRUE(ReadBmp(path).ok());
    EXPECT_EQ(filesLeft(), 1u);

    std::string odd = dir.file("pic.xyz");
    EXPECT_FALSE(save(picture, odd, kSaveAsBmp));
    EXPECT_EQ(said(), std::vector<std::string>{"Formato de arquivo desconhecido. --- " + odd});
    EXPECT_FALSE(std::filesystem::exists(odd));
}

TEST_F(SaveAs, AMissingFolderCannotBeLocated)
{
    std::string path = dir.file("gone/pic.bmp");
    EXPECT_FALSE(save(picture, path, kSaveAsBmp));
    EXPECT_EQ(said(), std::vector<std::string>{"Não é possível localizar --- " + dir.file("gone")});
}


TEST(SaveAsNames, ATypedKnownExtensionChoosesTheFormatWhateverTheList)
{
    // The name is kept as typed.
    const std::tuple<const char*, int, int> cases[] = {
        {"/f/nome.png", kSaveAsJpeg, kSaveAsPng}, {"/f/nome.VLF", kSaveAsJpeg, kSaveAsLayered},
        {"/f/nome.JPEG", kSaveAsBmp, kSaveAsJpeg}, {"/f/nome.jpe", kSaveAsBmp, kSaveAsJpeg},
        {"/f/nome.Tiff", kSaveAsBmp, kSaveAsTiff}, {"/f/a.b.gif", kSaveAsPng, kSaveAsGif},
    };
    for (const auto& [typed, list, type] : cases) {
        const SaveAsTarget target = ResolveSaveAsName(typed, list);
        EXPECT_EQ(std::tuple(target.path, target.type), std::tuple(std::string(typed), type));
    }
}

TEST(SaveAsNames, ANameWithoutExtensionTakesTheListsTypeInLowerCase)
{
    const std::tuple<const char*, int, const char*> cases[] = {
        {"/f/nome", kSaveAsLayered, "/f/nome.vlf"}, {"/f/nome", kSaveAsPng, "/f/nome.png"},
        // Dots that are no extension: in a folder, numbers only, too long, not a word, leading.
        {"/f.d/nome", kSaveAsGif, "/f.d/nome.gif"}, {"/f/foto.2024", kSaveAsJpeg, "/f/foto.2024.jpg"},
        {"/f/viagem.praia", kSaveAsPng, "/f/viagem.praia.png"}, {"/f/a.b c", kSaveAsTiff, "/f/a.b c.tif"},
        {"/f/.oculto", kSaveAsPcx, "/f/.oculto.pcx"},           {"/f/nome.", kSaveAsJpeg, "/f/nome..jpg"},
    };
    for (const auto& [typed, list, path] : cases) {
        const SaveAsTarget target = ResolveSaveAsName(typed, list);
        EXPECT_EQ(std::tuple(target.path, target.type), std::tuple(std::string(path), list)) << typed;
    }
}

TEST(SaveAsNames, AnUnknownExtensionIsRefusedWithTheNamedFile)
{
    for (const char* typed : {"/f/nome.xyz", "/f/nome.psd", "/f/nome.doc1", "/f/n.J6I"})
        EXPECT_EQ(ResolveSaveAsName(typed, kSaveAsJpeg).type, 0) << typed;
    EXPECT_EQ(ResolveSaveAsName("/f/nome", 10).type, 0) << "a type nobody writes";
    EXPECT_EQ(UnknownSaveFormat("/f/nome.xyz").notices.at(0).text, "Formato de arquivo desconhecido. --- /f/nome.xyz");
}

TEST(SaveAsNames, TheListStartsOnTheDocumentsOwnFormat)
{
    EXPECT_EQ(InitialSaveAsType("/f/foto.png", 1, kSaveAsJpeg), kSaveAsPng);
    EXPECT_EQ(InitialSaveAsType("/f/foto.PNG", 2, kSaveAsJpeg), kSaveAsLayered) << "layers are kept only there";
    EXPECT_EQ(InitialSaveAsType("Sem título-01", 3, kSaveAsJpeg), kSaveAsLayered);
    EXPECT_EQ(InitialSaveAsType("/f/camadas.vlf", 1, kSaveAsJpeg), kSaveAsLayered);
    EXPECT_EQ(InitialSaveAsType("/f/foto.tiff", 1, kSaveAsJpeg), kSaveAsTiff);
    EXPECT_EQ(InitialSaveAsType("Sem título-01", 1, kSaveAsGif), kSaveAsGif) << "nothing of its own: the last type chosen";
    EXPECT_EQ(InitialSaveAsType("/f/disco.pcd", 1, kSaveAsBmp), kSaveAsBmp) << "a format nobody writes";
}

}  // namespace
}  // namespace lv
