#include "acquire/video/video_capture.h"

#include <cstring>

namespace lv::video {
namespace {

// A driver that reports no size for its format gets the size of a header and a few entries.
constexpr std::uint32_t kDefaultFormatBytes = 44;

}  // namespace

std::string FitDescription(const std::string& text, std::size_t bytes)
{
    if (bytes == 0)
        return {};
    std::size_t length = std::min(text.size(), bytes - 1);
    // Step back over continuation bytes of a character the cut would split.
    if (length < text.size())
        while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80)
            --length;
    return text.substr(0, length);
}

VideoCapture::VideoCapture(DriverCatalogue& catalogue)
    : catalogue_(catalogue)
{
}

VideoCapture::~VideoCapture()
{
    close();
}

bool VideoCapture::listDrivers()
{
    catalogue_.refresh();
    drivers_.clear();
    for (int index = 0; index < kMaxCaptureDrivers; ++index)
        if (const auto description = catalogue_.description(index); description && !description->name.empty())
            drivers_.push_back(FitDescription(description->name));
    if (drivers_.empty()) {
        selected_ = -1;
        return false;
    }
    if (selected_ < 0 || selected_ >= int(drivers_.size()))
        selected_ = 0;
    return true;
}

void VideoCapture::createWindow()
{
    if (!window_)
        window_ = std::make_unique<CaptureWindow>(catalogue_);
}

bool VideoCapture::connect(int listIndex)
{
    createWindow();
    // The list position goes to the window as the driver's index.
    if (listIndex < 0 || !window_->driverConnect(listIndex))
        return false;
    window_->driverGetCaps(caps_);
    connected_ = true;
    connectedIndex_ = listIndex;
    readVideoFormat();
    if (callbackInstalled_)
        window_->setCallbackOnFrame([this](const VideoHeader& header) { return frameArrived(header); });
    return true;
}

void VideoCapture::disconnect()
{
    if (window_)
        window_->driverDisconnect();
    connected_ = false;
    connectedIndex_ = -1;
    formatRead_ = false;
}

bool VideoCapture::readVideoFormat()
{
    if (!window_ || !window_->getStatus(status_))
        return false;
    std::uint32_t size = window_->getVideoFormat(nullptr, 0);
    if (size == 0)
        size = kDefaultFormatBytes;
    format_.assign(size, 0);
    window_->getVideoFormat(format_.data(), size);
    formatRead_ = true;
    return true;
}

bool VideoCapture::start()
{
    createWindow();
    if (!connected_ && !connect(selected_))
        return false;
    window_->setCallbackOnFrame([this](const VideoHeader& header) { return frameArrived(header); });
    callbackInstalled_ = true;
    return true;
}

bool VideoCapture::frameArrived(const VideoHeader& header)
{
    if (format_.size() < sizeof(BitmapInfoHeader))
        return false;
    BitmapInfoHeader info;
    std::memcpy(&info, format_.data(), sizeof info);
    // A frame shorter than the format promises would leave rows outside the block.
    if (header.dwBytesUsed < info.biSizeImage)
        return false;
    HDIB picture = HDIB::AllocateZeroed(format_.size() + header.dwBytesUsed);
    if (!picture)
        return false;
    std::memcpy(picture.data(), format_.data(), format_.size());
    std::memcpy(picture.data() + format_.size(), header.lpData, header.dwBytesUsed);
    frame_ = std::move(picture);
    frameReady_ = true;
    return true;
}

HDIB VideoCapture::grab(std::chrono::milliseconds wait)
{
    if (!window_ || !connected_)
        return nullptr;
    if (!formatRead_)
        readVideoFormat();
    if (!window_->grabFrame(wait) || !frameReady_)
        return nullptr;
    frameReady_ = false;
    return std::move(frame_);
}

void VideoCapture::stop()
{
    if (window_)
        window_->setCallbackOnFrame(nullptr);
    callbackInstalled_ = false;
    frame_.reset();
    frameReady_ = false;
    format_.clear();
    disconnect();
}

void VideoCapture::close()
{
    stop();
    window_.reset();
}

bool VideoCapture::sourceDialog(DriverDialogs& dialogs)
{
    if (!window_ || !window_->dlgVideoSource(dialogs))
        return false;
    readVideoFormat();
    return true;
}

bool VideoCapture::formatDialog(DriverDialogs& dialogs)
{
    if (!window_ || !window_->dlgVideoFormat(dialogs))
        return false;
    readVideoFormat();
    return true;
}

}  // namespace lv::video
