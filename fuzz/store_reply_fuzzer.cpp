#include "sharing/store/photo_download.h"
#include "sharing/store/photo_list.h"
#include "sharing/store/store_protocol.h"

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
    const int count = size > 0 ? data[0] : 0;
    for (const std::string& name : FileListNames(text.data(), text.size(), count))
        if (name.empty() || name.find('\0') != std::string::npos)
            __builtin_trap();
    return 0;
}
