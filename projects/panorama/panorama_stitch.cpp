#include "projects/panorama/panorama_stitch.h"

#include "imagelib/codecs/picture_budget.h"
#include "imagelib/dib_alloc.h"

#include <opencv2/core.hpp>
#include <opencv2/stitching.hpp>
#include <opencv2/stitching/warpers.hpp>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

namespace lv::panorama {
namespace {

// Warped photos spill past their own area and the blender keeps several copies of the
// result; a result of the budget's size must leave room for both.
constexpr double kWarpSpill = 1.5;

Panorama Failed(std::string reason)
{
    Panorama failed;
    failed.failure = std::move(reason);
    return failed;
}

cv::Mat ToMat(const HDIB& photo)
{
    const int width = photo.width();
    const int height = photo.height();
    cv::Mat mat(height, width, CV_8UC3);
    for (int y = 0; y < height; ++y)  // the picture's rows run bottom-up
        std::memcpy(mat.ptr(y), photo.row(height - 1 - y), std::size_t(width) * 3);
    return mat;
}

HDIB ToPicture(const cv::Mat& mat)
{
    HDIB picture = AllocatePicture(mat.cols, mat.rows, 24, 0);
    if (!picture)
        return {};
    for (int y = 0; y < mat.rows; ++y)
        std::memcpy(picture.row(mat.rows - 1 - y), mat.ptr(y), std::size_t(mat.cols) * 3);
    return picture;
}

std::string ReasonFor(cv::Stitcher::Status status)
{
    switch (status) {
    case cv::Stitcher::OK:
        return {};
    case cv::Stitcher::ERR_NEED_MORE_IMGS:
        return kNoOverlapMessage;
    case cv::Stitcher::ERR_HOMOGRAPHY_EST_FAIL:
        return "Não foi possível alinhar as fotos: a parte comum entre elas tem poucos detalhes ou mudou de "
               "uma foto para outra.";
    case cv::Stitcher::ERR_CAMERA_PARAMS_ADJUST_FAIL:
        return "Não foi possível calcular a posição da câmera em cada foto. Tire as fotos girando a câmera "
               "sem sair do lugar.";
    }
    return "Não foi possível juntar as fotos.";
}

// Megapixels of each photo as composed: what the options and the picture budget allow,
// shared among the photos.
double ComposeMegapixelsPerPhoto(const std::vector<cv::Mat>& mats, const StitchOptions& options)
{
    const double budgetMegapixels = double(kPictureBudgetBytes) / 3.0 / kWarpSpill / 1e6;
    const double total = std::min(options.compositingMegapixels, budgetMegapixels);
    double inputMegapixels = 0;
    for (const cv::Mat& mat : mats)
        inputMegapixels += double(mat.total()) / 1e6;
    // The library scales every photo by one factor taken from the first; keep that factor.
    const double scale = std::min(1.0, total / inputMegapixels);
    return double(mats.front().total()) / 1e6 * scale;
}

Panorama Stitch(const std::vector<const HDIB*>& photos, const StitchOptions& options, const StitchProgress& progress)
{
    std::vector<cv::Mat> mats;
    mats.reserve(photos.size());
    for (const HDIB* photo : photos)
        mats.push_back(ToMat(*photo));
    progress(10);

    cv::Ptr<cv::Stitcher> stitcher = cv::Stitcher::create(cv::Stitcher::PANORAMA);
    stitcher->setWarper(cv::makePtr<cv::CylindricalWarper>());
    stitcher->setRegistrationResol(options.registrationMegapixels);
    stitcher->setCompositingResol(ComposeMegapixelsPerPhoto(mats, options));
    if (const auto status = stitcher->estimateTransform(mats); status != cv::Stitcher::OK)
        return Failed(ReasonFor(status));
    // A photo that matches none of the others is left out silently by the library.
    if (stitcher->component().size() != mats.size())
        return Failed(kNoOverlapMessage);
    progress(50);

    cv::Mat result;
    if (const auto status = stitcher->composePanorama(result); status != cv::Stitcher::OK)
        return Failed(ReasonFor(status));
    progress(90);
    if (result.type() != CV_8UC3)
        result.convertTo(result, CV_8UC3);
    cv::Mat mask = stitcher->resultMask().getMat(cv::ACCESS_READ);
    if (mask.size() != result.size())
        return Failed("O panorama saiu vazio.");

    Panorama panorama;
    panorama.picture = ToPicture(result);
    if (!panorama.picture)
        return Failed("O panorama ficaria grande demais para a memória.");
    panorama.coverage.resize(std::size_t(result.total()));
    for (int y = 0; y < mask.rows; ++y) {
        const std::uint8_t* row = mask.ptr<std::uint8_t>(y);
        std::transform(row, row + mask.cols, panorama.coverage.begin() + std::ptrdiff_t(y) * mask.cols,
                       [](std::uint8_t v) { return std::uint8_t(v != 0); });
    }
    progress(100);
    return panorama;
}

}  // namespace

Panorama StitchPhotos(const std::vector<const HDIB*>& photos, const StitchOptions& options,
                      const StitchProgress& progress)
{
    if (photos.size() < std::size_t(kMinPhotos))
        return Failed("Escolha pelo menos duas fotos para o panorama.");
    if (photos.size() > std::size_t(kMaxPhotos))
        return Failed("Um panorama junta no máximo 12 fotos.");
    for (const HDIB* photo : photos)
        if (!photo || !*photo || photo->bitCount() != 24)
            return Failed("Uma das fotos não pôde ser lida em cores.");
    const StitchProgress report = progress ? progress : [](int) {};
    try {
        return Stitch(photos, options, report);
    } catch (const std::bad_alloc&) {
        return Failed("Faltou memória para juntar as fotos.");
    } catch (const cv::Exception& e) {
        return Failed("Não foi possível juntar as fotos (erro " + std::to_string(e.code) + " na biblioteca de visão).");
    } catch (const std::exception&) {
        return Failed("Não foi possível juntar as fotos.");
    }
}

}  // namespace lv::panorama
