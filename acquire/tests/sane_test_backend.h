#pragma once
// The scanner interface's test backend for tests: a configuration folder of the test's own
// that enables only that backend (so no real hardware is probed), and the same scan made by
// the interface's own command-line front end for comparison.

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace lv::testing {

// Points SANE_CONFIG_DIR at a fresh folder with "dll.conf" listing only "test" and a
// "test.conf" with the given settings over the backend's defaults. Takes effect at the next
// initialisation of the interface.
std::filesystem::path UseSaneTestBackend(const std::map<std::string, std::string>& settings);

struct Pnm {
    int width = 0, height = 0, channels = 1, bits = 8;
    std::vector<std::uint8_t> rows;  // as in the file: top row first, packed rows for one bit
    std::size_t rowBytes() const { return bits == 1 ? std::size_t(width + 7) / 8 : std::size_t(width) * channels; }
    const std::uint8_t* row(int y) const { return rows.data() + std::size_t(y) * rowBytes(); }
};

// Runs scanimage on device test:0 with the arguments; nothing when it is missing or fails.
std::optional<Pnm> ScanWithScanimage(const std::string& arguments);
std::optional<Pnm> ReadPnm(const std::filesystem::path& file);

}  // namespace lv::testing
