#include "acquire/video/capture_window.h"

#include "imagelib/dib.h"

#include <algorithm>
#include <cstring>

namespace lv::video {

CaptureWindow::CaptureWindow(const DriverCatalogue& catalogue)
    : catalogue_(catalogue)
{
}

bool CaptureWindow::driverConnect(int index)
{
    driverDisconnect();
    std::unique_ptr<CaptureDriver> driver = catalogue_.open(index);
    if (!driver || !driver->connect())
        return false;
    driver_ = std::move(driver);
    index_ = index;
    connectedAt_ = std::chrono::steady_clock::now();
    frames_ = dropped_ = 0;
    return true;
}

bool CaptureWindow::driverDisconnect()
{
    if (!driver_)
        return false;
    driver_->disconnect();
    driver_.reset();
    index_ = -1;
    return true;
}

bool CaptureWindow::driverGetCaps(CapDriverCaps& caps) const
{
    if (!driver_)
        return false;
    caps = {};
    caps.wDeviceIndex = std::uint32_t(index_);
    caps.fHasDlgVideoSource = !driver_->controls().empty();
    caps.fHasDlgVideoFormat = !driver_->formatOptions().empty();
    caps.fCaptureInitialized = true;
    return true;
}

bool CaptureWindow::getStatus(CapStatus& status) const
{
    if (!driver_)
        return false;
    const DeviceLayout layout = driver_->layout();
    status = {};
    status.uiImageWidth = std::uint32_t(layout.width);
    status.uiImageHeight = std::uint32_t(layout.height);
    status.dwCurrentVideoFrame = frames_;
    status.dwCurrentVideoFramesDropped = dropped_;
    return true;
}

std::uint32_t CaptureWindow::getVideoFormat(std::uint8_t* format, std::uint32_t size) const
{
    if (!driver_)
        return 0;
    // Every driver here delivers 24-bit rows, so the format is a bare header.
    const DeviceLayout layout = driver_->layout();
    BitmapInfoHeader header{};
    header.biSize = sizeof header;
    header.biWidth = layout.width;
    header.biHeight = layout.height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biSizeImage = std::uint32_t(DibStride(std::uint64_t(layout.width), 24) * std::uint64_t(layout.height));
    if (size == 0)
        return sizeof header;
    const std::uint32_t copied = std::min<std::uint32_t>(size, sizeof header);
    std::memcpy(format, &header, copied);
    return copied;
}

bool CaptureWindow::grabFrame(std::chrono::milliseconds wait)
{
    if (!driver_)
        return false;
    std::optional<std::vector<std::uint8_t>> frame = driver_->nextFrame(wait);
    if (!frame || frame->size() > 0xFFFFFFFFu) {
        ++dropped_;
        return false;
    }
    ++frames_;
    VideoHeader header;
    header.lpData = frame->data();
    header.dwBufferLength = header.dwBytesUsed = std::uint32_t(frame->size());
    header.dwTimeCaptured = std::uint32_t(
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - connectedAt_).count());
    return !callback_ || callback_(header);
}

bool CaptureWindow::dlgVideoSource(DriverDialogs& dialogs)
{
    // A driver without picture controls has no source dialog.
    return driver_ && !driver_->controls().empty() && dialogs.videoSource(*driver_);
}

bool CaptureWindow::dlgVideoFormat(DriverDialogs& dialogs)
{
    return driver_ && !driver_->formatOptions().empty() && dialogs.videoFormat(*driver_);
}

}  // namespace lv::video
