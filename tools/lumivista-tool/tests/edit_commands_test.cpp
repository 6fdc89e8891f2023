// The editing commands through the real tool: selections, paint, layers, text, transforms,
// layered documents and Photoshop files; what each writes and its refusals.

#include "edit/layered_format.h"
#include "edit/layers.h"
#include "edit/text_render/log_font.h"
#include "edit/text_render/text_style.h"
#include "tools/lumivista-tool/layers_command.h"
#include "tool_support.h"

#include <cstring>
#include <set>

namespace lv {
namespace {

using testing::Rgb;
using testing::ShellQuote;
using testing::Tool;

// A 30 × 20 picture: blue, with a red 10 × 5 block at (4, 3) and a red pixel touching it
// only at a corner, at (14, 8).
class SelectTool : public testing::ToolFolder {
protected:
    void SetUp() override
    {
        writePicture("in.bmp", 30, 20, [](int x, int y) {
            const bool red = (x >= 4 && x < 14 && y >= 3 && y < 8) || (x == 14 && y == 8);
            return red ? testing::Rgb{220, 10, 10} : testing::Rgb{10, 10, 220};
        });
    }
    testing::CommandResult select(const std::string& rest) { return Tool("select " + quoted("in.bmp") + " " + rest); }
};

TEST_F(SelectTool, WritesTheMaskAndCropsOrDeletesTheSelection)
{
    auto r = select("wand=5,4,tol=0/0/0 --mask " + quoted("mask.bmp") + " --apply crop --out " + quoted("crop.bmp"));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const HDIB mask = ReadBmp(file("mask.bmp")).take();
    ASSERT_TRUE(mask);
    // White where selected, black elsewhere.
    EXPECT_EQ(std::tuple(mask.width(), mask.row(19 - 3)[4], mask.row(19 - 8)[14]), std::tuple(30, 255, 0));
    const HDIB cropped = ReadBmp(file("crop.bmp")).take();
    ASSERT_TRUE(cropped);
    EXPECT_EQ(std::tuple(cropped.width(), cropped.height(), testing::Pixel24(cropped, 0, 0)),
              std::tuple(10, 5, testing::Rgb{220, 10, 10}));

    r = select("rect=0,0,5,5 --apply delete --out " + quoted("doc.vlf"));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    auto doc = ReadLayeredFile(file("doc.vlf"));
    ASSERT_TRUE(doc);
    const std::uint8_t* row = doc->layers[0].mask.read().row(19 - 2);
    EXPECT_EQ(std::tuple(row[2], row[6]), std::tuple(0, 255)) << "deleted to transparency";

    r = Tool("select " + quoted("doc.vlf") + " --layer 0 wand=1,1,tol=0/0/0 --json");
    EXPECT_EQ(r.out, "{\"active\":1,\"rect\":[0,0,5,5],\"selected\":25}\n") << "the wand on the transparent part";
}

TEST_F(SelectTool, RefusesBadOperationsAndFiles)
{
    for (const char* bad : {"", "wand=a,b", "rect=5,5,1,1", "poly=1/1/2/2", "wand=1,1,tol=1/2/300",
                            "rect=0,0,1,1,global", "rect=0,0,1,1 --apply shrink", "rect=0,0,1,1 --layer 3"})
        EXPECT_EQ(select(bad).exitCode, 2) << bad;
    EXPECT_EQ(Tool("select " + quoted("missing.bmp") + " rect=0,0,1,1").exitCode, 3);
    EXPECT_EQ(select("rect=40,40,50,50 --apply crop").exitCode, 2) << "nothing selected to crop to";
    EXPECT_EQ(select("rect=0,0,1,1 --out " + quoted("no/such/dir/x.bmp")).exitCode, 4);
}

// A 40 × 30 picture: blue, with a white 10 × 10 square at the top left.
class PaintTool : public testing::ToolFolder {
protected:
    void SetUp() override
    {
        writePicture("in.bmp", 40, 30, [](int x, int y) { return x < 10 && y < 10 ? Rgb{255, 255, 255} : Rgb{0, 0, 200}; });
    }
    testing::CommandResult paint(const std::string& in, const std::string& out, const std::string& rest)
    {
        return Tool("paint " + quoted(in) + " " + quoted(out) + " " + rest);
    }
    // Pixel (x, y) from the top of a written bitmap.
    Rgb pixel(const std::string& name, int x, int y)
    {
        const HDIB picture = ReadBmp(file(name)).take();
        if (!picture)
            return {1, 2, 3};
        return testing::Pixel24(picture, x, picture.height() - 1 - y);
    }
};

TEST_F(PaintTool, LayeredDocumentsKeepTheirLayersAndExtractShowsOneLayer)
{
    auto r = Tool("vlf make " + quoted("doc.vlf") + " --size 40x30 " + ShellQuote("image=" + file("in.bmp")) + " " +
                  ShellQuote("image=" + file("in.bmp")));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    r = paint("doc.vlf", "erased.vlf", "--tool eraser --layer 0 --size 6 --intensity 50 --stroke '20,15;21,15;20,15' --json");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    r = Tool("vlf extract " + quoted("erased.vlf") + " 0 " + quoted("image.bmp") + " " + quoted("mask.bmp"));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const HDIB mask = ReadBmp(file("mask.bmp")).take();
    ASSERT_TRUE(mask);
    EXPECT_EQ(std::tuple(mask.row(29 - 15)[20], mask.row(29 - 25)[20]), std::tuple((255 * 32) >> 6, 255))
        << "half intensity, from the stroke's start";
    r = Tool("vlf extract " + quoted("erased.vlf") + " 1 " + quoted("other.bmp") + " " + quoted("other_mask.bmp"));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(pixel("image.bmp", 20, 15), pixel("other.bmp", 20, 15)) << "the eraser leaves the picture";
    EXPECT_EQ(ReadBmp(file("other_mask.bmp")).take().row(29 - 15)[20], 255) << "the other layer is untouched";
    EXPECT_EQ(Tool("vlf extract " + quoted("erased.vlf") + " 5 " + quoted("x.bmp")).exitCode, 2);

    r = paint("erased.vlf", "cloned.bmp", "--tool clone --layer 1 --size 3 --speed 32 --source 2,2 --stroke '30,20;32,20'");
    ASSERT_EQ(r.exitCode, 0) << r.err;
}

TEST_F(PaintTool, RefusalsAndBadArguments)
{
    for (const char* bad : {"--tool crayon --click 1,1", "--tool brush" /* no gesture */,
                            "--tool brush --click 1,1 --drag '1,1;2,2'", "--tool brush --drag '1,1'",
                            "--tool brush --click 1,1 --color 256,0,0", "--tool brush --click 1,1 --size 0"})
        EXPECT_EQ(paint("in.bmp", "x.bmp", bad).exitCode, 2) << bad;
    EXPECT_EQ(paint("missing.bmp", "x.bmp", "--tool brush --click 1,1").exitCode, 3);
    EXPECT_EQ(paint("in.bmp", "no/such/dir/x.bmp", "--tool brush --click 1,1").exitCode, 4);
    const auto clone = paint("in.bmp", "x.bmp", "--tool clone --click 5,5");
    EXPECT_EQ(clone.exitCode, 2);
    EXPECT_NE(clone.err.find("Clique com o botão direito"), std::string::npos) << clone.err;
    EXPECT_NE(paint("in.bmp", "x.bmp", "--tool stamp --click 5,5 --json").out.find("\"beeps\":1"), std::string::npos)
        << "no stamp picture: a beep";
}

// A 40 × 30 red background and a 10 × 6 green picture to add as a layer.
class LayersTool : public testing::ToolFolder {
protected:
    void SetUp() override
    {
        writePicture("red.bmp", 40, 30, [](int, int) { return testing::Rgb{200, 10, 10}; });
        writePicture("green.bmp", 10, 6, [](int, int) { return testing::Rgb{10, 200, 10}; });
    }
    testing::CommandResult layers(const std::string& in, const std::string& ops)
    {
        return Tool("layers " + quoted(in) + " " + quoted("out.vlf") + " " + ops);
    }
};

TEST_F(LayersTool, OperationsAndTheirUndoRunInOrderThroughOneTable)
{
    auto r = layers("red.bmp", "add=" + ShellQuote(file("green.bmp")) + " opacity=30 undo --json");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out,
              "{\"width\":40,\"height\":30,\"current\":0,\"layers\":["
              "{\"name\":\"green\",\"width\":10,\"height\":6,\"x\":15,\"y\":12,\"opacity\":100,\"visible\":true,\"linked\":false,\"kind\":0},"
              "{\"name\":\"Fundo\",\"width\":40,\"height\":30,\"x\":0,\"y\":0,\"opacity\":100,\"visible\":true,\"linked\":false,\"kind\":0}]}\n")
        << "undo after opacity=30 gives the opacity back; the added layer is centred and named after its file";

