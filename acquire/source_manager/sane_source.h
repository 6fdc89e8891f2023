#pragma once
// A scanner device offered as a data source: its states (open 4, enabled 5, transfer ready
// 6, transferring 7), the capabilities the acquisition code negotiates, its dialog, its
// notifications, and native and buffered memory transfers.

#include "acquire/source_manager/sane_device.h"
#include "acquire/source_manager/scan_reader.h"
#include "acquire/source_manager/source_platform.h"
#include "acquire/twain_protocol.h"

#include <deque>
#include <memory>

namespace lv::twain {

inline constexpr int kStateOpen = 4;
inline constexpr int kStateEnabled = 5;
inline constexpr int kStateTransferReady = 6;
inline constexpr int kStateTransferring = 7;

class SaneSource final : private SourceDialogHost {
public:
    SaneSource(const TW_IDENTITY& identity, std::unique_ptr<SaneDevice> device, const SourcePlatform& platform);
    ~SaneSource() override;

    TW_UINT16 entry(TW_UINT32 group, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data);
    int state() const { return state_; }
    // The last failure's condition code, cleared by reading.
    TW_UINT16 takeCondition();
    const TW_IDENTITY& identity() const override { return identity_; }

private:
    // SourceDialogHost
    SaneDevice& device() override { return *device_; }
    void scanRequested() override;
    void closeRequested() override;

    TW_UINT16 fail(TW_UINT16 condition);
    TW_UINT16 capability(TW_UINT16 msg, TW_CAPABILITY& cap);
    TW_UINT16 setCapability(TW_CAPABILITY& cap);
    TW_UINT16 resetCapability(TW_CAPABILITY& cap);
    TW_UINT16 userInterface(TW_UINT16 msg, TW_USERINTERFACE& ui);
    TW_UINT16 processEvent(TW_EVENT& event);
    TW_UINT16 pendingTransfers(TW_UINT16 msg, TW_PENDINGXFERS& pending);
    TW_UINT16 setupMemoryTransfer(TW_SETUPMEMXFER& setup);
    TW_UINT16 imageInfo(TW_IMAGEINFO& info);
    TW_UINT16 imageLayout(TW_UINT16 msg, TW_IMAGELAYOUT& layout);
    TW_UINT16 memoryTransfer(TW_IMAGEMEMXFER& transfer);
    TW_UINT16 nativeTransfer(TW_HANDLE& handle);

    void notify(TW_UINT16 message);
    // Starts the device for the next picture unless it is started; false with the condition set.
    bool startPicture();
    void endPicture();
    double dotsPerInch() const;
    double unitsPerMillimetre() const;
    TW_UINT32 resolutionItem(double dpi) const;
    std::size_t estimatedRowBytes() const;
    bool feederSelected() const;

    TW_IDENTITY identity_;
    std::unique_ptr<SaneDevice> device_;
    const SourcePlatform& platform_;
    int state_ = kStateOpen;
    TW_UINT16 condition_ = TWCC_SUCCESS;
    std::deque<TW_UINT16> notifications_;
    std::unique_ptr<SourceDialog> dialog_;
    std::unique_ptr<ScanReader> reader_;
    bool pictureDone_ = false;  // the current picture was delivered whole
    TW_UINT16 pending_ = 0;
    double pictureDpi_ = 0;  // the resolution the current picture is scanned at

    TW_UINT16 transferMechanism_ = TWSX_NATIVE;
    TW_UINT16 units_ = TWUN_INCHES;
    TW_UINT16 pixelFlavor_ = TWPF_CHOCOLATE;
    TW_INT16 transferCount_ = -1;
};

}  // namespace lv::twain
