#pragma once
// Where the scanner interface reads its configuration from.

namespace lv::twain {

inline constexpr const char* kSystemScannerConfigurationFolder = "/etc/sane.d";

// Unless the user chose a folder, points the scanner interface at the system's: left to
// itself it reads "dll.conf", "dll.d/" and every backend's file from the current folder
// first, so a file in the folder the program started from would choose the backends. The
// folder is named without a trailing ':', which would bring back the current folder.
// Called before the interface starts.
void UseSystemScannerConfigurationUnlessChosen();

}  // namespace lv::twain