    // new: layer2 over Fundo; duplicate and rename the copy; move it down and merge it
    // into Fundo, which keeps its name; then Ctrl-click the top layer to link it.
    r = layers("red.bmp", "new duplicate rename=0,Cópia down merge-down undo redo link=0");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, " 0 layer2 40x30 at 0,0 opacity 100 linked\n*1 Fundo 40x30 at 0,0 opacity 100 linked\n");
    r = layers("red.bmp", "new duplicate rename=0,Cópia down merge-down undo");
    EXPECT_EQ(r.out, " 0 layer2 40x30 at 0,0 opacity 100\n*1 Cópia 40x30 at 0,0 opacity 100\n"
                     " 2 Fundo 40x30 at 0,0 opacity 100\n");
    auto written = ReadLayeredFile(file("out.vlf"));
    ASSERT_TRUE(written);
    EXPECT_EQ(std::tuple(written->layerCount, written->layers[1].name), std::tuple(3, "Cópia"));

    r = layers("out.vlf", "flatten");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "*0 Fundo 40x30 at 0,0 opacity 100\n");
}

TEST_F(LayersTool, RefusedOperationsAndBadWordsFailWithTheirCodes)
{
    auto r = layers("red.bmp", "merge-down");
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("merge-down cannot be done"), std::string::npos) << r.err;
    // Nothing to undo; the last layer stays.
    for (const std::string& ops :
         std::vector<std::string>{"undo", "delete", "hide=3", "opacity=101", "sideways", "add=" + quoted("missing.bmp")})
        EXPECT_EQ(layers("red.bmp", ops).exitCode, 2) << ops;
    EXPECT_EQ(layers("missing.bmp", "new").exitCode, 3);
    EXPECT_EQ(Tool("layers " + quoted("red.bmp") + " /nonexistent/dir/out.vlf new").exitCode, 4);
}

