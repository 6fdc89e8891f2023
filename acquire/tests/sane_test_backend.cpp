#include "acquire/tests/sane_test_backend.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <unistd.h>

// The scanner backends' own allocations are kept until the process ends.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libsane\n";
}

namespace lv::testing {

std::filesystem::path UseSaneTestBackend(const std::map<std::string, std::string>& settings)
{
    static int serial = 0;
    const auto dir = std::filesystem::temp_directory_path() /
                     ("lv-sane-" + std::to_string(::getpid()) + "-" + std::to_string(++serial));
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "dll.conf") << "test\n";
    std::map<std::string, std::string> all = {{"number_of_devices", "2"}, {"test-picture", "\"Color pattern\""}, {"resolution", "50.0"}};
    for (const auto& [key, value] : settings)
        all[key] = value;
    std::ofstream conf(dir / "test.conf");
    for (const auto& [key, value] : all)
        conf << key << ' ' << value << '\n';
    conf.close();
    ::setenv("SANE_CONFIG_DIR", dir.c_str(), 1);
    // Programs the test starts (the command-line tool) carry the same suppressions.
    ::setenv("LSAN_OPTIONS", "suppressions=" LV_SOURCE_DIR "/app/tests/lsan.supp", 1);
    return dir;
}

std::optional<Pnm> ReadPnm(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    const std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::size_t at = 0;
    // Header fields separated by blanks, with "#" comments.
    const auto token = [&]() {
        std::string t;
        while (at < data.size()) {
            const char c = data[at];
            if (c == '#') {
                while (at < data.size() && data[at] != '\n')
                    ++at;
            } else if (std::isspace(static_cast<unsigned char>(c))) {
                if (!t.empty())
                    break;
                ++at;
            } else {
                t += c;
                ++at;
            }
        }
        return t;
    };
    Pnm pnm;
    const std::string magic = token();
    if (magic != "P4" && magic != "P5" && magic != "P6")
        return std::nullopt;
    pnm.width = std::atoi(token().c_str());
    pnm.height = std::atoi(token().c_str());
    if (magic == "P4") {
        pnm.bits = 1;
    } else if (std::atoi(token().c_str()) != 255) {
        return std::nullopt;
    }
    pnm.channels = magic == "P6" ? 3 : 1;
    ++at;  // the one blank after the header
    const std::size_t bytes = pnm.rowBytes() * std::size_t(pnm.height);
    if (at + bytes > data.size())
        return std::nullopt;
    pnm.rows.assign(data.begin() + std::ptrdiff_t(at), data.begin() + std::ptrdiff_t(at + bytes));
    return pnm;
}

std::optional<Pnm> ScanWithScanimage(const std::string& arguments)
{
    const auto out = std::filesystem::temp_directory_path() / ("lv-scanimage-" + std::to_string(::getpid()) + ".pnm");
    // scanimage now and then hangs in its exit after writing; the kill and one more try keep
    // an outside tool from holding the suite.
    const std::string command = "timeout -s KILL 30 scanimage -d test:0 --format=pnm " + arguments + " -o '"
                                + out.string() + "' 2>/dev/null";
    if (std::system(command.c_str()) != 0 && std::system(command.c_str()) != 0)
        return std::nullopt;
    auto pnm = ReadPnm(out);
    std::filesystem::remove(out);
    return pnm;
}

}  // namespace lv::testing
