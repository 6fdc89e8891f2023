#include "acquire/tests/sane_test_backend.h"

#include <cstdlib>
#include <fstream>
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

// scanimage's header: the magic, a comment line, the size and (but for one bit) 255.
std::optional<Pnm> ReadPnm(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    Pnm pnm;
    std::string magic, comment;
    in >> magic >> std::ws;
    while (in.peek() == '#' && std::getline(in, comment))
        in >> std::ws;
    int max = 255;
    in >> pnm.width >> pnm.height;
    if (magic == "P4")
        pnm.bits = 1;
    else
        in >> max;
    if (!in || (magic != "P4" && magic != "P5" && magic != "P6") || max != 255)
        return std::nullopt;
    pnm.channels = magic == "P6" ? 3 : 1;
    in.get();  // the one blank after the header
    pnm.rows.resize(pnm.rowBytes() * std::size_t(pnm.height));
    if (!in.read(reinterpret_cast<char*>(pnm.rows.data()), std::streamsize(pnm.rows.size())))
        return std::nullopt;
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