TEST(LayerOperationWords, ParseWithTheirNumbersAndTexts)
{
    std::string error;
    auto op = tool::ParseLayerOperation("rename=3,a,b=c", error);
    ASSERT_TRUE(op);
    EXPECT_EQ(std::tuple(op->kind, op->number, op->text), std::tuple(tool::LayerOpKind::Rename, 3, "a,b=c"));
    op = tool::ParseLayerOperation("opacity=0", error);
    ASSERT_TRUE(op);
    EXPECT_EQ(op->number, 0);
    for (const char* bad : {"rename=3", "rename=x,y", "current=", "current=32", "opacity=-1", "add=", "new=1", "hide"})
        EXPECT_FALSE(tool::ParseLayerOperation(bad, error)) << bad;
}

std::set<int> maskValues(const HDIB& mask)
{
    std::set<int> values;
    for (int y = 0; y < mask.height(); ++y)
        for (int x = 0; x < mask.width(); ++x)
            values.insert(mask.row(y)[x]);
    return values;
}

TEST(TextTool, ALayeredDocumentKeepsTheTextLayerEditable)
{
    testing::TempDir dir;
    const std::string out = dir.file("texto.vlf");
    const auto run = Tool("text " + ShellQuote(out) + " --size 240x120 --text " + ShellQuote("Olá\nação") +
                          " --px 30 --bold --color 255,0,0 --at 10,20");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    auto doc = ReadLayeredFile(out);
    ASSERT_TRUE(doc);
    ASSERT_EQ(doc->layerCount, 2);
    EXPECT_EQ(doc->width, 240);
    const LayerRecord& layer = doc->layers[0];
    ASSERT_EQ(layer.kind, LAYER_TEXT);
    ASSERT_TRUE(layer.textObject);
    EXPECT_EQ(layer.textObject->text, "Olá\nação");
    EXPECT_EQ(layer.textObject->words[TextObject::kColourWord], 0x0000FFu);
    const LogFont font = LogFontOfObject(*layer.textObject);
    EXPECT_EQ(std::tuple(font.height, font.weight, font.faceName), std::tuple(-30, 700, "Arial"));
    EXPECT_TRUE(!TextStyleOfObject(*layer.textObject).smoothEdges && layer.maskLocked) << "hard edges, mask locked";
    EXPECT_EQ(std::tuple(layer.x, layer.y), std::tuple(10, 120 - layer.image.height() - 20));
    EXPECT_EQ(maskValues(layer.mask.read()), (std::set<int>{0, 255}));
    EXPECT_EQ(doc->layers[1].kind, LAYER_IMAGE);
}

