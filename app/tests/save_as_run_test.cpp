// Save as in the running program: names typed into the real dialog and Enter.

#include "imagelib/codecs/png/png.h"
#include "imagelib/codecs/targa/targa.h"
#include "imagelib/dib_alloc.h"
#include "program_runner.h"

#include <gtest/gtest.h>

namespace lv::testing {
namespace {

using SaveAsJourney = OnVirtualX;

TEST_F(SaveAsJourney, ATypedExtensionChoosesTheFormatAndAnUnknownOneKeepsTheDialog)
{
    const std::string photo = sandbox.file("foto.png").string();
    ASSERT_EQ(WritePng(photo, AllocatePicture(40, 30, 24, 0)), PngWriteResult::Written);
    ASSERT_TRUE(sandbox.launch({photo}, {}, "open " + photo + " ok\n")) << sandbox.log();
    const auto typeInDialog = [&](const std::string& name, const std::string& logged) {
        sandbox.send("key Ctrl+A");
        sandbox.send("type " + name);
        sandbox.expectAnswers({{"key Return", logged}});
    };
    sandbox.expectAnswers({{"dialog saveas", "dialog saveas\n"}});
    const std::string unknown = sandbox.file("nome.xyz").string();
    typeInDialog(unknown, "Formato de arquivo desconhecido. --- " + unknown + "\n");
    EXPECT_EQ(StateField(sandbox.ask("state"), "modal"), "saveas") << "still in the dialog";

    const std::string targa = sandbox.file("nome.TGA").string();
    typeInDialog(targa, "saved ok\n");
    EXPECT_TRUE(ReadTarga(targa).ok()) << "the list said PNG, the name Targa";
    EXPECT_EQ(sandbox.quit(), 0);
}

}  // namespace
}  // namespace lv::testing
