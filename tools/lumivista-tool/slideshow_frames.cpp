#include "arguments.h"
#include "image_io.h"
#include "imagelib/dib_convert.h"
#include "json_writer.h"
#include "output/slide_painter.h"
#include "output/slide_show_settings.h"
#include "slideshow_command.h"

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace lv::tool {

namespace {

// Frames are pictures of the whole screen; a larger screen than this is no screen.
constexpr int kLargestScreenSide = 8192;

std::optional<int> TransitionByNameOrIndex(const std::string& text)
{
    if (const auto index = ParseIntegerInRange(text, 0, kTransitionCount - 1))
        return *index;
    const int found = FindTransition(text);
    return found >= 0 ? std::optional<int>(found) : std::nullopt;
}

std::optional<Size> ParseScreenSize(const std::string& text)
{
    const auto x = text.find('x');
    if (x == std::string::npos)
        return std::nullopt;
    const auto width = ParseIntegerInRange(text.substr(0, x), 1, kLargestScreenSide);
    const auto height = ParseIntegerInRange(text.substr(x + 1), 1, kLargestScreenSide);
    if (!width || !height)
        return std::nullopt;
    return Size{*width, *height};
}

// The picture as the show holds it: 24 bits, or 8-bit grey.
int OpenSlidePicture(const std::string& path, HDIB& picture)
{
    ToolPicture opened = OpenPicture(path);
    if (opened.exitCode)
        return opened.exitCode;
    picture = std::move(opened.image);
    if (picture.bitCount() != 24 && picture.bitCount() != 8)
        picture = DibPromoteTo24(picture);
    return picture ? kExitOk : Fail(kExitCannotRead, "cannot widen " + path + " to 24 bits");
}

}  // namespace

int RunSlideshowFrames(Arguments args)
{
    ParsedArguments parsed(args, "slideshow", "frames");
    const auto& p = parsed.positional();
    if (!parsed.ok() || p.size() != 3 || !parsed.value("--transition"))
        return Fail(kExitUsage, parsed.ok() ? FormUsage("slideshow", "frames")
                                            : parsed.error());
    const auto index = TransitionByNameOrIndex(*parsed.value("--transition"));
    if (!index)
        return Fail(kExitUsage, "unknown transition " + *parsed.value("--transition") + " (see slideshow list)");
    const auto seed = parsed.value("--seed") ? parsed.integer("--seed", 0, 0x7FFFFFFF) : std::optional<int>(1);
    const auto every = parsed.value("--every") ? parsed.integer("--every", 1, 0x7FFFFFFF) : std::optional<int>(1);
    if (!parsed.ok() || !seed || !every)
        return Fail(kExitUsage, parsed.error());
    ShowRandom random{std::uint32_t(*seed)};
    TransitionChoice choice{*index, LowestVariant(*index)};
    if (*index == kRandomChoice) {
        // As the show does for "Aleatório": a random transition and variant from the seed.
        choice = ChooseTransition(kRandomTransitionName, true, random);
    } else if (parsed.value("--variant")) {
        const auto variant = parsed.integer("--variant", LowestVariant(*index), HighestVariant(*index));
        if (!variant)
            return Fail(kExitUsage, parsed.error());
        choice.variant = *variant;
    }

    HDIB before, after;
    if (const int code = OpenSlidePicture(p[0], before))
        return code;
    if (const int code = OpenSlidePicture(p[1], after))
        return code;
    Size screen{after.width(), after.height()};
    if (const auto size = parsed.value("--size")) {
        const auto parsedSize = ParseScreenSize(*size);
        if (!parsedSize)
            return Fail(kExitUsage, "--size must be WIDTHxHEIGHT, each from 1 to " + std::to_string(kLargestScreenSide));
        screen = *parsedSize;
    }
    if (screen.width > kLargestScreenSide || screen.height > kLargestScreenSide)
        return Fail(kExitUsage, "the new picture is larger than a screen; give --size");

    const std::string extension = parsed.value("--format").value_or("png");
    if (extension.empty() || extension.size() > 4 || extension.find_first_of("./") != std::string::npos)
        return Fail(kExitUsage, "--format takes a file extension such as png or bmp");

    std::error_code error;
    std::filesystem::create_directories(p[2], error);
    if (!std::filesystem::is_directory(p[2], error))
        return Fail(kExitCannotWrite, "cannot make the folder " + p[2]);

    SlidePainter painter(screen.width, screen.height);
    std::vector<std::string> frames;
    const auto writeFrame = [&]() {
        char number[16];
        std::snprintf(number, sizeof number, "%05zu", frames.size());
        const std::string name = "frame-" + std::string(number) + "." + extension;
        const std::string path = (std::filesystem::path(p[2]) / name).string();
        HDIB picture = DibFromScreenBitmap(painter.screen());
        if (!picture)
            return Fail(kExitCannotWrite, "no memory for a frame");
        const int code = WritePicture(picture, path, false);
        frames.push_back(name);
        return code;
    };
    painter.beginWith(before, {kNoTransition, 0}, random);
    painter.finish();
    if (const int code = writeFrame())
        return code;
    painter.beginWith(after, choice, random);
    const int steps = painter.player().stepCount();
    for (int s = 0; s < steps; ++s) {
        painter.drawNextStep();
        if ((s + 1) % *every == 0 || s == steps - 1)
            if (const int code = writeFrame())
                return code;
    }

    const std::string name(TransitionTable()[std::size_t(choice.index)].name);
    if (parsed.has("--json")) {
        JsonWriter json;
        json.beginObject().key("index").value(choice.index).key("name").value(name).key("variant").value(choice.variant);
        json.key("steps").value(steps).key("paced").value(painter.player().paced());
        json.key("screen").beginArray().value(screen.width).value(screen.height).endArray();
        const Rect place = painter.slideRect();
        json.key("slide").beginArray().value(place.left).value(place.top).value(place.right).value(place.bottom).endArray();
        json.key("frames").beginArray();
        for (const std::string& f : frames)
            json.value(f);
        json.endArray().endObject();
        std::printf("%s\n", json.text().c_str());
    } else {
        std::printf("%s (%d) variant %d: %d steps, %zu frames in %s\n", name.empty() ? "(no name)" : name.c_str(),
                    choice.index, choice.variant, steps, frames.size(), p[2].c_str());
    }
    return kExitOk;
}

}  // namespace lv::tool