// A background of another size is scaled to the document; the composite goes to PNG.
TEST(TextTool, ABackgroundOfAnotherSizeIsScaledAndTheCompositeWritten)
{
    testing::TempDir dir;
    const std::string background = std::string(LV_SOURCE_DIR) + "/imagelib/tests/fixtures/png/" + "gamma_100.png";
    const std::string png = dir.file("composto.png");
    const auto run = Tool("text " + ShellQuote(png) + " --size 64x48 --background " + ShellQuote(background) +
                          " --text A --px 40 --color 0,0,255 --at 2,2");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const auto info = Tool("info --json " + ShellQuote(png));
    EXPECT_NE(info.out.find("\"width\":64"), std::string::npos) << info.out;
}

TEST(TextTool, FailuresGiveTheirExitCodes)
{
    testing::TempDir dir;
    const std::string out = ShellQuote(dir.file("x.vlf"));
    const std::vector<std::string> bad = {" --size 10x10", " --size 10x0 --text a",
                                          " --size 10x10 --text a --color 1,2,256",
                                          " --size 10x10 --text a --shadow 101,50,0,0", " --size 10x10 --text a --px 0",
                                          " --size 10x10 --text ' '",
                                          " --size 10x10 --text " + std::string(1024, 'a')};
    for (const std::string& arguments : bad)
        EXPECT_EQ(Tool("text " + out + arguments).exitCode, 2) << arguments;
    EXPECT_EQ(Tool("text " + out + " --size 10x10 --text a --background " + ShellQuote(dir.file("none.png"))).exitCode, 3);
    EXPECT_EQ(Tool("text " + ShellQuote(dir.file("no/dir/x.vlf")) + " --size 10x10 --text a").exitCode, 4);
}

// A 30 × 20 picture, every pixel different.
class TransformTool : public testing::ToolFolder {
protected:
    void SetUp() override
    {
        writePicture("in.bmp", 30, 20, [](int x, int top) {
            const int y = 19 - top;  // counted from the bottom row
            return testing::Rgb{std::uint8_t(x * 8), std::uint8_t(y * 12), std::uint8_t(x * y)};
        });
    }
    testing::CommandResult transform(const std::string& in, const std::string& out, const std::string& rest)
    {
        return Tool("transform " + quoted(in) + " " + quoted(out) + " " + rest);
    }
    bool samePicture(const std::string& a, const std::string& b)
    {
        const auto x = ReadBmp(file(a));
        const auto y = ReadBmp(file(b));
        return x.image() && y.image() && x.image().size() == y.image().size()
               && std::memcmp(x.image().data(), y.image().data(), x.image().size()) == 0;
    }
};

