// What the project generator put in the build's program folder: every calendar piece of
// every style with its days in the right cells, templates the layered reader opens with
// placeholders named by the layer-name convention, frames with see-through windows, and
// galleries in the catalogue that point at the templates.

#include "album/album.h"
#include "album/catalogue.h"
#include "album/catalogue_store.h"
#include "calendar_pieces.h"
#include "common/testing/temp_dir.h"
#include "edit/layered_format.h"
#include "edit/layer_pictures.h"
#include "project_templates.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <map>
#include <set>

namespace lv::artwork {
namespace {

namespace fs = std::filesystem;
const fs::path kProgram = LV_PROGRAM_DIR;
const fs::path kCalendars = kProgram / "projects/calendars";

// The convention's fields: kind, unused, style (trailing non-digits dropped), free text.
struct PlaceholderName {
    std::string kind;
    int style = 0;
};

PlaceholderName parseName(const std::string& name)
{
    std::vector<std::string> fields;
    std::size_t from = 0;
    while (fields.size() < 4) {
        const std::size_t at = name.find("//", from);
        fields.push_back(name.substr(from, at == std::string::npos ? std::string::npos : at - from));
        if (at == std::string::npos)
            break;
        from = at + 2;
    }
    fields.resize(4);
    std::string digits = fields[2];
    while (!digits.empty() && !std::isdigit(static_cast<unsigned char>(digits.back())))
        digits.pop_back();
    return {fields[0], digits.empty() ? 0 : std::stoi(digits)};
}

std::uint8_t maskAt(const LayerRecord& layer, int x, int top)
{
    const HDIB& mask = layer.mask.read();
    return mask.row(mask.height() - 1 - top)[x];
}

// Dark lettering inside a cell (a margin keeps the grid's own lines out).
int inkIn(const LayerRecord& piece, const Box& cell)
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

std::unique_ptr<LayerStack> readPiece(const std::string& relative, PieceSize size)
{
    auto piece = ReadLayeredFile((kCalendars / relative).string());
    EXPECT_TRUE(piece) << relative;
    if (!piece)
        return piece;
    EXPECT_EQ(piece->layerCount, 1) << relative;
    EXPECT_EQ(piece->width, size.width) << relative;
    EXPECT_EQ(piece->height, size.height) << relative;
    EXPECT_TRUE(piece->layers[0].mask.read()) << relative;
    return piece;
}

TEST(CalendarPieces, MonthShapesFollowTheGregorianCalendar)
{
    EXPECT_EQ(FirstWeekday(2000, 2), 2);  // Tu29
    EXPECT_EQ(DaysInMonth(2000, 2), 29);
    EXPECT_EQ(DaysInMonth(1900, 2), 28);
    EXPECT_EQ(DaysInMonth(2100, 2), 28);
    EXPECT_EQ(FirstWeekday(1980, 1), 2);  // Tu31
    EXPECT_EQ(FirstWeekday(1999, 3), 1);  // Mn31
    EXPECT_EQ(DaysPiecePath(1, FirstWeekday(2000, 2), DaysInMonth(2000, 2)), "cal1/calweek/Tu29.vlf");
    EXPECT_EQ(MonthPiecePath(2, 3), "cal2/calmonth/03.vlf");
    EXPECT_EQ(MonthPiecePath(2, 11), "cal2/calmonth/11.vlf");
    EXPECT_EQ(YearPiecePath(3, 2001), "cal3/calyear/2001.vlf");
}

TEST(CalendarPieces, EveryYearAndMonthOfEveryStyleIsAOneLayerPieceOfItsStylesSize)
{
    for (int style = 1; style <= kCalendarStyles; ++style) {
        const PieceSizes sizes = PieceSizesOf(style);
        for (int year = kFirstCalendarYear - 1; year <= kLastCalendarYear + 1; ++year) {
            const bool shipped = year >= kFirstCalendarYear && year <= kLastCalendarYear;
            ASSERT_EQ(fs::exists(kCalendars / YearPiecePath(style, year)), shipped) << style << " " << year;
            if (shipped && (year % 10 == 0 || year == kFirstCalendarYear || year == kLastCalendarYear))
                readPiece(YearPiecePath(style, year), sizes.year);
        }
        for (int month = 1; month <= 12; ++month)
            readPiece(MonthPiecePath(style, month), sizes.month);
        EXPECT_FALSE(fs::exists(kCalendars / MonthPiecePath(style, 13)));
        const fs::path years = kCalendars / ("cal" + std::to_string(style)) / "calyear";
        EXPECT_EQ(std::distance(fs::directory_iterator(years), fs::directory_iterator()),
                  kLastCalendarYear - kFirstCalendarYear + 1);
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
            const PlaceholderName name = parseName(layer.name);
            ++kinds[name.kind];
            EXPECT_TRUE(layer.visible);
            if (name.kind == "background") {
                EXPECT_EQ(i, stack->layerCount - 1);  // the page lies under everything
                EXPECT_EQ(layer.image.read().width(), stack->width);
                EXPECT_EQ(layer.image.read().height(), stack->height);
                EXPECT_EQ(layer.x, 0);
                EXPECT_EQ(layer.y, 0);
            } else if (name.kind == "Year" || name.kind == "Month" || name.kind == "Days") {
                EXPECT_EQ(name.style, project.style);
                const PieceSizes sizes = PieceSizesOf(name.style);
                const PieceSize size = name.kind == "Year" ? sizes.year : name.kind == "Month" ? sizes.month : sizes.days;
                EXPECT_EQ(layer.image.read().width(), size.width) << name.kind;
                EXPECT_EQ(layer.image.read().height(), size.height) << name.kind;
                EXPECT_GE(layer.x, 0);
                EXPECT_LE(layer.x + size.width, stack->width);
                EXPECT_GE(layer.y, 0);
                EXPECT_LE(layer.y + size.height, stack->height);
            } else if (name.kind == "Texto") {
                EXPECT_EQ(layer.kind, LAYER_TEXT);
                ASSERT_TRUE(layer.textObject);
                EXPECT_FALSE(layer.textObject->text.empty());
            }
        }
        EXPECT_EQ(kinds["background"], 1);
        if (project.folder == kCalendarFolder) {
            calendarStyles.insert(project.style);
            EXPECT_EQ(kinds["Year"], 1);
            EXPECT_EQ(kinds["Month"], 1);
            EXPECT_EQ(kinds["Days"], 1);
            EXPECT_EQ(kinds["Foto"], 1);
            EXPECT_TRUE(fs::exists(kCalendars / YearPiecePath(project.style, 2000)));
        } else if (project.folder == kCardFolder) {
            EXPECT_EQ(kinds["Texto"], 2);
            EXPECT_GE(kinds["Foto"], 1);
            EXPECT_LE(kinds["Foto"], 2);
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

TEST(ProjectTemplates, FramesAreSeeThroughInTheMiddleAndSolidAtTheEdge)
{
    for (const ProjectTemplate& frame : FrameTemplates()) {
        SCOPED_TRACE(frame.stem);
        const auto stack = ReadLayeredFile((kProgram / TemplateFile(frame)).string());
        ASSERT_TRUE(stack);
        const LayerRecord& border = stack->layers[0];
        ASSERT_EQ(parseName(border.name).kind, "Moldura");
        EXPECT_EQ(maskAt(border, stack->width / 2, stack->height / 2), 0);
        EXPECT_EQ(maskAt(border, stack->width / 3, stack->height / 2), 0);
        int solid = 0;
        for (int x = 0; x < stack->width; x += 4)
            solid += maskAt(border, x, 1) > 200;
        EXPECT_GT(solid, stack->width / 4 / 2);
    }
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
            EXPECT_EQ(entry.path(), TemplateFile(templates[i]));
            EXPECT_TRUE(fs::exists(gallery.absolutePath(int(i), kProgram)));
            EXPECT_EQ(entry.caption(), templates[i].stem);
            EXPECT_EQ(entry.itemValue(0), templates[i].style);
            EXPECT_GT(entry.thumbWidth(), 40);
            EXPECT_GT(entry.thumbHeight(), 40);
        }
    }
}

}  // namespace
}  // namespace lv::artwork
