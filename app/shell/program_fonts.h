#pragma once

namespace lv::app {

// Points fontconfig at the program folder's "fonts.conf", which maps the font names of the
// program's screens ("Arial", "Times New Roman", "Small Fonts") onto the metric-compatible
// fonts installed with it. Runs before Qt starts; a FONTCONFIG_FILE already set is kept.
void UseProgramFonts();

}  // namespace lv::app
