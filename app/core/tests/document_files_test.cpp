#include "app/core/documents/document_files.h"
#include "common/testing/ui_recorder.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/codecs/save_as.h"

#include <gtest/gtest.h>

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
    EXPECT_EQ(SaveTypeOfName("a.vlf", 1), kSaveAsLayered);
    EXPECT_EQ(SaveTypeOfName("a.Png", 1), kSaveAsPng);
    EXPECT_EQ(SaveTypeOfName("a.tga", 1), kSaveAsTarga);
    EXPECT_EQ(SaveTypeOfName("a.jpeg", kSaveAsBmp), kSaveAsJpeg) << "the other spellings of JPEG and TIFF name them";
    EXPECT_EQ(SaveTypeOfName("a.tiff", kSaveAsBmp), kSaveAsTiff);
    EXPECT_EQ(SaveTypeOfName("a.abcd", kSaveAsBmp), kSaveAsBmp) << "other four letters are no extension here";
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
    EXPECT_TRUE(ui.messages[0].question);
    EXPECT_NE(ui.messages[0].text.find("/f/a.jpg"), std::string::npos);
    EXPECT_EQ(ui.messages[0].title, "Lumivista 2000");

    HDIB empty = AllocatePicture(1, 1, 24, 0);
    empty.header().biWidth = 0;
    EXPECT_TRUE(DiscardEmptyPicture(empty));
    EXPECT_FALSE(empty);
    HDIB fine = AllocatePicture(1, 1, 24, 0);
    EXPECT_FALSE(DiscardEmptyPicture(fine));
    EXPECT_TRUE(fine);
    EXPECT_EQ(ui.beeps, 1);
}

TEST(DocumentFiles, LayeredDocumentsAskBeforeLosingTheirLayers)
{
    testing::UiRecorder ui;
    EXPECT_FALSE(AcceptSaveAsType(kSaveAsLayered, 0));
    EXPECT_EQ(ui.texts().back(), "Esta imagem não pode ser gravada com o formato VLF.");
    EXPECT_TRUE(AcceptSaveAsType(kSaveAsLayered, 3));
    EXPECT_TRUE(AcceptSaveAsType(kSaveAsJpeg, 1));
    EXPECT_EQ(ui.messages.size(), 1u);

    ui.answers = {ui::Answer::No, ui::Answer::Yes};
    EXPECT_FALSE(AcceptSaveAsType(kSaveAsPng, 2));
    EXPECT_TRUE(AcceptSaveAsType(kSaveAsPng, 2));
    EXPECT_EQ(ui.texts().back(),
              "As informações serão perdidas se não forem gravadas no formato VLF, deseja continuar?");

    ui.messages.clear();
    ui.answers = {ui::Answer::No};
    EXPECT_TRUE(ConfirmSaveUnderName("/f/a.VLF", 5));
    EXPECT_TRUE(ConfirmSaveUnderName("/f/a.jpg", 1));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_FALSE(ConfirmSaveUnderName("/f/a.jpg", 2));
    EXPECT_EQ(ui.messages.size(), 1u);
}

}  // namespace
}  // namespace lv