TEST_F(TransformTool, LayeredDocumentsReopenWithTheLayerWhereItWasPut)
{
    auto r = Tool("vlf make " + quoted("doc.vlf") + " --size 60x40 image=" + quoted("in.bmp"));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    r = transform("doc.vlf", "moved.vlf", "--layer 0 resize=10,5,40,25 move=3,4 rotate=90 rotate=-90 --json");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("[13,9,43,29]"), std::string::npos) << r.out;
    // The layered file reopens with the layer where it was put.
    r = transform("moved.vlf", "again.vlf", "--layer 0 move=-3,-4 --json");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("[10,5,40,25]"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"width\":60"), std::string::npos);
}

TEST_F(TransformTool, BadOperationsAndFilesGiveTheirExitCodes)
{
    for (const char* bad : {"", "rotate=abc", "resize=5,5,1,9", "flip=x", "canvas=10x10,zz", "size=10001x5", "--layer 3 rotate=5"})
        EXPECT_EQ(transform("in.bmp", "o.bmp", bad).exitCode, 2) << bad;
    EXPECT_EQ(transform("missing.bmp", "o.bmp", "rotate=5").exitCode, 3);
    EXPECT_EQ(transform("in.bmp", "nowhere/o.bmp", "rotate=5").exitCode, 4);
}

// A lone spin of a flat picture skips the document; --layer forces the document's way. Both
// must write the same file, on any number of threads.
TEST_F(TransformTool, ALoneSpinWritesWhatTheDocumentsSpinWrites)
{
    for (const std::string angle : {"17", "-133.5", "90"}) {
        ASSERT_EQ(transform("in.bmp", "flat.bmp", "spin=" + angle + " --threads 2").exitCode, 0);
        ASSERT_EQ(transform("in.bmp", "layered.bmp", "spin=" + angle + " --layer 0").exitCode, 0);
        EXPECT_TRUE(samePicture("flat.bmp", "layered.bmp")) << angle;
    }
    EXPECT_NE(transform("in.bmp", "x.bmp", "spin=5 --threads 0").exitCode, 0);
}

class VlfTool : public testing::ToolFolder {
protected:
    void SetUp() override
    {
        HDIB photo = testing::MakePhotoLike(20, 10);
        ASSERT_EQ(WriteBmp(file("photo.bmp"), photo), WriteResult::Written);
        HDIB small = testing::MakePhotoLike(6, 4);
        ASSERT_EQ(WriteBmp(file("small.bmp"), small), WriteResult::Written);
        HDIB mask = testing::MakeGreyPicture(6, 4);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 6; ++x)
                mask.row(y)[x] = std::uint8_t(x * 50);
        ASSERT_EQ(WriteBmp(file("mask.bmp"), mask), WriteResult::Written);
    }
    // Two linked layers over a background.
    void makeDocument(const std::string& out)
    {
        const auto made = Tool("vlf make " + quoted(out) + " --size 20x10 " +
                               ShellQuote("image=" + file("small.bmp") + ",mask=" + file("mask.bmp") +
                                          ",x=3,y=2,opacity=50,name=de cima,linked,locked") +
                               " " + ShellQuote("image=" + file("small.bmp") + ",x=10,opacity=50,linked") + " " +
                               ShellQuote("image=" + file("photo.bmp") + ",name=Fundo"));
        ASSERT_EQ(made.exitCode, 0) << made.err;
    }
};

