// lumivista-tool: the program's libraries from the command line, for scripts and checks.

#include "album_command.h"
#include "arguments.h"
#include "command.h"
#include "convert_command.h"
#include "effect_commands.h"
#include "geometry_commands.h"
#include "info_command.h"
#include "layers_command.h"
#include "mail_command.h"
#include "option_table.h"
#include "memory_guard.h"
#include "paint_command.h"
#ifdef LV_TOOL_PRINTING
#include "print_command.h"
#endif
#include "projects_commands.h"
#include "psd_command.h"
#include "qt_side.h"
#include "scan_capture_commands.h"
#include "select_command.h"
#include "vlf_command.h"
#include "skin_command.h"
#include "slideshow_command.h"
#include "webalbum_command.h"
#include "animation_command.h"
#include "orient_command.h"
#include "panorama_command.h"
#include "store_command.h"
#include "text_command.h"
#include "transform_command.h"

#include "common/write_durability.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace {

using lv::tool::Command;

constexpr Command kCommands[] = {
    {"info", "format, size, depth, type and resolution of a picture", lv::tool::RunInfo},
    {"convert", "write a picture in the format of OUT's extension", lv::tool::RunConvert},
    {"promote", "widen a picture to 24 bits", lv::tool::RunDepthConversion},
    {"webpalette", "reduce to the fixed 216-colour palette with error diffusion", lv::tool::RunDepthConversion},
    {"mediancut", "reduce to an adaptive 256-colour palette", lv::tool::RunDepthConversion},
    {"vlf", "layered documents: header and blocks, composite, preview, assembly from pictures, merging linked layers, one layer's picture and mask", lv::tool::RunVlf},
    {"resize", "scale for quality (bilinear; nearest sample for palettes)", lv::tool::RunScale},
    {"crop", "cut out a rectangle (rows count from the top)", lv::tool::RunCrop},
    {"thumb", "scale fast into a box, keeping the aspect ratio", lv::tool::RunScale},
    {"new", "make a picture of one colour", lv::tool::RunNew},
    {"enhance", "an enhancement of the adjustments panel (modes 0-7, sliders 0-100, 50 = no change)", lv::tool::RunEnhance},
    {"effect", "an artistic effect with the strength slider at N (default 50), or the list of effects", lv::tool::RunEffect},
    {"skin", "screens, buttons, rectangles and picture sizes of a skin file", lv::tool::RunSkin},
    {"album", "album files: build from photos, add, bring up to date, inspect, export thumbnails; the album catalogue; photo search", lv::tool::RunAlbum},
    {"psd", "header and layer records of a Photoshop document as read", lv::tool::RunPsd},
    {"slideshow", "pictures of a slide-show transition step by step; the transitions with their variants and random numbers", lv::tool::RunSlideshow},
    {"webalbum", "publish an album as a static web gallery: index of thumbnails, a page per photo, resized photos", lv::tool::RunWebAlbum},
    {"orient", "turn photos upright by their EXIF orientation, or a quarter left or right, in place", lv::tool::RunOrient},
    {"animation", "an animated GIF or WebP from pictures: time per frame, loops, size, fades between frames", lv::tool::RunAnimation},
    {"panorama", "one picture stitched from 2 to 12 overlapping photos taken in a row", LV_QT_SIDE(lv::tool::RunPanorama)},
    {"mail", "send a picture as the e-mail page does (SMTP password on standard input)", LV_QT_SIDE(lv::tool::RunMail)},
    {"store", "the photo service: download, upload, print orders (password on standard input)", LV_QT_SIDE(lv::tool::RunStore)},
#ifdef LV_TOOL_PRINTING
    {"print", "pages as the printer gets them, written to PDF; the print calibration curves", LV_QT_SIDE(lv::tool::RunPrint)},
#endif
#ifdef LV_TOOL_ACQUIRE
    {"scan", "scan a picture through the program's source manager, without its dialog", lv::tool::RunScan},
    {"capture", "a frame from a video capture driver (the test pattern when there is no camera), or a shot of the screen or of one window", LV_QT_SIDE(lv::tool::RunCapture)},
#endif
    {"select", "select by wand, rectangle, ellipse or polygon (OP: wand=X,Y[,tol=R/G/B][,global][,mode=M], rect=L,T,R,B, "
     "ellipse=L,T,R,B, poly=X1/Y1/X2/Y2/...; M: new add sub and xor notold); write the mask, crop or delete", lv::tool::RunSelect},
    {"paint", "a stroke, click or drag of a painting or fill tool (pen, brush, airbrush, eraser, bucket, smudge, lighten, darken, blur, "
     "sharpen, clone, redeye, stamp, gradient, pattern, line, picker) in top-down document pixels; see paint --help", lv::tool::RunPaint},
    {"layers", "layer commands through the undo table, in order (OP: new, duplicate, up, down, merge-down, flatten, current=N, "
     "add=FILE, delete, opacity=N, hide=N, show=N, link=N, rename=N,TEXT, undo, redo)", lv::tool::RunLayers},
    {"text", "a document with a new text layer over the background (white without one; .vlf keeps the layer editable), "
     "optionally merged with a drop shadow (radius, intensity percent, offset right and down)", lv::tool::RunText},
    {"calendar", "the month's shape and its days piece; a calendar template refilled with the pieces beside it", lv::tool::RunCalendar},
    {"project", "a photo dropped into a template's placeholder layer", lv::tool::RunProject},
    {"transform", "move, resize or rotate a layer from its source, or turn, flip, spin, scale or extend the whole picture "
     "(OP: rotate=DEG, resize=L,T,R,B, move=DX,DY, flip=h|v, turn=left|right, spin=DEG, size=WxH, canvas=WxH[,ANCHOR])", lv::tool::RunTransform},
};

