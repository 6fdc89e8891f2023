#include "projects/calendar.h"

#include "common/profile.h"

#include <cstdio>

namespace lv {
namespace {

constexpr std::string_view kFieldSeparator = "//";

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

PieceKind pieceKind(std::string_view kind)
{
    if (kind == "Year")
        return PieceKind::Year;
    if (kind == "Month")
        return PieceKind::Month;
    if (kind == "Days")
        return PieceKind::Days;
    return PieceKind::None;
}

}  // namespace

PlaceholderName ParsePlaceholderName(std::string_view layerName)
{
    std::string fields[4];
    for (int i = 0; i < 4 && !layerName.empty(); ++i) {
        const std::size_t end = i < 3 ? layerName.find(kFieldSeparator) : std::string_view::npos;
        fields[i] = std::string(layerName.substr(0, end));
        layerName = end == std::string_view::npos ? std::string_view{} : layerName.substr(end + kFieldSeparator.size());
    }
    PlaceholderName name;
    name.kind = fields[0];
    name.field2 = fields[1];
    std::string_view style = fields[2];
    while (!style.empty() && !isDigit(style.back()))
        style.remove_suffix(1);
    name.style = profile::ParseProfileInt(style);
    name.text = fields[3];
    while (!name.text.empty() && (name.text.back() == '\t' || name.text.back() == '\r' || name.text.back() == '\n'))
        name.text.pop_back();
    name.piece = pieceKind(name.kind);
    return name;
}

std::string PieceDirectory(std::string_view templatePath, int style, PieceKind kind)
{
    const char* folder = nullptr;
    switch (kind) {
    case PieceKind::Year: folder = "calyear/"; break;
    case PieceKind::Month: folder = "calmonth/"; break;
    case PieceKind::Days: folder = "calweek/"; break;
    case PieceKind::None: return {};
    }
    const std::size_t slash = templatePath.find_last_of('/');
    std::string directory(slash == std::string_view::npos ? std::string_view{} : templatePath.substr(0, slash + 1));
    char styleFolder[24];
    std::snprintf(styleFolder, sizeof styleFolder, "cal%d/", style);
    return directory + styleFolder + folder;
}

std::string PieceFileName(PieceKind kind, int year, int month)
{
    char name[32];
    switch (kind) {
    case PieceKind::Year: std::snprintf(name, sizeof name, "%d.vlf", year); return name;
    case PieceKind::Month: std::snprintf(name, sizeof name, month < 10 ? "0%d.vlf" : "%d.vlf", month); return name;
    case PieceKind::Days: return GetMonthShape(year, month).name;
    case PieceKind::None: break;
    }
    return {};
}

std::string PiecePath(std::string_view templatePath, const PlaceholderName& name, int year, int month)
{
    if (name.piece == PieceKind::None)
        return {};
    return PieceDirectory(templatePath, name.style, name.piece) + PieceFileName(name.piece, year, month);
}

}  // namespace lv
