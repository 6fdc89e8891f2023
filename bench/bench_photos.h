#pragma once
// The 200 photo-like 3000 × 2000 JPEGs the album benchmarks read, made once and kept between
// runs (delete the folder to make them again).

#include "bench_support.h"
#include "imagelib/jpeg.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace lv::bench {

inline const std::vector<std::string>& AlbumBenchPhotos()
{
    static const std::vector<std::string> paths = [] {
        namespace fs = std::filesystem;
        const fs::path folder = fs::temp_directory_path() / "lvbench-album-photos";
        fs::create_directories(folder);
        std::vector<std::string> out;
        HDIB base;
        for (int i = 0; i < 200; ++i) {
            const std::string path = (folder / ("photo" + std::to_string(1000 + i) + ".jpg")).string();
            out.push_back(path);
            if (fs::exists(path))
                continue;
            if (!base)
                base = MakePhoto(3000, 2000);
            // Each photo a little different: a lighter band that moves down the picture.
            HDIB photo = DibDuplicate(base);
            for (int y = (i * 37) % 1800; y < (i * 37) % 1800 + 200; ++y)
                for (std::size_t b = 0; b < photo.stride(); ++b)
                    photo.row(y)[b] = std::uint8_t(std::min(255, photo.row(y)[b] + 40));
            WriteJpeg(path, photo, 90);
        }
        return out;
    }();
    return paths;
}

}  // namespace lv::bench
