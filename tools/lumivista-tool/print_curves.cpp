// "print curves": the print calibration file.

#include "arguments.h"
#include "json_writer.h"
#include "print_command.h"

#include "output/print/print_calibration_store.h"
#include "output/print/tone_curve.h"

#include <cstdio>

namespace lv::tool {
namespace {

constexpr const char* kCurveNames[kCurveCount] = {"spare", "red", "green", "blue", "grey"};

std::optional<int> curveNamed(const std::string& name)
{
    for (std::size_t i = 1; i < kCurveCount; ++i)
        if (name == kCurveNames[i])
            return int(i);
    return std::nullopt;
}

int show(const ParsedArguments& parsed)
{
    // The file the printer would read, and the one "set" writes.
    const print::CalibrationFiles files = print::CurrentCalibrationFiles();
    std::filesystem::path source;
    const CalibrationCurves curves = print::LoadCalibrationCurves(files, &source);
    if (parsed.has("--json")) {
        JsonWriter json;
        json.beginObject().key("file").value(files.writable.string());
        json.key("read");
        if (source.empty())
            json.null();
        else
            json.value(source.string());
        for (std::size_t c = 0; c < kCurveCount; ++c) {
            json.key(kCurveNames[c]).beginArray();
            for (std::uint8_t v : curves.curve(int(c)))
                json.value(int(v));
            json.endArray();
        }
        json.endObject();
        std::printf("%s\n", json.text().c_str());
        return kExitOk;
    }
    std::printf("file %s\n", files.writable.string().c_str());
    std::printf("read %s\n", source.empty() ? "(none: identity curves)" : source.string().c_str());
    for (std::size_t c = 0; c < kCurveCount; ++c) {
        const auto curve = curves.curve(int(c));
        std::printf("%-6s %s  0:%d 64:%d 128:%d 192:%d 255:%d\n", kCurveNames[c],
                    curves.isIdentity(int(c)) ? "identity" : "changed ", curve[0], curve[64], curve[128], curve[192],
                    curve[255]);
    }
    return kExitOk;
}

int save(const CalibrationCurves& curves)
{
    FileFailure failure;
    if (!print::SaveCalibrationCurves(curves, &failure))
        return Fail(kExitCannotWrite, FileProblemMessage(failure, print::CurrentCalibrationFiles().writable.string()));
    return kExitOk;
}

}  // namespace

int RunPrintCurves(Arguments args)
{
    ParsedArguments parsed(args, "print", "curves");
    const auto& words = parsed.positional();
    const std::string usage = FormUsage("print", "curves");
    if (!parsed.ok() || words.empty())
        return Fail(kExitUsage, parsed.ok() ? usage : parsed.error());
    if (words[0] == "show" && words.size() == 1)
        return show(parsed);
    if (words[0] == "reset" && words.size() == 1)
        return save(IdentityCurves());
    if (words[0] != "set" || words.size() != 5)
        return Fail(kExitUsage, usage);
    const auto brightness = ParseIntegerInRange(words[2], -100, 100);
    const auto contrast = ParseIntegerInRange(words[3], -100, 100);
    const auto gamma = ParseIntegerInRange(words[4], 20, 500);
    if (!brightness || !contrast || !gamma)
        return Fail(kExitUsage, "BRIGHTNESS and CONTRAST run from -100 to 100, GAMMA (× 100) from 20 to 500");
    const auto curve = print::MakeToneCurve({*brightness, *contrast, *gamma});
    CalibrationCurves curves = print::LoadCalibrationCurves();
    if (words[1] == "all") {
        for (int c = kCurveRed; c <= kCurveGrey; ++c)
            std::copy(curve.begin(), curve.end(), curves.curve(c).begin());
    } else if (const auto c = curveNamed(words[1])) {
        std::copy(curve.begin(), curve.end(), curves.curve(*c).begin());
    } else {
        return Fail(kExitUsage, "unknown curve " + words[1] + " (red, green, blue, grey or all)");
    }
    return save(curves);
}

}  // namespace lv::tool
