#include "imagelib/codecs/raw/libraw_stream.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <string>

namespace lv {
namespace {

// LibRaw scans single numbers from text headers; a longer run of digits is no number.
constexpr std::size_t kScanWindow = 63;

}  // namespace

LibRawSourceStream::LibRawSourceStream(ByteSource& source)
    : source_(source)
    , size_(source.size())
{
    source_.seek(0);
}

int LibRawSourceStream::read(void* destination, size_t itemBytes, size_t items)
{
    if (itemBytes == 0 || items == 0)
        return 0;
    const std::uint64_t wanted = std::min<std::uint64_t>(items, (size_ - std::min(size_, source_.position())) / itemBytes + 1);
    const std::size_t got = source_.read(destination, std::size_t(wanted * itemBytes));
    noteShortRead(got, std::size_t(wanted * itemBytes));
    return int(std::min<std::size_t>(got / itemBytes, INT_MAX));
}

void LibRawSourceStream::noteShortRead(std::size_t got, std::size_t wanted)
{
    // The file shrank underneath: it ends here now, so seeks and loops that wait for the end
    // see it instead of reading nothing forever.
    if (got < wanted && source_.position() < size_)
        size_ = source_.position();
}

int LibRawSourceStream::seek(INT64 offset, int whence)
{
    const auto size = INT64(size_);
    INT64 base = 0;
    if (whence == SEEK_CUR)
        base = tell();
    else if (whence == SEEK_END)
        base = size;
    else if (whence != SEEK_SET)
        return -1;
    // Compared before adding, so a hostile offset can't overflow.
    INT64 target = 0;
    if (offset < 0)
        target = offset < -base ? 0 : base + offset;
    else
        target = offset > size - base ? size : base + offset;
    return source_.seek(std::uint64_t(target)) ? 0 : -1;
}

int LibRawSourceStream::get_char()
{
    std::uint8_t byte = 0;
    const std::size_t got = source_.read(&byte, 1);
    noteShortRead(got, 1);
    return got == 1 ? byte : -1;
}

char* LibRawSourceStream::gets(char* line, int capacity)
{
    if (capacity <= 0)
        return nullptr;
    int length = 0;
    while (length < capacity - 1) {
        const int c = get_char();
        if (c < 0)
            break;
        line[length++] = char(c);
        if (c == '\n')
            break;
    }
    line[length] = '\0';
    return length ? line : nullptr;
}

int LibRawSourceStream::scanf_one(const char* format, void* value)
{
    const std::uint64_t start = source_.position();
    char text[kScanWindow + 1];
    const std::size_t got = source_.read(text, kScanWindow);
    text[got] = '\0';
    // %n says how far the conversion read, so the stream moves past the number only.
    const std::string counted = std::string(format) + "%n";
    int consumed = 0;
    const int converted = std::sscanf(text, counted.c_str(), value, &consumed);
    source_.seek(start + std::uint64_t(converted == 1 ? consumed : 0));
    return converted;
}

}  // namespace lv
