#include "option_table.h"

#include <cstdio>
#include <cstdlib>

namespace lv::tool {
namespace {

const Option kJson{"--json"};
const Option kJobs{"--jobs", "N"};
const Option kThreads{"--threads", "N"};
const Option kPcdResolution{"--pcd-resolution", "0..4"};
const Option kPaper{"--paper", "letter|a4"};
const Option kPdf{"--pdf", "OUT", true};
const Option kCaFile{"--ca-file", "FILE"};
const Option kLayer{"--layer", "N"};
const Option kPrinterProfile{"--printer-profile", "FILE.icc"};

std::vector<Form> makeForms()
{
    return {
        {"info", {}, "FILE", {kJson, {"--palette"}, kPcdResolution}},
        {"convert", {}, "IN OUT",
         {{"--quality", "N"}, {"--lossless"}, {"--compress"}, {"--interlace"}, {"--transparent"}, {"--save-as"}, kPcdResolution,
          {"--to-srgb"}, {"--strip-metadata"}, kThreads},
         {}, true},
        {"promote", {}, "IN OUT", {}, {}, true},
        {"webpalette", {}, "IN OUT", {}, {}, true},
        {"mediancut", {}, "IN OUT", {}, {}, true},
        {"vlf", "info", "FILE", {kJson}},
        {"vlf", "flatten", "FILE OUT", {}, {}, true},
        {"vlf", "preview", "FILE OUT", {}, {}, true},
        {"vlf", "make", "OUT LAYER...", {{"--size", "WxH", true}, {"--grey"}, {"--quality", "N"}},
         "  each LAYER, top first: image=FILE[,mask=FILE][,x=N][,y=N][,opacity=N][,name=TEXT][,kind=image|mask]\n"
         "        [,hidden][,linked][,locked]",
         true},
        {"vlf", "merge", "IN OUT", {{"--quality", "N"}}, {}, true},
        {"vlf", "extract", "FILE N IMAGE_OUT [MASK_OUT]", {}, {}, true},
        {"resize", {}, "IN OUT WIDTH HEIGHT", {}, {}, true},
        {"crop", {}, "IN OUT LEFT TOP RIGHT BOTTOM", {}, {}, true},
        {"thumb", {}, "IN OUT WIDTH HEIGHT", {}, {}, true},
        {"new", {}, "WIDTH HEIGHT R G B OUT", {{"--grey"}}, {}, true},
        {"enhance", {}, "IN OUT", {{"--mode", "M", true}, {"--sliders", "A[,B[,C]]"}, kThreads}, {}, true},
        {"effect", {}, "IN OUT | --list [--json]", {{"--op", "CODE"}, {"--strength", "N"}, kThreads, {"--list"}, kJson},
         "  IN OUT needs --op; --list shows the effects", true},
        {"skin", "info", "FILE", {kJson}},
        {"album", "make", "OUT.abm FILE...", {kJobs}, {}, true},
        {"album", "add", "ALBUM FILE...", {kJobs}, {}, true},
        {"album", "refresh", "ALBUM", {kJobs}, {}, true},
        {"album", "info", "ALBUM", {kJson}},
        {"album", "thumbs", "ALBUM DIR", {}, {}, true},
        {"album", "list", {}, {{"--category", "N"}, kJson}},
        {"album", "search", "FOLDER",
         {{"--name", "TEXT"}, {"--caption", "TEXT"}, {"--after", "YYYY-MM-DD"}, {"--before", "YYYY-MM-DD"},
          {"--type", "EXT[,EXT...]"}, {"--min-size", "WxH"}, {"--photos", "DIR"}, {"--taken-after", "YYYY-MM-DD"},
          {"--taken-before", "YYYY-MM-DD"}, {"--camera", "TEXT"}, kJson}},
        {"psd", "info", "FILE", {kJson}},
        {"slideshow", "frames", "OLD NEW OUTDIR",
         {{"--transition", "NAME", true}, {"--variant", "N", true}, {"--size", "WxH"}, {"--every", "K"}, {"--seed", "S"},
          {"--format", "EXT"}, kJson},
         {}, true},
        {"slideshow", "list", {}, {kJson}},
        {"mail", {}, "FILE",
         {{"--to", "ADDR", true}, {"--subject", "S"}, {"--body", "B"}, {"--smtp", "URL"},
          {"--security", "none|starttls|tls"}, {"--from", "ADDR"}, kCaFile, {"--smaller", "1024|1600"}, kJson},
         "  the SMTP password comes on standard input; without --smtp the mail program opens"},
        {"store", "download", {},
         {{"--server", "URL", true}, {"--user", "ID", true}, {"--dir", "DIR", true}, {"--album", "ALBUM"}, kCaFile, kJson},
         "  the password comes on standard input"},
        {"store", "upload", "FILE...", {{"--server", "URL", true}, {"--user", "ID", true}, kCaFile, kJson},
         "  the password comes on standard input; a broken upload continues where the service left off"},
        {"store", "order", "FILE",
         {{"--paper", "10x15|13x18|15x21|20x25|20x30|30x45", true}, {"--copies", "1..99"}, {"--crop", "L,T,W,H"},
          {"--server", "URL", true}, {"--user", "ID", true}, kCaFile, kJson},
         "  the photo is sent first; without --crop the largest centred part of the paper's shape"},
        {"store", "publish", "ALBUM.abm",
         {{"--size", "N"}, {"--title", "T"}, {"--server", "URL", true}, {"--user", "ID", true}, kCaFile, kJson},
         "  the album's web gallery goes to the service; prints its public address"},
        {"print", "single", "IN",
         {kPdf, {"--frame"}, {"--text", "TEXT"}, {"--points", "N"}, {"--landscape"}, {"--calibrate"}, kPaper,
          kPrinterProfile}},
        {"print", "sheet", "ALBUM",
         {kPdf, {"--size", "0|1|2"}, {"--spacing", "0..3"}, {"--captions"}, kJobs, kPaper, kPrinterProfile}},
        {"print", "layout", "FILE...",
         {kPdf, {"--kind", "0..4", true}, {"--brand", "PREFIX"}, {"--product", "NAME"}, {"--lead", "WxH"},
          {"--zoom", "P"}, {"--fill"}, {"--labels", "FILE"}, kPaper, kPrinterProfile}},
        {"print", "curves", "show | set red|green|blue|grey|all BRIGHTNESS CONTRAST GAMMA | reset", {kJson}, {}, true},
        {"scan", {}, "OUT",
         {{"--device", "NAME"}, {"--resolution", "DPI"}, {"--mode", "color|gray|lineart"}, {"--memory"}}, {}, true},
        {"capture", "video", "OUT", {{"--device", "NAME"}}, {}, true},
        {"capture", "screen", "OUT", {{"--window", "ID"}, {"--client", "ID"}}, "  --window or --client, not both", true},
        {"select", {}, "IN OP...", {kLayer, {"--mask", "OUT"}, {"--apply", "crop|delete"}, {"--out", "DOC"}, kJson},
         "  OP: wand=X,Y[,tol=R/G/B][,global][,mode=M] | rect=L,T,R,B[,mode=M] | ellipse=L,T,R,B[,mode=M] |\n"
         "      poly=X1/Y1/X2/Y2/...[,mode=M]   M: new add sub and xor notold",
         true},
        {"paint", {}, "IN OUT",
         {{"--tool", "NAME", true}, kLayer, {"--color", "R,G,B"}, {"--secondary", "R,G,B"}, {"--size", "S"},
          {"--speed", "V"}, {"--shape", "K"}, {"--transparency", "P"}, {"--tolerance", "T"}, {"--intensity", "P"},
          {"--strength", "P"}, {"--soft-edge"}, {"--pressure", "P"}, {"--softness", "P"}, {"--source", "X,Y"},
          {"--not-aligned"}, {"--select", "L,T,R,B"}, {"--picture", "FILE"}, {"--alt"}, {"--shift"},
          {"--stroke", "X1,Y1;X2,Y2;..."}, {"--rest", "N"}, {"--click", "X,Y"}, {"--drag", "X1,Y1;X2,Y2"}, kJson},
         "  one of --stroke (with --rest), --click and --drag\n"
         "  --picture: the stamp, the texture, or the custom brush shape 6\n"
         "  NAME: pen brush airbrush eraser bucket smudge lighten darken blur sharpen clone redeye stamp gradient\n"
         "        pattern line picker",
         true},
        {"layers", {}, "IN OUT OP...", {kJson},
         "  OP: new | duplicate | up | down | merge-down | flatten | current=N | add=FILE | delete |\n"
         "      opacity=N | hide=N | show=N | link=N | rename=N,TEXT | undo | redo",
         true},
        {"text", {}, "OUT",
         {{"--size", "WxH", true}, {"--background", "FILE"}, {"--text", "TEXT", true}, {"--font", "FAMILY"},
          {"--px", "N"}, {"--bold"}, {"--italic"}, {"--smooth"}, {"--color", "R,G,B"}, {"--at", "X,Y"},
          {"--shadow", "R,P,DX,DY"}},
         {}, true},
        {"calendar", "shape", "YEAR MONTH", {kJson}},
        {"calendar", "refill", "TEMPLATE OUT", {{"--year", "Y", true}, {"--month", "M", true}},
         "  TEMPLATE is a .vlf whose pieces lie beside it in cal<style>/calyear|calmonth|calweek/", true},
        {"project", "drop", "TEMPLATE OUT PHOTO", {{"--layer", "N", true}},
         "  drops PHOTO into layer N of TEMPLATE (fitted, or stretched on a background layer) and writes OUT", true},
        {"webalbum", {}, "ALBUM.abm OUTDIR", {{"--size", "N"}, {"--title", "T"}, kJson},
         "  --size: longest side of the published photos (160-4096, default 1024)", true},
        {"animation", {}, "OUT.gif|OUT.webp IN...",
         {{"--delay", "MS"}, {"--loop", "N"}, {"--size", "WxH"}, {"--fade", "K"}, {"--palette", "shared|frame"},
          {"--quality", "N"}, kJson},
         "  --delay: each picture's time (20-60000 ms, default 500); --loop: plays, 0 forever (default)\n"
         "  --fade: K blended frames from each picture to the next, each shown for MS / (K + 1)\n"
         "  --palette (GIF): one median-cut palette for all frames (default) or one per frame",
         true},
        {"orient", {}, "FILE...", {{"--left"}, {"--right"}, {"--auto"}, {"--lossless-only"}, {"--trim"}, kJson},
         "  one of --left, --right (a quarter turn as the photo is shown) or --auto (upright by its EXIF\n"
         "  orientation); JPEGs turn without loss, refusing sizes that are no multiple of the block\n"
         "  unless --trim drops those edge pixels; --lossless-only refuses photos that must be saved again",
         true},
        {"panorama", {}, "OUT IN1 IN2 [IN...]", {{"--crop"}, kJson},
         "  2 to 12 overlapping photos in the order taken; --crop cuts the ragged edges away", true},
        {"transform", {}, "IN OUT OP...", {kLayer, {"--background", "R,G,B"}, kThreads, kJson},
         "  OP: rotate=DEG | resize=L,T,R,B | move=DX,DY | flip=h|v | turn=left|right | spin=DEG |\n"
         "      size=WxH | canvas=WxH[,ANCHOR]   ANCHOR: tl t tr l c r bl b br",
         true},
    };
}

}  // namespace

std::span<const Form> Forms()
{
    static const std::vector<Form> forms = makeForms();
    return forms;
}

const Form& FormOf(std::string_view command, std::string_view sub)
{
    for (const Form& form : Forms())
        if (form.command == command && form.sub == sub)
            return form;
    // A command asking for a form the table lacks is a programming error, not a user's.
    std::fprintf(stderr, "lumivista-tool: no table entry for %.*s %.*s\n", int(command.size()), command.data(),
                 int(sub.size()), sub.data());
    std::abort();
}

const Form* FormOfLine(std::string_view command, std::span<const std::string> args)
{
    for (const Form& form : Forms())
        if (form.command == command && (form.sub.empty() || (!args.empty() && form.sub == args[0])))
            return &form;
    return nullptr;
}

std::vector<Option> AcceptedOptions(const Form& form)
{
    std::vector<Option> options = form.options;
    if (form.writes)
        options.push_back(kNoSyncOption);
    return options;
}

}  // namespace lv::tool
