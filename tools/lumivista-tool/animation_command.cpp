#include "animation_command.h"

#include "arguments.h"
#include "image_io.h"
#include "json_writer.h"
#include "option_table.h"
#include "output/animation/animation_file.h"

#include <cstdio>

namespace lv::tool {
namespace {

std::optional<std::pair<int, int>> ParseSize(const std::string& text)
{
    const auto fields = SplitFields(text, 'x');
    if (fields.size() != 2)
        return std::nullopt;
    const auto w = ParseIntegerInRange(fields[0], animation::kMinSide, animation::kMaxSide);
    const auto h = ParseIntegerInRange(fields[1], animation::kMinSide, animation::kMaxSide);
    if (!w || !h)
        return std::nullopt;
    return std::pair{*w, *h};
}

}  // namespace

int RunAnimation(std::string_view, Arguments args)
{
    ParsedArguments parsed(args, "animation");
    const auto& p = parsed.positional();
    if (!parsed.ok() || p.size() < 2)
        return Fail(kExitUsage, parsed.ok() ? FormUsage("animation") : parsed.error());
    if (!animation::IsAnimationFileName(p[0]))
        return Fail(kExitUsage, p[0] + ": the animation is written as .gif or .webp");
    animation::AnimationOptions options;
    const auto number = [&](const char* option, int low, int high, int& into) {
        if (!parsed.value(option))
            return true;
        const auto v = parsed.integer(option, low, high);
        if (v)
            into = *v;
        return v.has_value();
    };
    if (!number("--delay", animation::kMinDelayMs, animation::kMaxDelayMs, options.delayMs) ||
        !number("--loop", 0, 65535, options.loop) || !number("--fade", 0, animation::kMaxFade, options.fade) ||
        !number("--quality", 0, 100, options.quality))
        return Fail(kExitUsage, parsed.error());
    if (const auto size = parsed.value("--size")) {
        const auto wh = ParseSize(*size);
        if (!wh)
            return Fail(kExitUsage, "--size must be WIDTHxHEIGHT, each from 16 to 4096");
        options.width = wh->first;
        options.height = wh->second;
    }
    if (const auto palette = parsed.value("--palette")) {
        if (*palette != "shared" && *palette != "frame")
            return Fail(kExitUsage, "--palette is shared or frame");
        options.sharedPalette = *palette == "shared";
    }
    if (const std::string refused = animation::CheckOptions(options, int(p.size()) - 1); !refused.empty())
        return Fail(kExitUsage, refused);
    std::vector<HDIB> pictures;
    for (std::size_t i = 1; i < p.size(); ++i) {
        ToolPicture picture = OpenPicture(p[i]);
        if (picture.exitCode)
            return picture.exitCode;
        pictures.push_back(std::move(picture.image));
    }
    const std::vector<animation::Frame> frames = animation::BuildFrames(pictures, options);
    if (frames.empty())
        return Fail(kExitCannotRead, "not enough memory for the frames");
    if (const std::string failed = animation::SaveAnimation(p[0], frames, options); !failed.empty())
        return Fail(kExitCannotWrite, failed);
    if (parsed.has("--json")) {
        JsonWriter json;
        json.beginObject().key("frames").value(int(frames.size())).key("width").value(frames[0].picture.width());
        json.key("height").value(frames[0].picture.height()).key("loop").value(options.loop).endObject();
        std::printf("%s\n", json.text().c_str());
    }
    return kExitOk;
}

}  // namespace lv::tool
