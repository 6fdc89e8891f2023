#pragma once
// The system calls a video device is driven with, behind one seam so that tests can stand a
// scripted device in for a camera.

#include <cstddef>
#include <sys/types.h>

struct pollfd;

namespace lv::video {

class DeviceCalls {
public:
    virtual ~DeviceCalls() = default;
    virtual int open(const char* path, int flags) = 0;
    virtual int close(int fd) = 0;
    virtual int ioctl(int fd, unsigned long request, void* argument) = 0;
    virtual void* mmap(std::size_t length, int fd, off_t offset) = 0;  // shared, read and write
    virtual int munmap(void* start, std::size_t length) = 0;
    virtual int poll(pollfd* fds, int count, int timeoutMs) = 0;
};

// The real ones.
DeviceCalls& SystemDeviceCalls();

}  // namespace lv::video
