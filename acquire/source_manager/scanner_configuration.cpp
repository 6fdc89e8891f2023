#include "acquire/source_manager/scanner_configuration.h"

#include <cstdlib>

namespace lv::twain {

void UseSystemScannerConfigurationUnlessChosen()
{
    const char* chosen = std::getenv("SANE_CONFIG_DIR");
    if (chosen && *chosen)
        return;
    ::setenv("SANE_CONFIG_DIR", kSystemScannerConfigurationFolder, 1);
}

}  // namespace lv::twain
