#include "sharing/store/photo_place.h"

#include "common/text_encoding.h"
#include "sharing/store/store_protocol.h"

namespace lv::sharing::store {

std::string NumberedName(const std::string& name, int number)
{
    if (number <= 1)
        return name;
    const std::size_t dot = name.rfind('.');
    const std::string extension = dot == std::string::npos || dot == 0 ? std::string() : name.substr(dot);
    const std::string suffix = " (" + std::to_string(number) + ")" + extension;
    // The partial file's name (".NAME.part") must fit in a name too.
    const std::size_t room = kMaxNameBytes - suffix.size() - 6;
    const std::string stem = name.substr(0, name.size() - extension.size());
    return std::string(TruncateUtf8(stem, room)) + suffix;
}

std::string PartialName(const std::string& name)
{
    return "." + name + ".part";
}

std::optional<Placement> PlacePhoto(const DownloadFolder& folder, const PhotoEntry& photo)
{
    Placement placement;
    for (int number = 1; number <= kMaxFreeNameNumber; ++number) {
        const std::string candidate = NumberedName(photo.name, number);
        const FolderEntry whole = folder.look(candidate);
        if (whole.kind == EntryKind::Regular && whole.size == photo.size && whole.modified == photo.modified)
            return Placement{true, candidate, 0, false};
        if (whole.kind != EntryKind::Missing) {
            placement.besideLink = placement.besideLink || whole.kind == EntryKind::Link;
            continue;
        }
        const FolderEntry partial = folder.look(PartialName(candidate));
        if (partial.kind == EntryKind::Link || partial.kind == EntryKind::Other) {
            placement.besideLink = placement.besideLink || partial.kind == EntryKind::Link;
            continue;
        }
        placement.name = candidate;
        if (partial.kind == EntryKind::Regular && partial.size < photo.size && partial.modified == photo.modified)
            placement.partialBytes = partial.size;
        return placement;
    }
    return std::nullopt;
}

}  // namespace lv::sharing::store
