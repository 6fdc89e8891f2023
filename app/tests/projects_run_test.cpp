// The project screens in the running program: the calendar's month arrow, a template from
// the gallery, a photo into its placeholder, saved and read back; and the album made on the
// album page reaching the contact sheet and the photo picker.

#include "album/album.h"
#include "album/entry_builder.h"
#include "album/photo_loader.h"
#include "app/core/tests/picture_difference.h"
#include "app/core/documents/document_io.h"
#include "edit/layered_format.h"
#include "edit/layers.h"
#include "imagelib/codecs/bmp/bmp.h"
#include "imagelib/codecs/jpeg/jpeg.h"
#include "imagelib/dib_geometry.h"
#include "imagelib/tests/pictures.h"
#include "program_runner.h"
#include "projects/calendar_selection.h"
#include "skin_clicks.h"

#include <gtest/gtest.h>

namespace lv::testing {
namespace {

constexpr std::uint32_t kOpaque = 0xFFFFFF;

// A month piece's colour (COLORREF order), different for every month.
std::uint32_t MonthColour(int month)
{
    return std::uint32_t(month * 20) | 0x400000;
}

void AddNamedLayer(LayerStack& doc, int width, int height, std::uint32_t colour, int x, int y, const char* name)
{
    ASSERT_TRUE(AddLayer(doc, 0, DibCreate(width, height, colour, false), DibCreate(width, height, kOpaque, true),
                         false, false));
    doc.layers[0].x = x;
    doc.layers[0].y = y;
    SetLayerName(doc, 0, name);
}

// A 160 × 120 page: "background", a 60 × 40 photo placeholder and a month heading whose
// pieces lie in cal1/calmonth beside it, written without loss.
void WriteCalendarTemplate(const std::filesystem::path& path)
{
    auto doc = CreateLayerStackFromImage(DibCreate(160, 120, 0xFFFFFF, false));
    SetLayerName(*doc, 0, "background");
    AddNamedLayer(*doc, 60, 40, 0x808080, 90, 10, "Foto//x//1");
    AddNamedLayer(*doc, 40, 16, 0x000000, 10, 90, "Month//x//1");
    RebuildComposite(*doc);
    ASSERT_TRUE(WriteLayeredFile(path.string(), *doc, 100));
    const std::filesystem::path pieces = path.parent_path() / "cal1" / "calmonth";
    std::filesystem::create_directories(pieces);
    for (int month = 1; month <= 12; ++month) {
        auto piece = CreateLayerStackFromImage(DibCreate(30, 12, MonthColour(month), false));
        piece->layers[0].mask.write() = DibCreate(30, 12, kOpaque, true);
        RebuildComposite(*piece);
        char name[8];
        std::snprintf(name, sizeof name, "%02d.vlf", month);
        ASSERT_TRUE(WriteLayeredFile((pieces / name).string(), *piece, 100));
    }
}

void WriteAlbum(const std::filesystem::path& album, const std::string& photo)
{
    album::Album a;
    auto built = album::BuildPhotoEntry({photo, "foto"}, album::AlbumPhotoReaders());
    ASSERT_TRUE(built.entry);
    a.append(std::move(*built.entry));
    ASSERT_TRUE(a.write(album.string()));
}

// The calendar template in the sandbox, listed in the gallery's calendars album.
std::filesystem::path InstallCalendarGallery(const ProgramSandbox& sandbox)
{
    const std::filesystem::path templateFile = sandbox.file("modelos/calendario.vlf");
    std::filesystem::create_directories(templateFile.parent_path());
    WriteCalendarTemplate(templateFile);
    std::filesystem::create_directories(sandbox.home() / "sysalbum");
    WriteAlbum(sandbox.home() / "sysalbum" / "calendars1.abm", templateFile.string());
    return templateFile;
}

const LayerRecord* LayerNamed(const LayerStack& doc, std::string_view name)
{
    for (int i = 0; i < doc.layerCount; ++i)
        if (doc.layers[std::size_t(i)].name == name)
            return &doc.layers[std::size_t(i)];
    return nullptr;
}

TEST(ProjectScreens, ACalendarPageTakesTheNextMonthAndAnAlbumPhotoAndComesBackFromItsFileTheSame)
{
    ProgramSandbox sandbox(1280, 1024);
    const std::filesystem::path templateFile = InstallCalendarGallery(sandbox);
    const std::string templateBytes = ReadTextFile(templateFile);
    const std::string photo = sandbox.file("praia.bmp").string();
    HDIB photoPicture = MakePhotoLike(80, 40);
    ASSERT_EQ(WriteBmp(photo, photoPicture), WriteResult::Written);
    const std::filesystem::path userAlbum = sandbox.file("viagem.abm");
    WriteAlbum(userAlbum, photo);
    std::ofstream(sandbox.configFile()) << "[USUÁRIO]\nAlbum Name=" << userAlbum.string()
                                        << "\n[Calendar]\ncalendars1.abm=Calendários\n";

    ASSERT_TRUE(sandbox.launch()) << sandbox.log();

    const YearMonth today = ClampCalendarDate(CurrentUtcYearMonth().year, CurrentUtcYearMonth().month);
    const int nextMonth = today.month % 12 + 1;
    const int pageMonth = nextMonth % 12 + 1;
    const std::vector<std::string> names = MonthNames();
    const skin::Point host = SidePanelPlace();
    const auto onPanel = [](int panel, skin::Handler handler, std::uint32_t argument = 0) {
        return ClickOnHandler(panel, handler, argument);
    };
    const auto step = [&](const std::string& command, const std::string& logged) {
        sandbox.expectAnswers({{command, logged}});
    };

    step(ClickOnControl(154), "screen 19 panels 0,19\n");
    step(ClickOnPage(19, 20, host), "screen 20 panels 0,20\n");
    EXPECT_NE(sandbox.lastLine("project ").find("fields=[" + std::to_string(today.year) + "|" +
                                                names[std::size_t(today.month - 1)] + "]"),
              std::string::npos)
        << sandbox.log();
    step(onPanel(20, skin::Handler::CalendarMonth, 0x00010000), "month=" + std::to_string(nextMonth) + " fields=[");
    EXPECT_NE(sandbox.lastLine("project ").find("|" + names[std::size_t(nextMonth - 1)] + "]"), std::string::npos);

    step(onPanel(20, skin::Handler::ChooseTemplate), "dialog template gallery\n");
    step("project pick 0", "project opened " + templateFile.string() + "\n");
    EXPECT_NE(sandbox.lastLine("project ").find(" layer=2 modified=0"), std::string::npos)
        << "the bottom placeholder first: " << sandbox.log();
    // With the page open the arrow refills its heading.
    step(onPanel(20, skin::Handler::CalendarMonth, 0x00010000), "month=" + std::to_string(pageMonth) + " fields=[");
    EXPECT_NE(sandbox.lastLine("project ").find(" layer=2 modified=1"), std::string::npos) << sandbox.log();
    step(onPanel(20, skin::Handler::NextPlaceholder), " layer=1 ");
    step(onPanel(20, skin::Handler::PlacePhoto), "dialog photo picker\n");
    step("project pick 0", "project drop ok\n");
    EXPECT_NE(sandbox.lastLine("project ").find(" layer=1 modified=1"), std::string::npos) << sandbox.log();
    // The drop is one step, apart from the refill before it.
    EXPECT_EQ(StateField(sandbox.ask("state"), "layer"), "90,75,150,105");
    EXPECT_EQ(StateField(sandbox.ask("undo"), "layer"), "90,70,150,110");
    EXPECT_EQ(StateField(sandbox.ask("redo"), "layer"), "90,75,150,105");

    // Leaving asks about the changed page; the test's answer, "Sim", keeps it open.
    step(ClickOnPage(20, 19, host), "screen 19 panels 0,19\n");
    EXPECT_NE(sandbox.log().find("message Lumivista 2000: Deseja manter o modelo atual?\n"
                                 "Sim: ele continua aberto como uma imagem comum, para editar e salvar.\n"
                                 "Não: ele é fechado e as mudanças se perdem."),
              std::string::npos)
        << "the buttons explained";
    const std::string saved = sandbox.file("meu-calendario.vlf").string();
    EXPECT_EQ(sandbox.ask("saveas 8 " + saved, "saved "), "saved ok");
    const HDIB shown = sandbox.shownPicture("shown.bmp");
    EXPECT_TRUE(shown) << sandbox.log();
    EXPECT_EQ(StateField(sandbox.ask("close"), "windows"), "0") << "saved: it closes without a question";
    step("open " + saved, "open " + saved + " ok\n");
    const HDIB fromFile = sandbox.shownPicture("reopened.bmp");
    EXPECT_EQ(sandbox.quit("key Ctrl+Q"), 0) << sandbox.log();

    EXPECT_EQ(ReadTextFile(templateFile), templateBytes) << "the template itself stays as it was";
    auto doc = ReadLayeredFile(saved);
    ASSERT_TRUE(doc);
    ASSERT_EQ(doc->layerCount, 3);
    const LayerRecord* placed = LayerNamed(*doc, "Foto//x//1");
    ASSERT_TRUE(placed);
    // 80 × 40 into 60 × 40: scaled by 0.75 to 60 × 30, its bottom raised by (40 − 30 + 1) / 2.
    EXPECT_EQ(placed->image.read().width(), 60);
    EXPECT_EQ(placed->image.read().height(), 30);
    EXPECT_EQ(placed->x, 90);
    EXPECT_EQ(placed->y, 15);
    const LayerRecord* month = LayerNamed(*doc, "Month//x//1");
    ASSERT_TRUE(month);
    ASSERT_EQ(month->image.read().width(), 30);
    const Rgb heading = Pixel24(month->image.read(), 15, 6);
    EXPECT_NEAR(heading.r, int(MonthColour(pageMonth) & 0xFF), 6) << "the piece of the month chosen last";
    EXPECT_EQ(month->x, 15) << "centred on the old 40-pixel heading";

    RebuildComposite(*doc);
    const HDIB& composite = doc->composite;
    ASSERT_TRUE(fromFile);
    const Rect all{0, 0, composite.width(), composite.height()};
    EXPECT_EQ(PictureDifference(fromFile, composite, all).first, 0) << "the program reads its file as we do";
    const auto [largest, mean] = PictureDifference(shown, composite, all);
    EXPECT_LT(mean, 2.0) << "the page as saved looks as it did before, within the file's compression";
}

TEST(ProjectScreens, TheAlbumMadeOnTheAlbumPageIsTheOneTheContactSheetAndThePhotoPickerShow)
{
    ProgramSandbox sandbox(1280, 1024);
    const std::filesystem::path templateFile = InstallCalendarGallery(sandbox);
    std::string photos;
    for (int i = 0; i < 3; ++i) {
        const std::string photo = sandbox.file("ferias" + std::to_string(i) + ".jpg").string();
        ASSERT_EQ(WriteJpeg(photo, MakePhotoLike(120 + 10 * i, 80), 90), WriteResult::Written);
        photos += (i ? ";" : "") + photo;
    }
    // No album named in the settings: the default names a file that is not there.
    std::ofstream(sandbox.configFile()) << "[Calendar]\ncalendars1.abm=Calendários\n";
    const std::filesystem::path pdf = sandbox.file("contatos.pdf");

    ASSERT_TRUE(sandbox.launch({}, {"LUMIVISTA_PRINT_TO=" + pdf.string()})) << sandbox.log();
    const skin::Point host = SidePanelPlace();
    const auto onPanel = [](int panel, skin::Handler handler, std::uint32_t argument = 0) {
        return ClickOnHandler(panel, handler, argument);
    };
    const std::string toAlbumPage = ClickOnHandler(0, skin::Handler::SelectScreenArea, 2, {});

    // "Novo álbum", then "Adicionar" with the file dialog answered by the test hook.
    sandbox.expectAnswers({{toAlbumPage, "album shown screen=18"}, {onPanel(18, skin::Handler::AlbumNew), "album shown "}});
    ASSERT_EQ(sandbox.send("albumfiles " + photos), 0);
    sandbox.expectAnswers({{onPanel(18, skin::Handler::AlbumAddPhotos), "album added "}});
    const std::string added = sandbox.lastLine("album added ");
    ASSERT_EQ(StateField(added, "count"), "3") << sandbox.log();
    const std::string albumFile = StateField(added, "path");
    ASSERT_FALSE(albumFile.empty()) << sandbox.log();

    // "Contatos" on the print page: a sheet of the three photos, printed without a beep.
    sandbox.expectAnswers({{ClickOnControl(151), "screen 25 panels 0,25\n"},
                           {ClickOnPage(25, 5, host), "screen 5 panels "},
                           {onPanel(5, skin::Handler::PrintContactSheet), "print sheet "}});
    EXPECT_TRUE(sandbox.waitForLog("print sheet printed\n")) << sandbox.log();
    EXPECT_NE(sandbox.log().find("print sheet photos 3\n"), std::string::npos) << sandbox.log();
    EXPECT_EQ(ReadTextFile(pdf).rfind("%PDF", 0), 0u);

    // "Colocar foto" on a calendar page: the picker lists them, and the third one goes in.
    sandbox.expectAnswers({{ClickOnControl(154), "screen 19 panels 0,19\n"},
                           {ClickOnPage(19, 20, host), "screen 20 panels 0,20\n"},
                           {onPanel(20, skin::Handler::ChooseTemplate), "dialog template gallery\n"},
                           {"project pick 0", "project opened " + templateFile.string() + "\n"},
                           {onPanel(20, skin::Handler::PlacePhoto), "dialog photo picker\n"},
                           {"project pick 2", "project "}});
    EXPECT_NE(sandbox.lastLine("project drop ").find("project drop ok"), std::string::npos) << sandbox.log();
    EXPECT_EQ(sandbox.log().find("beep"), std::string::npos) << sandbox.log();
    ASSERT_EQ(sandbox.send("answer Não"), 0);  // the changed page is not saved on the way out
    EXPECT_EQ(sandbox.quit(), 0) << sandbox.log();

    EXPECT_NE(ReadTextFile(sandbox.configFile()).find("\nAlbum Name=" + albumFile + "\n"), std::string::npos)
        << "the open album is the setting saved at exit: " << ReadTextFile(sandbox.configFile());
}

}  // namespace
}  // namespace lv::testing