TEST_F(VlfTool, FlattenPreviewAndMerge)
{
    makeDocument("doc.vlf");
    ASSERT_EQ(Tool("vlf flatten " + quoted("doc.vlf") + " " + quoted("flat.bmp")).exitCode, 0);
    ASSERT_EQ(Tool("vlf preview " + quoted("doc.vlf") + " " + quoted("preview.bmp")).exitCode, 0);
    const ReadResult flat = ReadBmp(file("flat.bmp"));
    const ReadResult preview = ReadBmp(file("preview.bmp"));
    ASSERT_TRUE(flat.ok() && preview.ok());
    EXPECT_EQ(std::tuple(flat.image().width(), preview.image().height()), std::tuple(20, 10));

    // The document open reads layered files as their composite.
    const auto info = Tool("info " + quoted("doc.vlf"));
    EXPECT_NE(info.out.find("format: VLF\nwidth: 20\nheight: 10\nbitCount: 24\n"), std::string::npos) << info.out;

    const auto merged = Tool("vlf merge " + quoted("doc.vlf") + " " + quoted("merged.vlf"));
    ASSERT_EQ(merged.exitCode, 0) << merged.err;
    auto stack = ReadLayeredFile(file("merged.vlf"));
    ASSERT_TRUE(stack);
    ASSERT_EQ(stack->layerCount, 2);
    EXPECT_EQ(std::tuple(stack->layers[0].name, stack->layers[0].opacity, stack->layers[0].image.width()),
              std::tuple("de cima", 75u, 13));
    EXPECT_EQ(Tool("vlf merge " + quoted("merged.vlf") + " " + quoted("again.vlf")).exitCode, 0);
}

TEST_F(VlfTool, ConvertGivesOneLayerAndErrorsSayWhatWentWrong)
{
    const std::string make = "vlf make " + quoted("x.vlf"), photo = ShellQuote("image=" + file("photo.bmp"));
    testing::ExpectExitCodes({{"vlf frob", 2}, {make + " --size 0x4 " + photo, 2},
                              {make + " --size 4x4 " + ShellQuote("image=" + file("photo.bmp") + ",mask=" + file("mask.bmp")), 2},
                              {make + " --size 4x4 " + ShellQuote("image=" + file("absent.bmp")), 3},
                              {"vlf make " + quoted("no/dir/x.vlf") + " --size 4x4 " + photo, 4},
                              {"vlf info " + quoted("photo.bmp"), 3}});
    // A converted picture is a one-layer document, with nothing linked to merge.
    ASSERT_EQ(Tool("convert " + quoted("photo.bmp") + " " + quoted("one.vlf")).exitCode, 0);
    auto one = ReadLayeredFile(file("one.vlf"));
    ASSERT_TRUE(one);
    EXPECT_EQ(std::tuple(one->layerCount, one->layers[0].name, one->layers[0].image.width()),
              std::tuple(1, "Fundo", 20));
    EXPECT_EQ(Tool("vlf merge " + quoted("one.vlf") + " " + quoted("m.vlf")).exitCode, 2);
}

const std::string kPsd = std::string(LV_SOURCE_DIR) + "/edit/tests/fixtures/psd/";

TEST(PsdTool, ConvertingToTheLayeredFormatKeepsTheLayers)
{
    testing::TempDir dir;
    const std::string out = dir.file("camadas.vlf");
    const auto converted = Tool("convert " + ShellQuote(kPsd + "py_three.psd") + " " + ShellQuote(out));
    ASSERT_EQ(converted.exitCode, 0) << converted.err;
    const auto stack = ReadLayeredFile(out);
    ASSERT_TRUE(stack);
    ASSERT_EQ(stack->layerCount, 3);
    const LayerRecord& hidden = stack->layers[1];
    EXPECT_EQ(std::tuple(hidden.name, hidden.visible, hidden.opacity, stack->layers[0].mask.width()),
              std::tuple("Oculta à noite, ação", false, 50u, 20));

    // Other outputs get the composite; a refused mode says why and reads as unreadable.
    const auto flat = Tool("convert " + ShellQuote(kPsd + "py_three.psd") + " " + ShellQuote(dir.file("plano.bmp")));
    EXPECT_EQ(flat.exitCode, 0) << flat.err;
    const auto cmyk = Tool("convert " + ShellQuote(kPsd + "py_cmyk.psd") + " " + ShellQuote(out));
    EXPECT_EQ(cmyk.exitCode, 3);
    EXPECT_NE(cmyk.err.find("modo de cor CMYK"), std::string::npos) << cmyk.err;
}

}  // namespace
}  // namespace lv
