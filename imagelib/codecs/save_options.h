#pragma once
// The process-wide choices of the Save-as options panel that the writers read.

namespace lv {

struct SaveOptions {
    int jpegQuality = 90;      // 1..100; JPEG and FlashPix writers, and the quality of WebP, AVIF, HEIC, JPEG XL
    bool lossless = false;     // WebP and JPEG XL
    bool compress = false;     // TIFF and Targa
    bool interlace = false;    // GIF
    bool transparent = false;  // GIF
    int threads = 1;           // TIFF with LZW: pieces coded at once; 0 for one per processor
};

SaveOptions& CurrentSaveOptions();

// Keeps a quality inside 1..100.
int ClampJpegQuality(int quality);

}  // namespace lv
