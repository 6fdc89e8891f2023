// What the project generator put in the program folder: calendar pieces with their days in the right cells,
// templates whose placeholders the projects library fills, frames that show a dropped photo, and their galleries.

#include "album/album.h"
#include "album/catalogue.h"
#include "album/catalogue_store.h"
#include "calendar_pieces.h"
#include "common/testing/temp_dir.h"
#include "common/testing/ui_recorder.h"
#include "edit/compositing.h"
#include "edit/layered_format.h"
#include "edit/layer_pictures.h"
#include "imagelib/codecs/bmp/bmp.h"
#include "project_templates.h"
#include "projects/calendar.h"
#include "projects/calendar_selection.h"
#include "projects/placeholders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <map>
#include <set>

namespace lv::artwork {
namespace {

namespace fs = std::filesystem;
const fs::path kProgram = LV_PROGRAM_DIR;
const fs::path kCalendars = kProgram / "projects/calendars";

std::uint8_t maskAt(const LayerRecord& layer, int x, int top)
{
    const HDIB& mask = layer.mask.read();
    return mask.row(mask.height() - 1 - top)[x];
}

// Dark lettering inside a cell (a margin keeps the grid's own lines out).
int inkIn(const LayerRecord& piece, const Rect& cell)
{
    const HDIB& image = piece.image.read();
    int ink = 0;
    for (int y = cell.top + 3; y < cell.bottom - 3; ++y)
        for (int x = cell.left + 3; x < cell.right - 3; ++x) {
            const std::uint8_t* p = image.row(image.height() - 1 - y) + 3 * x;
            ink += maskAt(piece, x, y) > 128 && GreyValue(p[2], p[1], p[0]) < 160;
        }
    return ink;
}

std::unique_ptr<LayerStack> readPiece(const std::string& relative, Size size)
{
    auto piece = ReadLayeredFile((kCalendars / relative).string());
    EXPECT_TRUE(piece) << relative;
    if (!piece)
        return piece;
    EXPECT_EQ(std::tuple(piece->layerCount, piece->width, piece->height), std::tuple(1, size.width, size.height))
        << relative;
    EXPECT_TRUE(piece->layers[0].mask.read()) << relative;
    return piece;
}

// Every year and month a refill asks for is checked by the calendars' test below; here the
// range's ends and the pieces' sizes.
TEST(CalendarPieces, EachStyleShipsItsYearsAndMonthsAndNothingOutsideThem)
{
    for (int style = 1; style <= kCalendarStyles; ++style) {
        const PieceSizes sizes = PieceSizesOf(style);
        for (const int year : {kFirstCalendarYear, kLastCalendarYear})
            readPiece(YearPiecePath(style, year), sizes.year);
        for (const int year : {kFirstCalendarYear - 1, kLastCalendarYear + 1})
            EXPECT_FALSE(fs::exists(kCalendars / YearPiecePath(style, year))) << style << " " << year;
        readPiece(MonthPiecePath(style, 12), sizes.month);
        EXPECT_FALSE(fs::exists(kCalendars / MonthPiecePath(style, 13)));
    }
}

TEST(CalendarPieces, EachMonthShapeHasItsDaysInTheCellsFromItsFirstWeekday)
{
    for (int style = 1; style <= kCalendarStyles; ++style) {
        std::set<std::string> shapes;
        for (const auto& file : fs::directory_iterator(kCalendars / ("cal" + std::to_string(style)) / "calweek"))
            shapes.insert(file.path().filename().string());
        EXPECT_EQ(shapes.size(), 28u) << style;
        for (int weekday = 0; weekday < 7; ++weekday)
            for (int days = 28; days <= 31; ++days) {
                SCOPED_TRACE(DaysPiecePath(style, weekday, days));
                const auto piece = readPiece(DaysPiecePath(style, weekday, days), PieceSizesOf(style).days);
                ASSERT_TRUE(piece);
                for (int cell = 0; cell < kDaysCells; ++cell) {
                    const bool day = cell >= weekday && cell < weekday + days;
                    EXPECT_EQ(inkIn(piece->layers[0], DaysCell(style, cell)) > 10, day) << "cell " << cell;
                }
            }
    }
}

TEST(ProjectTemplates, OpenWithTheirPlaceholdersNamedByTheConvention)
{
    std::map<std::string, int> counts;
    std::set<int> calendarStyles;
    for (const ProjectTemplate& project : ProjectTemplates()) {
        SCOPED_TRACE(TemplateFile(project));
        ++counts[project.folder];
        const auto stack = ReadLayeredFile((kProgram / TemplateFile(project)).string());
        ASSERT_TRUE(stack);
        std::map<std::string, int> kinds;
        for (int i = 0; i < stack->layerCount; ++i) {
            const LayerRecord& layer = stack->layers[std::size_t(i)];
            const PlaceholderName name = ParsePlaceholderName(layer.name);
            ++kinds[name.kind];
            EXPECT_TRUE(layer.visible);
            if (name.kind == "background") {
                EXPECT_EQ(i, stack->layerCount - 1);  // the page lies under everything
                EXPECT_EQ(std::tuple(layer.image.read().width(), layer.image.read().height(), layer.x, layer.y),
                          std::tuple(stack->width, stack->height, 0, 0));
            } else if (name.kind == "Year" || name.kind == "Month" || name.kind == "Days") {
                EXPECT_EQ(name.style, project.style);
                const PieceSizes sizes = PieceSizesOf(name.style);
                const Size size = name.kind == "Year" ? sizes.year : name.kind == "Month" ? sizes.month : sizes.days;
                const HDIB& image = layer.image.read();
                EXPECT_EQ(std::tuple(image.width(), image.height()), std::tuple(size.width, size.height)) << name.kind;
                EXPECT_TRUE(layer.x >= 0 && layer.x + size.width <= stack->width) << layer.x;
                EXPECT_TRUE(layer.y >= 0 && layer.y + size.height <= stack->height) << layer.y;
            } else if (name.kind == "Texto") {
                EXPECT_EQ(layer.kind, LAYER_TEXT);
                ASSERT_TRUE(layer.textObject);
                EXPECT_FALSE(layer.textObject->text.empty());
            }
        }
        EXPECT_EQ(kinds["background"], 1);
        if (project.folder == kCalendarFolder) {
            calendarStyles.insert(project.style);
            for (const char* kind : {"Year", "Month", "Days", "Foto"})
                EXPECT_EQ(kinds[kind], 1) << kind;
            EXPECT_TRUE(fs::exists(kCalendars / YearPiecePath(project.style, 2000)));
        } else if (project.folder == kCardFolder) {
            EXPECT_EQ(kinds["Texto"], 2);
            EXPECT_TRUE(kinds["Foto"] >= 1 && kinds["Foto"] <= 2) << kinds["Foto"];
        } else {
            EXPECT_EQ(kinds["Moldura"], 1);
            EXPECT_EQ(stack->layerCount, 2);
        }
        EXPECT_LE(project.stem.size(), 15u);  // the gallery's caption keeps 15 characters
    }
    EXPECT_GE(counts[kCalendarFolder], 6);
    EXPECT_EQ(calendarStyles, (std::set<int>{1, 2, 3}));
    EXPECT_GE(counts[kCardFolder], 10);
    EXPECT_GE(counts[kFrameFolder], 10);
}

TEST(ProjectTemplates, CalendarsFindEveryPieceARefillAsksForAndTakeThem)
{
    lv::testing::UiRecorder ui;
    for (const ProjectTemplate& calendar : CalendarTemplates()) {
        SCOPED_TRACE(calendar.stem);
        const std::string path = (kProgram / TemplateFile(calendar)).string();
        auto stack = ReadLayeredFile(path);
        ASSERT_TRUE(stack);
        int days = -1;
        for (int i = 0; i < stack->layerCount; ++i) {
            const PlaceholderName name = ParsePlaceholderName(stack->layers[std::size_t(i)].name);
            if (name.piece == PieceKind::None)
                continue;
            if (name.piece == PieceKind::Days)
                days = i;
            for (int year = kFirstCalendarYear; year <= kLastCalendarYear; ++year)
                for (int month = 1; month <= 12; ++month)
                    ASSERT_TRUE(fs::exists(PiecePath(path, name, year, month))) << PiecePath(path, name, year, month);
        }
        ASSERT_GE(days, 0);
        const std::int32_t x = stack->layers[std::size_t(days)].x, y = stack->layers[std::size_t(days)].y;
        // March 2027 begins on a Monday: the Mn31 piece, of the same size, in the same place.
        ASSERT_EQ(RefillCalendar(*stack, path, 2027, 3), 1);
        const auto piece = ReadLayeredFile(
            (kCalendars / DaysPiecePath(calendar.style, FirstWeekday(2027, 3), DaysInMonth(2027, 3))).string());
        ASSERT_TRUE(piece);
        const LayerRecord& filled = stack->layers[std::size_t(days)];
        EXPECT_EQ(std::tuple(filled.x, filled.y), std::tuple(x, y));
        const HDIB& got = filled.mask.read();
        const HDIB& want = piece->layers[0].mask.read();
        ASSERT_EQ(std::tuple(got.width(), got.height()), std::tuple(want.width(), want.height()));
        EXPECT_TRUE(std::equal(got.row(0), got.row(0) + std::size_t(got.height()) * got.stride(), want.row(0)));
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST(ProjectTemplates, APhotoDroppedOnAFramesBackgroundShowsThroughItsWindow)
{
    lv::testing::UiRecorder ui;
    lv::testing::TempDir dir;
    const std::string photo = (dir.path() / "magenta.bmp").string();
    HDIB magenta = LayerArt::Opaque(40, 30, Solid(Rgb(255, 0, 255))).image();
    ASSERT_EQ(WriteBmp(photo, magenta), WriteResult::Written);
    for (const ProjectTemplate& frame : FrameTemplates()) {
        SCOPED_TRACE(frame.stem);
        auto stack = ReadLayeredFile((kProgram / TemplateFile(frame)).string());
        ASSERT_TRUE(stack);
        ASSERT_EQ(ParsePlaceholderName(stack->layers[std::size_t(stack->currentLayer)].name).kind, kBackgroundLayer);
        ASSERT_TRUE(DropPhoto(*stack, photo).dropped);
        CompositeLayers(*stack);
        const auto pixel = [&](int x, int top) {
            const std::uint8_t* p = stack->composite.row(stack->height - 1 - top) + 3 * x;
            return std::array<int, 3>{p[2], p[1], p[0]};
        };
        EXPECT_EQ(pixel(stack->width / 2, stack->height / 2), (std::array<int, 3>{255, 0, 255}));
        EXPECT_NE(pixel(2, 2), (std::array<int, 3>{255, 0, 255}));
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST(ProjectTemplates, GalleriesInTheCatalogueShowEveryTemplate)
{
    lv::testing::TempDir dir;
    album::ProfileCatalogueStore store(dir.path() / "LV2000.ini", kProgram / album::kSystemCatalogueFile);
    const album::AlbumCatalogue catalogue(store, kProgram);
    const std::pair<int, std::vector<ProjectTemplate>> galleries[] = {
        {4, FrameTemplates()}, {6, CalendarTemplates()}, {7, CardTemplates()}};
    for (const auto& [category, templates] : galleries) {
        SCOPED_TRACE(category);
        ASSERT_EQ(catalogue.count(category), 1);
        album::Album gallery;
        ASSERT_TRUE(gallery.read(catalogue.albumPath(category, 0)));
        EXPECT_TRUE(gallery.readOnly());
        ASSERT_EQ(gallery.count(), templates.size());
        for (std::size_t i = 0; i < templates.size(); ++i) {
            const album::AlbumEntry& entry = *gallery.entry(int(i));
            EXPECT_TRUE(entry.relative());
            EXPECT_TRUE(fs::exists(gallery.absolutePath(int(i), kProgram)));
            EXPECT_EQ(std::tuple(entry.path(), entry.caption(), entry.itemValue(0)),
                      std::tuple(TemplateFile(templates[i]), templates[i].stem, templates[i].style));
            EXPECT_GT(std::min(entry.thumbWidth(), entry.thumbHeight()), 40);
        }
    }
}

}  // namespace
}  // namespace lv::artwork
