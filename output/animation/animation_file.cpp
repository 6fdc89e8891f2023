#include "output/animation/animation_file.h"

#include "common/byte_sink.h"
#include "common/file_problem.h"
#include "common/text_encoding.h"
#include "output/animation/animated_gif.h"
#include "output/animation/animated_webp.h"

#include <filesystem>

namespace lv::animation {
namespace {

std::string Extension(const std::string& path)
{
    return LowerLatin(std::filesystem::path(path).extension().string());
}

}  // namespace

bool IsAnimationFileName(const std::string& path)
{
    const std::string ext = Extension(path);
    return ext == ".gif" || ext == ".webp";
}

std::string SaveAnimation(const std::string& path, std::span<const Frame> frames, const AnimationOptions& options)
{
    if (!IsAnimationFileName(path))
        return "Não é possível gravar " + path + ": uma animação é gravada como .gif ou .webp.";
    MemorySink encoded;
    std::vector<std::uint8_t> bytes;
    if (Extension(path) == ".gif") {
        if (!WriteAnimatedGif(encoded, frames, options.loop, options.sharedPalette))
            return "Não foi possível montar a animação GIF " + path + " (falta memória?).";
        bytes = encoded.take();
    } else {
        auto webp = EncodeAnimatedWebp(frames, options.loop, options.quality);
        if (!webp)
            return "Não foi possível montar a animação WebP " + path + " (falta memória?).";
        bytes = std::move(*webp);
    }
    FileFailure failure;
    if (!WriteWholeFile(path, bytes, &failure))
        return FileProblemMessage(failure, path);
    return {};
}

}  // namespace lv::animation
