#pragma once
// A scene painted on a cylinder around a camera, and the pinhole photos the camera takes of
// it when turned: what a panorama's photos are, with a known answer.

#include "imagelib/dib_alloc.h"

#include <opencv2/imgproc.hpp>

#include <cmath>
#include <cstring>

namespace lv::panorama::testing {

inline constexpr double kFocal = 900;  // pixels, of every view
inline constexpr int kViewWidth = 800;
inline constexpr int kViewHeight = 600;

inline cv::Mat Scene(unsigned seed, int width, int height)
{
    cv::RNG rng(seed);
    cv::Mat coarse(height / 16, width / 16, CV_8UC3);
    rng.fill(coarse, cv::RNG::UNIFORM, 40, 215);
    cv::Mat scene;
    cv::resize(coarse, scene, {width, height}, 0, 0, cv::INTER_CUBIC);
    for (int i = 0; i < width * height / 2500; ++i) {
        const cv::Point p(rng.uniform(0, width), rng.uniform(0, height));
        const cv::Scalar colour(rng.uniform(0, 256), rng.uniform(0, 256), rng.uniform(0, 256));
        if (i % 2)
            cv::rectangle(scene, p, p + cv::Point(rng.uniform(6, 40), rng.uniform(6, 40)), colour, cv::FILLED);
        else
            cv::circle(scene, p, rng.uniform(4, 20), colour, cv::FILLED, cv::LINE_AA);
    }
    cv::GaussianBlur(scene, scene, {3, 3}, 0.8);
    return scene;
}

// The photo a camera at the cylinder's axis takes looking at column `centre`, its exposure
// scaled by `gain`.
inline cv::Mat View(const cv::Mat& scene, double centre, double gain)
{
    const cv::Size size{kViewWidth, kViewHeight};
    const double focal = kFocal;
    cv::Mat mapX(size, CV_32F), mapY(size, CV_32F);
    for (int row = 0; row < size.height; ++row)
        for (int col = 0; col < size.width; ++col) {
            const double u = col - size.width / 2.0, v = row - size.height / 2.0;
            mapX.at<float>(row, col) = float(centre + focal * std::atan(u / focal));
            mapY.at<float>(row, col) = float(scene.rows / 2.0 + focal * v / std::hypot(u, focal));
        }
    cv::Mat view;
    cv::remap(scene, view, mapX, mapY, cv::INTER_LINEAR, cv::BORDER_REFLECT);
    view.convertTo(view, -1, gain);
    return view;
}

inline HDIB ToPicture(const cv::Mat& mat)
{
    HDIB picture = AllocatePicture(mat.cols, mat.rows, 24, 0);
    for (int y = 0; y < mat.rows; ++y)
        std::memcpy(picture.row(mat.rows - 1 - y), mat.ptr(y), std::size_t(mat.cols) * 3);
    return picture;
}

}  // namespace lv::panorama::testing
