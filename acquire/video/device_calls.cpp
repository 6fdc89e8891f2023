#include "acquire/video/device_calls.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/mman.h>
#include <unistd.h>

namespace lv::video {
namespace {

class System final : public DeviceCalls {
public:
    int open(const char* path, int flags) override { return ::open(path, flags); }
    int close(int fd) override { return ::close(fd); }
    int ioctl(int fd, unsigned long request, void* argument) override { return ::ioctl(fd, request, argument); }
    void* mmap(std::size_t length, int fd, off_t offset) override
    {
        return ::mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_SHARED, fd, offset);
    }
    int munmap(void* start, std::size_t length) override { return ::munmap(start, length); }
    int poll(pollfd* fds, int count, int timeoutMs) override { return ::poll(fds, nfds_t(count), timeoutMs); }
};

}  // namespace

DeviceCalls& SystemDeviceCalls()
{
    static System calls;
    return calls;
}

}  // namespace lv::video
