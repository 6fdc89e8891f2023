#include "panorama_command.h"

#include "arguments.h"
#include "image_io.h"
#include "json_writer.h"
#include "option_table.h"
#include "imagelib/dib_convert.h"
#include "projects/panorama/covered_crop.h"

#include <cstdio>

namespace lv::tool {

int RunPanorama(std::string_view, Arguments args)
{
    ParsedArguments parsed(args, "panorama");
    const auto& p = parsed.positional();
    if (!parsed.ok() || p.size() < 2)
        return Fail(kExitUsage, parsed.ok() ? FormUsage("panorama") : parsed.error());
    const std::size_t count = p.size() - 1;
    if (count < std::size_t(panorama::kMinPhotos) || count > std::size_t(panorama::kMaxPhotos))
        return Fail(kExitUsage, "a panorama takes 2 to 12 photos, not " + std::to_string(count));
    std::vector<HDIB> pictures;
    for (std::size_t i = 1; i < p.size(); ++i) {
        ToolPicture picture = OpenPicture(p[i]);
        if (picture.exitCode)
            return picture.exitCode;
        pictures.push_back(picture.image.bitCount() == 24 ? std::move(picture.image) : DibPromoteTo24(picture.image));
        if (!pictures.back())
            return Fail(kExitCannotRead, p[i] + ": not enough memory for the photo");
    }
    std::vector<const HDIB*> photos;
    for (const HDIB& picture : pictures)
        photos.push_back(&picture);
    panorama::Panorama result = panorama::StitchPhotos(photos);
    const bool crop = parsed.has("--crop");
    if (crop)
        result = panorama::CropToCovered(result);
    if (!result.ok())
        return Fail(kExitCannotRead, result.failure);
    pictures.clear();
    if (const int written = WritePicture(result.picture, p[0], false); written != kExitOk)
        return written;
    if (parsed.has("--json")) {
        JsonWriter json;
        json.beginObject().key("photos").value(int(count)).key("width").value(result.picture.width());
        json.key("height").value(result.picture.height()).key("cropped").value(crop).endObject();
        std::printf("%s\n", json.text().c_str());
    }
    return kExitOk;
}

}  // namespace lv::tool
