#pragma once
// The packed device-independent bitmap: a 40-byte information header, the colour table
// and bottom-up rows padded to four bytes, in one zeroed block owned by an HDIB.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace lv {

struct BitmapInfoHeader {
    std::uint32_t biSize;
    std::int32_t biWidth;
    std::int32_t biHeight;
    std::uint16_t biPlanes;
    std::uint16_t biBitCount;
    std::uint32_t biCompression;
    std::uint32_t biSizeImage;
    std::int32_t biXPelsPerMeter;
    std::int32_t biYPelsPerMeter;
    std::uint32_t biClrUsed;
    std::uint32_t biClrImportant;
};
static_assert(sizeof(BitmapInfoHeader) == 40, "the header is laid out byte for byte");

struct RgbQuad {
    std::uint8_t rgbBlue;
    std::uint8_t rgbGreen;
    std::uint8_t rgbRed;
    std::uint8_t rgbReserved;
};
static_assert(sizeof(RgbQuad) == 4);

enum ImageType : int {
    IMG_NONE = 0,
    IMG_GREY8 = 1,
    IMG_RGB24 = 2,
    IMG_PAL8 = 3,
    IMG_PAL4 = 4,
    IMG_MONO = 5,
};

inline constexpr std::size_t kDibHeaderSize = 40;
inline constexpr std::size_t kDibSpareBytes = 10;
// Pixel start of an 8-bit picture with a full table.
inline constexpr std::size_t kDib8PixelOffset = kDibHeaderSize + 256 * 4;
// Readers refuse dimensions above this and pictures whose rows would exceed kMaxPictureBytes.
inline constexpr std::int64_t kMaxPictureDimension = 65535;
inline constexpr std::uint64_t kMaxPictureBytes = 0x7FFF0000;

// Bytes per row, padded to a multiple of four.
constexpr std::uint64_t DibStride(std::uint64_t width, unsigned bitCount)
{
    return (width * bitCount + 31) / 32 * 4;
}

// Pixel x of a row of 1-, 2-, 4- or 8-bit pixels; the leftmost pixel of a byte is in its high bits.
inline unsigned PackedPixel(const std::uint8_t* row, int x, int bitCount)
{
    const unsigned bit = unsigned(x) * unsigned(bitCount);
    return (row[bit >> 3] >> (8 - bitCount - int(bit & 7))) & ((1u << bitCount) - 1);
}

// Adds pixel x to such a row whose bits for it are still zero.
inline void AddPackedPixel(std::uint8_t* row, int x, int bitCount, unsigned value)
{
    const unsigned bit = unsigned(x) * unsigned(bitCount);
    row[bit >> 3] |= std::uint8_t(value << (8 - bitCount - int(bit & 7)));
}

// Blue, green and red of a 16-bit (5-5-5) pixel word, each five bits shifted up to eight.
inline void WidenWord555(unsigned word, std::uint8_t* bgr)
{
    bgr[0] = std::uint8_t((word & 31) << 3);
    bgr[1] = std::uint8_t(((word >> 5) & 31) << 3);
    bgr[2] = std::uint8_t(((word >> 10) & 31) << 3);
}

// Resolution in the header is pixels per metre; files speak dots per inch.
constexpr std::int64_t PixelsPerMetreFromDpi(std::int64_t dpi)
{
    return dpi * 3937 / 100;
}
// Rounded to the nearest dot.
constexpr std::int64_t DpiFromPixelsPerMetre(std::int32_t pixelsPerMetre)
{
    return (std::int64_t(pixelsPerMetre) * 100 + 1968) / 3937;
}

// Owning handle of one packed-DIB block; null means "no picture". Move-only.
class HDIB {
public:
    HDIB() = default;
    HDIB(std::nullptr_t) {}

    // A zeroed block of exactly `bytes` bytes, or null when memory runs out. No message.
    static HDIB AllocateZeroed(std::size_t bytes);

    explicit operator bool() const { return bytes_ != nullptr; }
    bool operator==(std::nullptr_t) const { return bytes_ == nullptr; }

    std::uint8_t* data() { return bytes_.get(); }
    const std::uint8_t* data() const { return bytes_.get(); }
    std::size_t size() const { return size_; }

    BitmapInfoHeader& header() { return *reinterpret_cast<BitmapInfoHeader*>(bytes_.get()); }
    const BitmapInfoHeader& header() const { return *reinterpret_cast<const BitmapInfoHeader*>(bytes_.get()); }

    int width() const { return header().biWidth; }
    int height() const { return header().biHeight; }
    int bitCount() const { return header().biBitCount; }
    std::uint32_t clrUsed() const { return header().biClrUsed; }

    RgbQuad* colors() { return reinterpret_cast<RgbQuad*>(bytes_.get() + kDibHeaderSize); }
    const RgbQuad* colors() const { return reinterpret_cast<const RgbQuad*>(bytes_.get() + kDibHeaderSize); }

    std::size_t pixelOffset() const { return kDibHeaderSize + 4 * std::size_t(clrUsed()); }
    std::uint8_t* pixels() { return data() + pixelOffset(); }
    const std::uint8_t* pixels() const { return data() + pixelOffset(); }
    std::size_t stride() const { return std::size_t(DibStride(std::uint32_t(width()), unsigned(bitCount()))); }

    // Row `y` in memory order: row 0 is the bottom row of the picture.
    std::uint8_t* row(int y) { return pixels() + std::size_t(y) * stride(); }
    const std::uint8_t* row(int y) const { return pixels() + std::size_t(y) * stride(); }

    // Whether the block holds the header, the table and every row its header promises.
    bool hasValidLayout() const;

    // Resizes the block, keeping its bytes and zeroing new ones; false (and unchanged) on failure.
    bool resize(std::size_t bytes);

    void reset() { bytes_.reset(), size_ = 0; }

private:
    struct FreeDeleter {
        void operator()(std::uint8_t* p) const { std::free(p); }
    };
    std::unique_ptr<std::uint8_t[], FreeDeleter> bytes_;
    std::size_t size_ = 0;
};

}  // namespace lv
