#include "app/core/documents/untitled_names.h"

#include <gtest/gtest.h>

namespace lv {
namespace {

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
