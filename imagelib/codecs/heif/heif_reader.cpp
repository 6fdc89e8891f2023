#include "imagelib/codecs/heif/heif.h"

#include "imagelib/codecs/heif/heif_handles.h"
#include "imagelib/codecs/memory_decode.h"
#include "imagelib/codecs/planar_rows.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace lv {
namespace {

constexpr std::array<std::string_view, 10> kHeifBrands = {"heic", "heix", "hevc", "hevx", "heim",
                                                         "heis", "mif1", "msf1", "avif", "avis"};

std::string_view majorBrand(std::span<const std::uint8_t> head)
{
    if (head.size() < 12 || std::memcmp(head.data() + 4, "ftyp", 4) != 0)
        return {};
    return {reinterpret_cast<const char*>(head.data() + 8), 4};
}

ReadResult libraryFailure(const heif_error& error)
{
    const FileProblem problem = error.code == heif_error_Unsupported_feature || error.code == heif_error_Unsupported_filetype
                                    ? FileProblem::Unsupported
                                    : FileProblem::Corrupt;
    return DecodeFailure(problem, error.message ? error.message : "HEIF");
}

// 8-bit pictures without alpha come as three planes: the library's RGB is planar on the way,
// and its interleaved output is one more full-size copy. Deeper ones it reduces to 8 bits
// only when asked for interleaved samples.
bool takesPlanarRgb(const HeifLibrary& heif, const heif_image_handle* handle)
{
    return !heif.heif_image_handle_has_alpha_channel(handle) && heif.heif_image_handle_get_luma_bits_per_pixel(handle) == 8
        && heif.heif_image_handle_get_chroma_bits_per_pixel(handle) == 8;
}

FilePicture pictureFromPlanes(const HeifLibrary& heif, const heif_image* decoded, std::uint64_t fileBytes)
{
    const heif_channel channels[3] = {heif_channel_R, heif_channel_G, heif_channel_B};
    const int width = heif.heif_image_get_width(decoded, heif_channel_R), height = heif.heif_image_get_height(decoded, heif_channel_R);
    const std::uint8_t* data[3] = {};
    int strides[3] = {};
    for (int i = 0; i < 3; ++i) {
        data[i] = heif.heif_image_get_plane_readonly(decoded, channels[i], &strides[i]);
        if (!data[i] || heif.heif_image_get_bits_per_pixel(decoded, channels[i]) != 8 || strides[i] < width
            || heif.heif_image_get_width(decoded, channels[i]) < width || heif.heif_image_get_height(decoded, channels[i]) < height)
            return {{}, {FileProblem::Corrupt, "HEIF"}};
    }
    FilePicture allocated = AllocateDecodedPicture(width, height, fileBytes);
    if (allocated.picture)
        StoreTopDownPlanes(allocated.picture, {data[0], data[1], data[2], std::size_t(strides[0]), std::size_t(strides[1]),
                                               std::size_t(strides[2])});
    return allocated;
}

FilePicture pictureFromInterleaved(const HeifLibrary& heif, const heif_image* decoded, std::uint64_t fileBytes)
{
    int stride = 0;
    const std::uint8_t* plane = heif.heif_image_get_plane_readonly(decoded, heif_channel_interleaved, &stride);
    const int width = heif.heif_image_get_width(decoded, heif_channel_interleaved);
    const int height = heif.heif_image_get_height(decoded, heif_channel_interleaved);
    if (!plane || stride < width * 3)
        return {{}, {FileProblem::Corrupt, "HEIF"}};
    FilePicture allocated = AllocateDecodedPicture(width, height, fileBytes);
    if (allocated.picture)
        StoreTopDownRgb(allocated.picture, plane, std::size_t(stride), 3);
    return allocated;
}

}  // namespace

bool IsHeifHead(std::span<const std::uint8_t> head)
{
    const std::string_view brand = majorBrand(head);
    return std::find(kHeifBrands.begin(), kHeifBrands.end(), brand) != kHeifBrands.end();
}

bool IsAvifHead(std::span<const std::uint8_t> head)
{
    const std::string_view brand = majorBrand(head);
    return brand == "avif" || brand == "avis";
}

ReadResult ReadHeif(ByteSource& source)
{
    std::uint8_t head[12];
    if (!source.readExact(head, sizeof head) || !IsHeifHead(head) || !source.seek(0))
        return ReadCode::NotThisFormat;
    FileBytes bytes;
    if (FileFailure failure = ReadRestIntoMemory(source, bytes))
        return UnreadInput(failure);

    const HeifLibrary* library = LoadedHeifLibrary();
    if (!library)
        return DecodeFailure(FileProblem::Unsupported, "HEIF");
    const HeifLibrary& heif = *library;
    const HeifContext context(heif);
    if (!context)
        return {ReadCode::Failure, {FileProblem::OutOfMemory}};
    heif.heif_context_set_maximum_image_size_limit(context.get(), int(kMaxPictureDimension));
    heif_error error = heif.heif_context_read_from_memory_without_copy(context.get(), bytes.data(), bytes.size(), nullptr);
    if (error.code != heif_error_Ok)
        return libraryFailure(error);
    HeifHandle handle(heif);
    error = heif.heif_context_get_primary_image_handle(context.get(), handle.out());
    if (error.code != heif_error_Ok)
        return libraryFailure(error);
    // Turning swaps the sides but keeps the area the budget counts.
    const int sideA = heif.heif_image_handle_get_width(handle.get()), sideB = heif.heif_image_handle_get_height(handle.get());
    if (FileFailure refused = CheckDecodedSize(std::max(sideA, sideB), std::min(sideA, sideB), bytes.size()))
        return RefusedPicture(refused);

    HeifImage decoded(heif);
    const bool planar = takesPlanarRgb(heif, handle.get());
    error = heif.heif_decode_image(handle.get(), decoded.out(), heif_colorspace_RGB, planar ? heif_chroma_444 : heif_chroma_interleaved_RGB,
                              nullptr);
    if (error.code != heif_error_Ok)
        return libraryFailure(error);
    FilePicture allocated = planar ? pictureFromPlanes(heif, decoded.get(), bytes.size())
                                       : pictureFromInterleaved(heif, decoded.get(), bytes.size());
    if (!allocated.picture)
        return RefusedPicture(allocated.failure);

    ReadResult result(std::move(allocated.picture));
    result.facts().alreadyUpright = true;
    const heif_color_profile_type profile = heif.heif_image_handle_get_color_profile_type(handle.get());
    const std::size_t profileSize = heif.heif_image_handle_get_raw_color_profile_size(handle.get());
    if ((profile == heif_color_profile_type_prof || profile == heif_color_profile_type_rICC) && profileSize > 0) {
        std::vector<std::uint8_t>& icc = result.facts().iccProfile;
        icc.resize(profileSize);
        if (heif.heif_image_handle_get_raw_color_profile(handle.get(), icc.data()).code != heif_error_Ok)
            icc.clear();
    }
    return result;
}

ReadResult ReadHeif(const std::string& path)
{
    return ReadFileWith(path, [](ByteSource& source) { return ReadHeif(source); });
}

}  // namespace lv
