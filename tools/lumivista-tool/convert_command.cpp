#include "convert_command.h"

#include "arguments.h"
#include "colour_conversion.h"
#include "image_io.h"
#include "streamed_convert.h"
#include "imagelib/dib_convert.h"
#include "edit/compositing.h"
#include "edit/flatten_alpha.h"
#include "edit/layered_format.h"
#include "edit/psd/psd_import.h"
#include "imagelib/codecs/file_names.h"
#include "imagelib/metadata/metadata_writer.h"

#include <filesystem>
#include "imagelib/codecs/save_options.h"

namespace lv::tool {

int RunConvert(std::string_view, Arguments args)
{
    ParsedArguments parsed(args, "convert");
    const auto quality = parsed.integer("--quality", 1, 100);
    const auto photoCdResolution = parsed.integer("--pcd-resolution", 0, 4);
    const auto threads = parsed.integer("--threads", 1, 64);
    if (!parsed.ok() || parsed.positional().size() != 2)
        return Fail(kExitUsage, parsed.ok() ? FormUsage("convert") : parsed.error());
    SaveOptions& options = CurrentSaveOptions();
    if (quality)
        options.jpegQuality = *quality;
    options.lossless = parsed.has("--lossless");
    options.compress = parsed.has("--compress");
    options.interlace = parsed.has("--interlace");
    options.transparent = parsed.has("--transparent");
    options.threads = threads.value_or(0);

    const std::string& in = parsed.positional()[0];
    const std::string& out = parsed.positional()[1];
    // A layered output keeps the layers of a Photoshop document.
    if (DispatchExtension(out) == "VLF" && DispatchExtension(in) == "PSD" && !parsed.has("--save-as")) {
        if (!std::filesystem::is_regular_file(in))
            return Fail(kExitCannotRead, "cannot open " + in);
        const PsdOpened opened = OpenPsdFile(in);
        if (!opened.stack)
            return Fail(kExitCannotRead, opened.failure ? FileProblemMessage(opened.failure, in) : "cannot read " + in);
        return WriteDocument(*opened.stack, out, options.jpegQuality);
    }
    // A layered file into a layered file keeps its layers; one that doesn't read as layered
    // goes the general way, which finds its format by content.
    if (DispatchExtension(out) == "VLF" && DispatchExtension(in) == "VLF" && !parsed.has("--save-as"))
        if (DocumentMetadata metadata; const auto stack = ReadLayeredFile(in, &metadata)) {
            CompositeLayers(*stack);
            if (parsed.has("--strip-metadata"))
                metadata.photo = WithoutPersonalData(metadata.photo);
            return WriteDocument(*stack, out, options.jpegQuality, metadata);
        }
    // Plain rows into a TIFF need no picture in memory.
    if (!parsed.has("--to-srgb") && !parsed.has("--save-as"))
        if (const std::optional<int> streamed = ConvertStreamed(in, out, parsed.has("--strip-metadata")))
            return *streamed;
    ToolPicture picture = OpenPictureWithAlpha(in, photoCdResolution);
    if (picture.exitCode)
        return picture.exitCode;
    if (parsed.has("--to-srgb"))
        if (const int failed = ConvertToSrgb(picture, in))
            return failed;
    if (picture.alpha && KeepsAlpha(out) && !parsed.has("--save-as"))
        return WritePictureWithAlpha(picture.image, picture.alpha, out, picture.facts,
                                     parsed.has("--strip-metadata") ? WithoutPersonalData(picture.metadata) : picture.metadata);
    // Formats without alpha hold the picture as it looks on white.
    if (picture.alpha) {
        HDIB flat = FlattenOnWhite(picture.image, picture.alpha);
        if (!flat)
            return Fail(kExitCannotWrite, "cannot flatten the picture for " + out);
        picture.image = std::move(flat);
    }
    if (parsed.has("--save-as"))
        return WritePicture(picture.image, out, true, picture.facts);
    return WritePhoto(picture.image, picture.metadata, out, parsed.has("--strip-metadata"), picture.facts);
}

int RunDepthConversion(std::string_view name, Arguments args)
{
    ParsedArguments parsed(args, name);
    if (!parsed.ok() || parsed.positional().size() != 2)
        return Fail(kExitUsage, FormUsage(name));
    ToolPicture picture = OpenPicture(parsed.positional()[0]);
    if (picture.exitCode)
        return picture.exitCode;
    // The reductions work on 24-bit pictures: widen palette pictures first.
    HDIB wide = picture.image.bitCount() == 24 ? std::move(picture.image) : DibPromoteTo24(picture.image);
    if (!wide)
        return Fail(kExitCannotRead, "cannot convert " + parsed.positional()[0]);
    HDIB result;
    if (name == "promote")
        result = std::move(wide);
    else if (name == "webpalette")
        result = DibReduceToWebPalette(wide);
    else
        result = DibMedianCut(wide, 22);
    if (!result)
        return Fail(kExitCannotWrite, "conversion failed");
    return WritePicture(result, parsed.positional()[1], false);
}

}  // namespace lv::tool
