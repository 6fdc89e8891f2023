// Writes the program's skin files from the button definition table, renders previews of
// whole screens from them, and draws the icons the desktop shows for the program and its files.
//
//   lv-skin-generator PROGRAM_DIR
//   lv-skin-generator --preview PROGRAM_DIR SCREEN 800|640 OUT.png [HOVER_CONTROL]
//   lv-skin-generator --icons ICONS_DIR

#include "desktop_icons.h"
#include "preview.h"
#include "skin_builder.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const auto usage = [] {
        std::fprintf(stderr, "usage: lv-skin-generator PROGRAM_DIR\n"
                             "       lv-skin-generator --preview PROGRAM_DIR SCREEN 800|640 OUT.png [HOVER_CONTROL]\n"
                             "       lv-skin-generator --icons ICONS_DIR\n");
        return 2;
    };
    if (argc == 3 && std::string(argv[1]) == "--icons")
        return lv::skingen::WriteDesktopIcons(argv[2]) ? 0 : 1;
    if (argc == 2)
        return lv::skingen::WriteSkinFiles(argv[1]) ? 0 : 1;
    if ((argc == 6 || argc == 7) && std::string(argv[1]) == "--preview") {
        const int screen = std::atoi(argv[3]);
        const std::string variantName = argv[4];
        if (!lv::skin::IsValidScreen(screen) || (variantName != "800" && variantName != "640"))
            return usage();
        const auto variant = variantName == "800" ? lv::skin::SkinVariant::Large : lv::skin::SkinVariant::Small;
        const QImage image = lv::skingen::RenderScreen(argv[2], screen, variant, argc == 7 ? std::atoi(argv[6]) : 0);
        if (image.isNull() || !image.save(QString::fromLocal8Bit(argv[5]))) {
            std::fprintf(stderr, "lv-skin-generator: cannot render screen %d\n", screen);
            return 1;
        }
        return 0;
    }
    return usage();
}
