#include "sharing/store/gallery_files.h"
#include "sharing/store/photo_download.h"
#include "sharing/store/photo_list.h"
#include "sharing/store/store_protocol.h"
#include "sharing/store/upload_reply.h"

#include <set>
#include <string_view>

// Replies of the photo service and the library's file list: any bytes parse, and every name
// that comes out could only make a file directly in the download folder.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace lv::sharing;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (const auto token = store::ParseLoginReply(text); token && (token->empty() || token->size() > store::kMaxTokenBytes))
        __builtin_trap();
    std::set<std::string> names;
    for (const store::PhotoEntry& photo : store::ParsePhotoList(text)) {
        if (!store::SafePhotoName(photo.name) || photo.size > store::kMaxPhotoBytes || !names.insert(photo.name).second)
            __builtin_trap();
    }
    // An upload's offset never beyond the photo's size; names and numbers within their rules.
    const std::uint64_t photoSize = size > 1 ? data[1] * 1000u : 0;
    if (const auto upload = store::ParseUploadReply(text, photoSize)) {
        if ((upload->offset && *upload->offset > photoSize) || (upload->name && !store::SafePhotoName(*upload->name)) ||
            (upload->session && (upload->session->empty() || upload->session->size() > store::kMaxSessionBytes)) ||
            (upload->path && !store::SafeGalleryPath(*upload->path)))
            __builtin_trap();
    }
    // A gallery's id within its rule; a finished one's address ends in that gallery's index.
    for (const bool finished : {false, true}) {
        if (const auto gallery = store::ParseGalleryReply(text, finished)) {
            if (gallery->id.empty() || gallery->id.size() > 32 || gallery->address.has_value() != finished ||
                (gallery->address && (gallery->address->size() > 2048 ||
                                      !gallery->address->ends_with("/" + gallery->id + "/index.html"))))
                __builtin_trap();
        }
    }
    if (const auto number = store::ParseOrderReply(text); number && (number->empty() || number->size() > store::kMaxOrderNumberBytes))
        __builtin_trap();
    const int count = size > 0 ? data[0] : 0;
    for (const std::string& name : FileListNames(text.data(), text.size(), count))
        if (name.empty() || name.find('\0') != std::string::npos)
            __builtin_trap();
    return 0;
}