void PrintHelp(std::FILE* out)
{
    std::fprintf(out, "usage: lumivista-tool COMMAND [ARGUMENTS]\n\ncommands:\n");
    for (const Command& c : kCommands) {
        std::fprintf(out, "  %-10.*s %.*s\n", int(c.name.size()), c.name.data(), int(c.summary.size()), c.summary.data());
        for (const lv::tool::Form& form : lv::tool::Forms())
            if (form.command == c.name)
                std::fprintf(out, "    %.*s %s\n", int(c.name.size()), c.name.data(), lv::tool::FormLine(form).c_str());
    }
    std::fprintf(out, "\n--no-sync (commands that write files): the new file is not flushed to the disk before it\n"
                      "  replaces the old one; faster for batches, and a failed write still leaves the old file whole\n");
    std::fprintf(out, "\nexit status: 0 success, 2 usage error or unknown format, 3 unreadable input, 4 unwritable output\n");
}

// --no-sync, read with the command's own form, so it counts only where the table offers it.
bool SkipsTheFlush(std::string_view command, lv::tool::Arguments args)
{
    const lv::tool::Form* form = lv::tool::FormOfLine(command, args);
    if (!form || !form->writes)
        return false;
    const lv::tool::ParsedArguments parsed(form->sub.empty() ? args : args.subspan(1), form->command, form->sub);
    return parsed.ok() && parsed.has(std::string(lv::tool::kNoSyncOption.name));
}

}  // namespace

// The HEVC encoder (x265, under libheif) keeps one buffer for the life of the process; the
// leak checker of the sanitizer builds is told so (the symbol means nothing elsewhere).
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:x265_malloc\n";
}

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        PrintHelp(args.empty() ? stderr : stdout);
        return args.empty() ? lv::tool::kExitUsage : lv::tool::kExitOk;
    }
    for (const Command& c : kCommands)
        if (c.name == args[0]) {
            const lv::tool::Arguments rest = lv::tool::Arguments(args).subspan(1);
            std::optional<lv::UnsyncedWrites> unsynced;
            if (SkipsTheFlush(c.name, rest))
                unsynced.emplace();
            return lv::tool::RunWithinMemory(c, rest);
        }
    return lv::tool::Fail(lv::tool::kExitUsage, "no command named " + args[0] + " (see --help)");
}
