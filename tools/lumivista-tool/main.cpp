// lumivista-tool: the program's libraries from the command line, for scripts and checks.

#include "album_command.h"
#include "command.h"
#include "convert_command.h"
#include "effect_commands.h"
#include "geometry_commands.h"
#include "info_command.h"
#include "layers_command.h"
#include "mail_command.h"
#include "memory_guard.h"
#include "paint_command.h"
#ifdef LV_TOOL_PRINTING
#include "print_command.h"
#endif
#include "projects_commands.h"
#include "psd_command.h"
#include "scan_capture_commands.h"
#include "select_command.h"
#include "vlf_command.h"
#include "skin_command.h"
#include "slideshow_command.h"
#include "store_command.h"
#include "text_command.h"
#include "transform_command.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

using lv::tool::Command;

constexpr Command kCommands[] = {
    {"info", "FILE [--json] [--palette] [--pcd-resolution 0..4]", "format, size, depth, type and resolution of a picture", lv::tool::RunInfo},
    {"convert", "IN OUT [--quality N] [--compress] [--interlace] [--transparent] [--save-as] [--pcd-resolution 0..4]",
     "write a picture in the format of OUT's extension", lv::tool::RunConvert},
    {"promote", "IN OUT", "widen a picture to 24 bits", lv::tool::RunDepthConversion},
    {"webpalette", "IN OUT", "reduce to the fixed 216-colour palette with error diffusion", lv::tool::RunDepthConversion},
    {"mediancut", "IN OUT", "reduce to an adaptive 256-colour palette", lv::tool::RunDepthConversion},
    {"vlf", "info FILE [--json] | flatten FILE OUT | preview FILE OUT | make OUT --size WxH [--grey] [--quality N] LAYER... | merge IN OUT | extract FILE N IMAGE_OUT [MASK_OUT]",
     "layered documents: header and blocks, composite, preview, assembly from pictures, merging linked layers, one layer's picture and mask",
     lv::tool::RunVlf},
    {"resize", "IN OUT WIDTH HEIGHT", "scale for quality (bilinear; nearest sample for palettes)", lv::tool::RunScale},
    {"crop", "IN OUT LEFT TOP RIGHT BOTTOM", "cut out a rectangle (rows count from the top)", lv::tool::RunCrop},
    {"thumb", "IN OUT WIDTH HEIGHT", "scale fast into a box, keeping the aspect ratio", lv::tool::RunScale},
    {"new", "WIDTH HEIGHT R G B OUT [--grey]", "make a picture of one colour", lv::tool::RunNew},
    {"enhance", "IN OUT --mode M [--sliders A[,B[,C]]] [--threads N]",
     "an enhancement of the adjustments panel (modes 0-7, sliders 0-100, 50 = no change)", lv::tool::RunEnhance},
    {"effect", "IN OUT --op CODE [--strength N] [--threads N] | --list [--json]",
     "an artistic effect with the strength slider at N (default 50), or the list of effects", lv::tool::RunEffect},
    {"skin", "info FILE [--json]", "screens, buttons, rectangles and picture sizes of a skin file", lv::tool::RunSkin},
    {"album", "make OUT.abm FILE... [--jobs N] | add ALBUM FILE... | refresh ALBUM | info ALBUM [--json] | thumbs ALBUM DIR | list [--category N] [--json] | search FOLDER [--name TEXT] [--caption TEXT] [--after DATE] [--before DATE] [--type EXT] [--min-size WxH] [--json]",
     "album files: build from photos, add, bring up to date, inspect, export thumbnails; the album catalogue; photo search",
     lv::tool::RunAlbum},
    {"psd", "info FILE [--json]", "header and layer records of a Photoshop document as read", lv::tool::RunPsd},
    {"slideshow", "frames OLD NEW OUTDIR --transition NAME --variant N [--size WxH] [--every K] [--seed S] [--format EXT] [--json] | list [--json]",
     "pictures of a slide-show transition step by step; the transitions with their variants and random numbers",
     lv::tool::RunSlideshow},
    {"mail", "FILE --to ADDR [--subject S] [--body B] [--smtp URL] [--security none|starttls|tls] [--from ADDR] [--ca-file FILE] [--smaller 1024|1600] [--json]",
     "send a picture as the e-mail page does (SMTP password on standard input)", lv::tool::RunMail},
    {"store", "download --server URL --user ID --dir DIR [--album ALBUM] [--ca-file FILE] [--json]",
     "download the user's photos from the photo service (password on standard input)", lv::tool::RunStore},
#ifdef LV_TOOL_PRINTING
    {"print", "single IN --pdf OUT [--frame] [--text TEXT] [--points N] [--landscape] [--calibrate] | sheet ALBUM --pdf OUT [--size 0|1|2] [--spacing 0..3] [--captions] [--jobs N] | layout --pdf OUT --kind 0..4 [--brand PREFIX --product NAME] [--lead WxH] [--zoom P] [--fill] [--labels FILE] FILE... | curves show [--json]|set CURVE B C G|reset; every page: [--paper letter|a4]",
     "pages as the printer gets them, written to PDF; the print calibration curves", lv::tool::RunPrint},
#endif
#ifdef LV_TOOL_ACQUIRE
    {"scan", "OUT [--device NAME] [--resolution DPI] [--mode color|gray|lineart] [--memory]",
     "scan a picture through the program's source manager, without its dialog", lv::tool::RunScan},
    {"capture", "video OUT [--device NAME] | screen OUT [--window ID | --client ID]",
     "a frame from a video capture driver (the test pattern when there is no camera), or a shot of the screen or of one window",
     lv::tool::RunCapture},
#endif
    {"select", "IN [--layer N] OP... [--mask OUT] [--apply crop|delete] [--out DOC] [--json]",
     "select by wand, rectangle, ellipse or polygon (OP: wand=X,Y[,tol=R/G/B][,global][,mode=M], rect=L,T,R,B, "
     "ellipse=L,T,R,B, poly=X1/Y1/X2/Y2/...; M: new add sub and xor notold); write the mask, crop or delete",
     lv::tool::RunSelect},
    {"paint", "IN OUT --tool NAME [--color R,G,B] [--size S] [--speed V] ... (--stroke X1,Y1;X2,Y2;... [--rest N] | --click X,Y | --drag X1,Y1;X2,Y2) [--json]",
     "a stroke, click or drag of a painting or fill tool (pen, brush, airbrush, eraser, bucket, smudge, lighten, darken, blur, "
     "sharpen, clone, redeye, stamp, gradient, pattern, line, picker) in top-down document pixels; see paint --help",
     lv::tool::RunPaint},
    {"layers", "IN OUT OP... [--json]",
     "layer commands through the undo table, in order (OP: new, duplicate, up, down, merge-down, flatten, current=N, "
     "add=FILE, delete, opacity=N, hide=N, show=N, link=N, rename=N,TEXT, undo, redo)",
     lv::tool::RunLayers},
    {"text", "OUT --size WxH [--background FILE] --text TEXT [--font FAMILY] [--px N] [--bold] [--italic] [--smooth] [--color R,G,B] [--at X,Y] [--shadow R,P,DX,DY]",
     "a document with a new text layer over the background (white without one; .vlf keeps the layer editable), "
     "optionally merged with a drop shadow (radius, intensity percent, offset right and down)",
     lv::tool::RunText},
    {"calendar", "shape YEAR MONTH [--json] | refill TEMPLATE OUT --year Y --month M",
     "the month's shape and its days piece; a calendar template refilled with the pieces beside it", lv::tool::RunCalendar},
    {"project", "drop TEMPLATE OUT --layer N PHOTO", "a photo dropped into a template's placeholder layer",
     lv::tool::RunProject},
    {"transform", "IN OUT [--layer N] [--background R,G,B] [--json] OP...",
     "move, resize or rotate a layer from its source, or turn, flip, spin, scale or extend the whole picture "
     "(OP: rotate=DEG, resize=L,T,R,B, move=DX,DY, flip=h|v, turn=left|right, spin=DEG, size=WxH, canvas=WxH[,ANCHOR])",
     lv::tool::RunTransform},
};

void PrintHelp(std::FILE* out)
{
    std::fprintf(out, "usage: lumivista-tool COMMAND [ARGUMENTS]\n\ncommands:\n");
    for (const Command& c : kCommands)
        std::fprintf(out, "  %-10.*s %.*s\n  %-10s %.*s\n", int(c.name.size()), c.name.data(), int(c.usage.size()),
                     c.usage.data(), "", int(c.summary.size()), c.summary.data());
    std::fprintf(out, "\nexit status: 0 success, 2 usage error or unknown format, 3 unreadable input, 4 unwritable output\n");
}

}  // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        PrintHelp(args.empty() ? stderr : stdout);
        return args.empty() ? lv::tool::kExitUsage : lv::tool::kExitOk;
    }
    for (const Command& c : kCommands)
        if (c.name == args[0])
            return lv::tool::RunWithinMemory(c, lv::tool::Arguments(args).subspan(1));
    return lv::tool::Fail(lv::tool::kExitUsage, "no command named " + args[0] + " (see --help)");
}
