#include "app/core/documents/document_files.h"
#include "common/testing/ui_recorder.h"
#include "imagelib/dib_alloc.h"
#include "imagelib/codecs/save_as.h"
#include "app/core/documents/untitled_names.h"

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

TEST(UntitledNames, CountFromOneWithTwoDigitsAndWrapFrom100To0)
{
    UntitledNames names;
    EXPECT_EQ(names.next(kNewPictureBaseString), "TrueColor-Sem título-01");
    EXPECT_EQ(names.next(kCaptureBaseString), "Capturado - Sem título-02");
    for (int i = 3; i < 9; ++i)
        names.next("x");
    EXPECT_EQ(names.next("x"), "x-09");
    EXPECT_EQ(names.next("x"), "x-10");
    for (int i = 11; i < 99; ++i)
        names.next("x");
    EXPECT_EQ(names.next("x"), "x-99");
    EXPECT_EQ(names.next("x"), "x-00");
    EXPECT_EQ(names.next(kMaskBaseString), "Máscara-Sem título-01");
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
    EXPECT_EQ(DocumentModifiedState("Sem título-03", false), ModifiedState::New);
    EXPECT_EQ(DocumentModifiedState("TrueColor-Sem título-12", false), ModifiedState::New);
    EXPECT_EQ(DocumentModifiedState("/fotos/Sem título-3.jpg", false), ModifiedState::Unchanged)
        << "a saved file is a path, whatever its name";
    EXPECT_EQ(DocumentModifiedState("/fotos/praia.jpg", true), ModifiedState::Modified);

    EXPECT_EQ(ClosePromptText("Sem título-03", ModifiedState::New, true, false),
              "O arquivo: Sem título-03\nacabou de ser criado. Quer salvá-lo?");
    EXPECT_EQ(ClosePromptText("/fotos/praia.jpg", ModifiedState::Modified, true, false),
              "O arquivo: /fotos/praia.jpg\nfoi modificado. Deseja salvá-lo?");
    EXPECT_FALSE(ClosePromptText("/fotos/praia.jpg", ModifiedState::Unchanged, true, false));
    EXPECT_FALSE(ClosePromptText("Sem título-03", ModifiedState::New, false, false)) << "no layers";
    EXPECT_FALSE(ClosePromptText("Sem título-03", ModifiedState::New, true, true)) << "screen switch";
}

}  // namespace
}  // namespace lv
