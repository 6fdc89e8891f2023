#include "output/print/printer_profile.h"

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

// Any driver description gives a profile the colour library accepts, or none with a reason.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string path = (std::getenv("TMPDIR") ? std::string(std::getenv("TMPDIR")) : std::string("/tmp")) + "/ppdXXXXXX";
    const int fd = ::mkstemp(path.data());
    if (fd < 0)
        return 0;
    const bool written = ::write(fd, data, size) == ssize_t(size);
    ::close(fd);
    if (written) {
        const lv::print::PrinterProfile profile = lv::print::PrinterProfileFromPpd(path);
        if (profile.note.empty())
            __builtin_trap();
    }
    ::unlink(path.c_str());
    return 0;
}
