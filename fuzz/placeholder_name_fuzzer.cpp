#include "projects/calendar.h"
#include "projects/placeholders.h"

#include <string_view>

// Layer names come from template files: any bytes parse, and a placeholder's piece path
// always lies in its kind's folder below the template's.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view name(reinterpret_cast<const char*>(data), size);
    const lv::PlaceholderName parsed = lv::ParsePlaceholderName(name);
    (void)lv::KindOfPlaceholder(name);
    const std::string path = lv::PiecePath("/t/wall.vlf", parsed, 2000 + int(size % 101), int(size % 14));
    if (parsed.piece == lv::PieceKind::None) {
        if (!path.empty())
            __builtin_trap();
        return 0;
    }
    const std::string folder = lv::PieceDirectory("/t/wall.vlf", parsed.style, parsed.piece);
    if (path.compare(0, folder.size(), folder) != 0 || folder.compare(0, 6, "/t/cal") != 0)
        __builtin_trap();
    if (!parsed.text.empty() && (parsed.text.back() == '\n' || parsed.text.back() == '\r' || parsed.text.back() == '\t'))
        __builtin_trap();
    return 0;
}
