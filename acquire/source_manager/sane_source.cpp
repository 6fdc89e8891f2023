#include "acquire/source_manager/sane_source.h"

#include "acquire/source_manager/containers.h"
#include "acquire/source_manager/scan_modes.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace lv::twain {
namespace {

constexpr std::size_t kPreferredStripBytes = 256 * 1024;
constexpr TW_INT32 kQueryGet = 0x01, kQuerySet = 0x02, kQueryGetDefault = 0x04, kQueryGetCurrent = 0x08,
                   kQueryReset = 0x10;

constexpr TW_UINT16 kSupportedCaps[] = {CAP_XFERCOUNT,     ICAP_COMPRESSION,   ICAP_PIXELTYPE,    ICAP_UNITS,
                                        ICAP_XFERMECH,     CAP_SUPPORTEDCAPS,  CAP_UICONTROLLABLE, ICAP_PHYSICALWIDTH,
                                        ICAP_PHYSICALHEIGHT, ICAP_XRESOLUTION, ICAP_YRESOLUTION,  ICAP_PIXELFLAVOR,
                                        ICAP_BITDEPTH};

bool IsSupported(TW_UINT16 cap)
{
    return std::find(std::begin(kSupportedCaps), std::end(kSupportedCaps), cap) != std::end(kSupportedCaps);
}

bool IsEnumerated(TW_UINT16 cap)
{
    return cap == ICAP_XFERMECH || cap == ICAP_UNITS || cap == ICAP_PIXELFLAVOR || cap == ICAP_PIXELTYPE;
}

}  // namespace

SaneSource::SaneSource(const TW_IDENTITY& identity, std::unique_ptr<SaneDevice> device, const SourcePlatform& platform)
    : identity_(identity)
    , device_(std::move(device))
    , platform_(platform)
{
}

SaneSource::~SaneSource()
{
    reader_.reset();
    dialog_.reset();
}

TW_UINT16 SaneSource::fail(TW_UINT16 condition)
{
    condition_ = condition;
    return TWRC_FAILURE;
}

TW_UINT16 SaneSource::takeCondition()
{
    return std::exchange(condition_, TWCC_SUCCESS);
}

TW_UINT16 SaneSource::entry(TW_UINT32 group, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data)
{
    if (!data)
        return fail(TWCC_BADVALUE);
    if (group == DG_CONTROL) {
        switch (dat) {
        case DAT_CAPABILITY:
            return capability(msg, *static_cast<TW_CAPABILITY*>(data));
        case DAT_USERINTERFACE:
            return userInterface(msg, *static_cast<TW_USERINTERFACE*>(data));
        case DAT_EVENT:
            if (msg != MSG_PROCESSEVENT)
                return fail(TWCC_BADPROTOCOL);
            return processEvent(*static_cast<TW_EVENT*>(data));
        case DAT_PENDINGXFERS:
            return pendingTransfers(msg, *static_cast<TW_PENDINGXFERS*>(data));
        case DAT_SETUPMEMXFER:
            if (msg != MSG_GET)
                return fail(TWCC_BADPROTOCOL);
            return setupMemoryTransfer(*static_cast<TW_SETUPMEMXFER*>(data));
        default:
            return fail(TWCC_BADPROTOCOL);
        }
    }
    if (group == DG_IMAGE) {
        switch (dat) {
        case DAT_IMAGEINFO:
            if (msg != MSG_GET)
                return fail(TWCC_BADPROTOCOL);
            return imageInfo(*static_cast<TW_IMAGEINFO*>(data));
        case DAT_IMAGELAYOUT:
            return imageLayout(msg, *static_cast<TW_IMAGELAYOUT*>(data));
        case DAT_IMAGEMEMXFER:
            if (msg != MSG_GET)
                return fail(TWCC_BADPROTOCOL);
            return memoryTransfer(*static_cast<TW_IMAGEMEMXFER*>(data));
        case DAT_IMAGENATIVEXFER:
            if (msg != MSG_GET)
                return fail(TWCC_BADPROTOCOL);
            return nativeTransfer(*static_cast<TW_HANDLE*>(data));
        default:
            return fail(TWCC_BADPROTOCOL);
        }
    }
    return fail(TWCC_BADPROTOCOL);
}

// --- Capabilities -----------------------------------------------------------------------

double SaneSource::dotsPerInch() const
{
    return device_->number("resolution").value_or(0.0);
}

double SaneSource::unitsPerMillimetre() const
{
    return units_ == TWUN_CENTIMETERS ? 0.1 : 1.0 / 25.4;
}

TW_UINT32 SaneSource::resolutionItem(double dpi) const
{
    return ItemFromFix32(DoubleToFix32(units_ == TWUN_CENTIMETERS ? dpi / 2.54 : dpi));
}

TW_UINT16 SaneSource::capability(TW_UINT16 msg, TW_CAPABILITY& cap)
{
    if (state_ < kStateOpen)
        return fail(TWCC_SEQERROR);
    if (!IsSupported(cap.Cap))
        return fail(TWCC_CAPUNSUPPORTED);
    if (msg == MSG_SET)
        return setCapability(cap);
    if (msg == MSG_RESET)
        return resetCapability(cap);
    if (msg == MSG_QUERYSUPPORT) {
        const bool settable = cap.Cap != CAP_SUPPORTEDCAPS && cap.Cap != CAP_UICONTROLLABLE && cap.Cap != ICAP_BITDEPTH &&
                              cap.Cap != ICAP_PHYSICALWIDTH && cap.Cap != ICAP_PHYSICALHEIGHT;
        const TW_INT32 ops = kQueryGet | kQueryGetCurrent | kQueryGetDefault | (settable ? kQuerySet | kQueryReset : 0);
        cap.ConType = TWON_ONEVALUE;
        cap.hContainer = MakeOneValue(TWTY_INT32, TW_UINT32(ops));
        return cap.hContainer ? TWRC_SUCCESS : fail(TWCC_LOWMEMORY);
    }
    if (msg != MSG_GET && msg != MSG_GETCURRENT && msg != MSG_GETDEFAULT)
        return fail(TWCC_CAPBADOPERATION);

    // Current and default values, and the whole container for MSG_GET.
    TW_UINT16 type = TWTY_UINT16;
    TW_UINT32 current = 0, def = 0;
    std::vector<TW_UINT32> items;
    switch (cap.Cap) {
    case ICAP_XFERMECH:
        current = transferMechanism_, def = TWSX_NATIVE, items = {TWSX_NATIVE, TWSX_MEMORY};
        break;
    case ICAP_UNITS:
        current = units_, def = TWUN_INCHES, items = {TWUN_INCHES, TWUN_CENTIMETERS};
        break;
    case ICAP_PIXELFLAVOR:
        current = pixelFlavor_, def = TWPF_CHOCOLATE, items = {TWPF_CHOCOLATE, TWPF_VANILLA};
        break;
    case ICAP_PIXELTYPE: {
        for (const ModeSetting& s : PixelTypeSettings(*device_))
            items.push_back(s.pixelType);
        if (items.empty())
            return fail(TWCC_OPERATIONERROR);
        current = CurrentPixelType(*device_).value_or(items.front());
        def = items.back();
        break;
    }
    case ICAP_BITDEPTH:
        current = def = CurrentPixelType(*device_).value_or(TWPT_RGB) == TWPT_BW ? 1 : 8;
        break;
    case ICAP_COMPRESSION:
        current = def = TWCP_NONE;
        break;
    case CAP_UICONTROLLABLE:
        type = TWTY_BOOL, current = def = 1;
        break;
    case CAP_XFERCOUNT:
        type = TWTY_INT16, current = TW_UINT16(transferCount_), def = TW_UINT16(-1);
        break;
    case CAP_SUPPORTEDCAPS:
        cap.ConType = TWON_ARRAY;
        cap.hContainer = MakeArray(TWTY_UINT16, std::vector<TW_UINT32>(std::begin(kSupportedCaps), std::end(kSupportedCaps)));
        return cap.hContainer ? TWRC_SUCCESS : fail(TWCC_LOWMEMORY);
    case ICAP_PHYSICALWIDTH:
    case ICAP_PHYSICALHEIGHT: {
        const NumberChoices extent = device_->numberChoices(cap.Cap == ICAP_PHYSICALWIDTH ? "br-x" : "br-y");
        const double mm = extent.isRange ? extent.max : extent.values.empty() ? 0.0 : extent.values.back();
        type = TWTY_FIX32, current = def = ItemFromFix32(DoubleToFix32(mm * unitsPerMillimetre()));
        break;
    }
    case ICAP_XRESOLUTION:
    case ICAP_YRESOLUTION: {
        type = TWTY_FIX32;
        current = resolutionItem(dotsPerInch());
        const NumberChoices choices = device_->numberChoices("resolution");
        def = resolutionItem(choices.isRange ? std::clamp(300.0, choices.min, choices.max)
                                             : choices.values.empty() ? dotsPerInch() : choices.values.front());
        if (msg == MSG_GET && choices.isRange) {
            cap.ConType = TWON_RANGE;
            cap.hContainer = MakeRange(type, resolutionItem(choices.min), resolutionItem(choices.max),
                                       resolutionItem(choices.step > 0 ? choices.step : 1.0), def, current);
            return cap.hContainer ? TWRC_SUCCESS : fail(TWCC_LOWMEMORY);
        }
        for (const double v : choices.values)
            items.push_back(resolutionItem(v));
        break;
    }
    default:
        return fail(TWCC_CAPUNSUPPORTED);
    }
    if (msg == MSG_GET && (IsEnumerated(cap.Cap) || !items.empty())) {
        cap.ConType = TWON_ENUMERATION;
        cap.hContainer = MakeEnumeration(type, items, current, def);
    } else {
        cap.ConType = TWON_ONEVALUE;
        cap.hContainer = MakeOneValue(type, msg == MSG_GETDEFAULT ? def : current);
    }
    return cap.hContainer ? TWRC_SUCCESS : fail(TWCC_LOWMEMORY);
}

TW_UINT16 SaneSource::setCapability(TW_CAPABILITY& cap)
{
    // Capabilities are negotiated before the source is enabled.
    if (state_ != kStateOpen)
        return fail(TWCC_SEQERROR);
    const auto item = RequestedItem(cap);
    if (!item)
        return fail(TWCC_BADVALUE);
    const TW_UINT32 v = *item;
    switch (cap.Cap) {
    case ICAP_XFERMECH:
        if (v != TWSX_NATIVE && v != TWSX_MEMORY)
            return fail(TWCC_BADVALUE);
        transferMechanism_ = TW_UINT16(v);
        return TWRC_SUCCESS;
    case ICAP_UNITS:
        if (v != TWUN_INCHES && v != TWUN_CENTIMETERS)
            return fail(TWCC_BADVALUE);
        units_ = TW_UINT16(v);
        return TWRC_SUCCESS;
    case ICAP_PIXELFLAVOR:
        if (v != TWPF_CHOCOLATE && v != TWPF_VANILLA)
            return fail(TWCC_BADVALUE);
        pixelFlavor_ = TW_UINT16(v);
        return TWRC_SUCCESS;
    case ICAP_PIXELTYPE:
        return ApplyPixelType(*device_, TW_UINT16(v)) ? TWRC_SUCCESS : fail(TWCC_BADVALUE);
    case ICAP_XRESOLUTION:
    case ICAP_YRESOLUTION: {
        double dpi = Fix32ToDouble(Fix32FromItem(v));
        if (units_ == TWUN_CENTIMETERS)
            dpi *= 2.54;
        if (dpi <= 0 || !device_->setNumber("resolution", dpi))
            return fail(TWCC_BADVALUE);
        // Close to what was asked: the device may round.
        const double got = dotsPerInch();
        return std::abs(got - dpi) < 0.5 ? TWRC_SUCCESS : TWRC_CHECKSTATUS;
    }
    case CAP_XFERCOUNT:
        if (TW_INT16(v) == 0 || TW_INT16(v) < -1)
            return fail(TWCC_BADVALUE);
        transferCount_ = TW_INT16(v);
        return TWRC_SUCCESS;
    case ICAP_COMPRESSION:
        return v == TWCP_NONE ? TWRC_SUCCESS : fail(TWCC_BADVALUE);
    default:
        return fail(TWCC_CAPBADOPERATION);
    }
}

TW_UINT16 SaneSource::resetCapability(TW_CAPABILITY& cap)
{
    if (state_ != kStateOpen)
        return fail(TWCC_SEQERROR);
    switch (cap.Cap) {
    case ICAP_XFERMECH:
        transferMechanism_ = TWSX_NATIVE;
        break;
    case ICAP_UNITS:
        units_ = TWUN_INCHES;
        break;
    case ICAP_PIXELFLAVOR:
        pixelFlavor_ = TWPF_CHOCOLATE;
        break;
    case CAP_XFERCOUNT:
        transferCount_ = -1;
        break;
    case ICAP_COMPRESSION:
        break;
    default:
        return fail(TWCC_CAPBADOPERATION);
    }
    return capability(MSG_GETCURRENT, cap);
}

// --- User interface and notifications ----------------------------------------------------

TW_UINT16 SaneSource::userInterface(TW_UINT16 msg, TW_USERINTERFACE& ui)
{
    if (msg == MSG_ENABLEDS) {
        if (state_ != kStateOpen)
            return fail(TWCC_SEQERROR);
        if (ui.ShowUI) {
            if (!platform_.showSourceDialog)
                return fail(TWCC_OPERATIONERROR);
            dialog_ = platform_.showSourceDialog(*this, ui.hParent);
            if (!dialog_)
                return fail(TWCC_OPERATIONERROR);
            state_ = kStateEnabled;
        } else {
            // Without its dialog the source scans at once with the negotiated settings.
            state_ = kStateEnabled;
            notify(MSG_XFERREADY);
        }
        return TWRC_SUCCESS;
    }
    if (msg == MSG_DISABLEDS) {
        if (state_ != kStateEnabled)
            return fail(TWCC_SEQERROR);
        dialog_.reset();
        notifications_.clear();
        state_ = kStateOpen;
        return TWRC_SUCCESS;
    }
    return fail(TWCC_BADPROTOCOL);
}

void SaneSource::notify(TW_UINT16 message)
{
    notifications_.push_back(message);
    if (platform_.pump)
        platform_.pump->wake();
}

void SaneSource::scanRequested()
{
    if (state_ == kStateEnabled)
        notify(MSG_XFERREADY);
}

void SaneSource::closeRequested()
{
    if (state_ >= kStateEnabled)
        notify(MSG_CLOSEDSREQ);
}

TW_UINT16 SaneSource::processEvent(TW_EVENT& event)
{
    event.TWMessage = MSG_NULL;
    if (state_ < kStateEnabled)
        return fail(TWCC_SEQERROR);
    const bool wake = platform_.pump && event.pEvent && platform_.pump->isWake(event.pEvent);
    // A null event is a poll from a loop without a desktop; other events are the application's.
    if (event.pEvent && !wake)
        return TWRC_NOTDSEVENT;
    if (notifications_.empty())
        return wake ? TWRC_DSEVENT : TWRC_NOTDSEVENT;
    const TW_UINT16 message = notifications_.front();
    // A transfer is announced only while the source waits for one.
    if (message == MSG_XFERREADY && state_ != kStateEnabled)
        return wake ? TWRC_DSEVENT : TWRC_NOTDSEVENT;
    notifications_.pop_front();
    if (message == MSG_XFERREADY) {
        state_ = kStateTransferReady;
        pending_ = TW_UINT16(-1);
        pictureDone_ = false;
        if (dialog_)
            dialog_->setBusy(true);
    }
    event.TWMessage = message;
    return TWRC_DSEVENT;
}

// --- Transfers -----------------------------------------------------------------------------

bool SaneSource::feederSelected() const
{
    const std::string source = device_->text("source").value_or("");
    return source.find("ADF") != std::string::npos || source.find("Feeder") != std::string::npos ||
           source.find("feeder") != std::string::npos;
}

bool SaneSource::startPicture()
{
    if (reader_)
        return true;
    if (pictureDone_) {
        condition_ = TWCC_SEQERROR;
        return false;
    }
    // Devices may refuse to tell their settings while they scan.
    pictureDpi_ = dotsPerInch();
    SANE_Status status = SANE_STATUS_GOOD;
    reader_ = ScanReader::Start(*device_, pixelFlavor_ == TWPF_VANILLA, status);
    if (!reader_) {
        condition_ = status == SANE_STATUS_NO_MEM ? TWCC_LOWMEMORY : TWCC_OPERATIONERROR;
        // Nothing can come: the source waits for the user again, so it can be disabled.
        state_ = kStateEnabled;
        pending_ = 0;
        if (dialog_)
            dialog_->setBusy(false);
        return false;
    }
    return true;
}

void SaneSource::endPicture()
{
    reader_.reset();
    pictureDone_ = false;
}

std::size_t SaneSource::estimatedRowBytes() const
{
    if (reader_)
        return reader_->format().rowBytes;
    SANE_Parameters p{};
    ScanFormat format;
    if (sane_get_parameters(device_->handle(), &p) != SANE_STATUS_GOOD || !FormatOfParameters(p, false, format))
        return 4;
    return format.rowBytes;
}

TW_UINT16 SaneSource::pendingTransfers(TW_UINT16 msg, TW_PENDINGXFERS& pending)
{
    pending.EOJ = 0;
    switch (msg) {
    case MSG_GET:
        pending.Count = state_ >= kStateTransferReady ? pending_ : 0;
        return TWRC_SUCCESS;
    case MSG_ENDXFER: {
        if (state_ < kStateTransferReady)
            return fail(TWCC_SEQERROR);
        endPicture();
        pending_ = 0;
        // A feeder goes on while it has pages; a flatbed has one.
        if (feederSelected() && transferCount_ != 1) {
            SANE_Status status = SANE_STATUS_GOOD;
            pictureDpi_ = dotsPerInch();
            reader_ = ScanReader::Start(*device_, pixelFlavor_ == TWPF_VANILLA, status);
            if (reader_)
                pending_ = TW_UINT16(-1);
        }
        pending.Count = pending_;
        state_ = pending_ ? kStateTransferReady : kStateEnabled;
        if (!pending_ && dialog_)
            dialog_->setBusy(false);
        return TWRC_SUCCESS;
    }
    case MSG_RESET:
        if (state_ != kStateTransferReady)
            return fail(TWCC_SEQERROR);
        endPicture();
        pending_ = 0;
        pending.Count = 0;
        state_ = kStateEnabled;
        if (dialog_)
            dialog_->setBusy(false);
        return TWRC_SUCCESS;
    default:
        return fail(TWCC_BADPROTOCOL);
    }
}

TW_UINT16 SaneSource::setupMemoryTransfer(TW_SETUPMEMXFER& setup)
{
    if (state_ < kStateOpen || state_ > kStateTransferReady)
        return fail(TWCC_SEQERROR);
    const std::size_t row = std::max<std::size_t>(estimatedRowBytes(), 4);
    setup.MinBufSize = TW_UINT32(row);
    setup.MaxBufSize = 0xFFFFFFFFu;
    setup.Preferred = TW_UINT32(std::max<std::size_t>(1, kPreferredStripBytes / row) * row);
    return TWRC_SUCCESS;
}

TW_UINT16 SaneSource::imageInfo(TW_IMAGEINFO& info)
{
    if (state_ != kStateTransferReady && state_ != kStateTransferring)
        return fail(TWCC_SEQERROR);
    if (!startPicture())
        return TWRC_FAILURE;
    const ScanFormat& f = reader_->format();
    std::memset(&info, 0, sizeof info);
    const TW_FIX32 resolution = Fix32FromItem(resolutionItem(pictureDpi_));
    info.XResolution = info.YResolution = resolution;
    info.ImageWidth = f.width;
    info.ImageLength = f.height;
    info.SamplesPerPixel = f.pixelType == TWPT_RGB ? 3 : 1;
    for (int i = 0; i < info.SamplesPerPixel; ++i)
        info.BitsPerSample[i] = TW_INT16(f.pixelType == TWPT_BW ? 1 : 8);
    info.BitsPerPixel = TW_INT16(f.bitsPerPixel);
    info.Planar = 0;
    info.PixelType = TW_INT16(f.pixelType);
    info.Compression = TWCP_NONE;
    return TWRC_SUCCESS;
}

TW_UINT16 SaneSource::imageLayout(TW_UINT16 msg, TW_IMAGELAYOUT& layout)
{
    static constexpr const char* kEdges[4] = {"tl-x", "tl-y", "br-x", "br-y"};
    const bool hasArea = device_->unit("br-x") == SANE_UNIT_MM && device_->has("br-y");
    if (msg == MSG_GET || msg == MSG_GETCURRENT || msg == MSG_GETDEFAULT || msg == MSG_RESET) {
        if (state_ < kStateOpen)
            return fail(TWCC_SEQERROR);
        if (msg == MSG_RESET) {
            if (state_ != kStateOpen)
                return fail(TWCC_SEQERROR);
            for (int i = 0; i < 4; ++i) {
                const NumberChoices c = device_->numberChoices(kEdges[i]);
                device_->setNumber(kEdges[i], i < 2 ? c.min : c.max);
            }
        }
        double edges[4] = {0, 0, 0, 0};
        for (int i = 0; i < 4 && hasArea; ++i) {
            const NumberChoices c = device_->numberChoices(kEdges[i]);
            edges[i] = msg == MSG_GETDEFAULT ? (i < 2 ? c.min : c.max) : device_->number(kEdges[i]).value_or(0.0);
        }
        const double k = unitsPerMillimetre();
        layout.Frame = TW_FRAME{DoubleToFix32(edges[0] * k), DoubleToFix32(edges[1] * k), DoubleToFix32(edges[2] * k),
                                DoubleToFix32(edges[3] * k)};
        layout.DocumentNumber = layout.PageNumber = layout.FrameNumber = 1;
        return TWRC_SUCCESS;
    }
    if (msg == MSG_SET) {
        if (state_ != kStateOpen)
            return fail(TWCC_SEQERROR);
        if (!hasArea)
            return fail(TWCC_BADPROTOCOL);
        const double k = unitsPerMillimetre();
        const double edges[4] = {Fix32ToDouble(layout.Frame.Left) / k, Fix32ToDouble(layout.Frame.Top) / k,
                                 Fix32ToDouble(layout.Frame.Right) / k, Fix32ToDouble(layout.Frame.Bottom) / k};
        if (edges[2] <= edges[0] || edges[3] <= edges[1])
            return fail(TWCC_BADVALUE);
        // Far corner first, so the area never turns inside out on the way.
        bool ok = device_->setNumber("br-x", edges[2]) && device_->setNumber("br-y", edges[3]);
        ok = ok && device_->setNumber("tl-x", edges[0]) && device_->setNumber("tl-y", edges[1]);
        return ok ? TWRC_SUCCESS : fail(TWCC_BADVALUE);
    }
    return fail(TWCC_BADPROTOCOL);
}

TW_UINT16 SaneSource::memoryTransfer(TW_IMAGEMEMXFER& transfer)
{
    if (state_ != kStateTransferReady && state_ != kStateTransferring)
        return fail(TWCC_SEQERROR);
    if (!startPicture())
        return TWRC_FAILURE;
    const ScanFormat& f = reader_->format();
    if (reader_->rowsLeft() <= 0)
        return fail(TWCC_SEQERROR);
    if (!transfer.Memory.TheMem || !(transfer.Memory.Flags & TWMF_APPOWNS))
        return fail(TWCC_BADVALUE);
    const std::size_t fit = transfer.Memory.Length / f.rowBytes;
    if (fit == 0)
        return fail(TWCC_BADVALUE);
    const int rows = int(std::min<std::size_t>(fit, std::size_t(reader_->rowsLeft())));
    transfer.Compression = TWCP_NONE;
    transfer.BytesPerRow = TW_UINT32(f.rowBytes);
    transfer.Columns = TW_UINT32(f.width);
    transfer.Rows = TW_UINT32(rows);
    transfer.XOffset = 0;
    transfer.YOffset = TW_UINT32(reader_->rowsDone());
    transfer.BytesWritten = 0;
    state_ = kStateTransferring;
    if (!reader_->read(static_cast<std::uint8_t*>(transfer.Memory.TheMem), rows, f.rowBytes)) {
        reader_.reset();
        state_ = kStateTransferReady;
        pictureDone_ = true;
        return fail(TWCC_OPERATIONERROR);
    }
    transfer.BytesWritten = TW_UINT32(std::size_t(rows) * f.rowBytes);
    if (reader_->rowsLeft() > 0)
        return TWRC_SUCCESS;
    reader_.reset();
    pictureDone_ = true;
    return TWRC_XFERDONE;
}

TW_UINT16 SaneSource::nativeTransfer(TW_HANDLE& handle)
{
    handle = nullptr;
    if (state_ != kStateTransferReady || pictureDone_)
        return fail(TWCC_SEQERROR);
    if (!startPicture())
        return TWRC_FAILURE;
    const ScanFormat f = reader_->format();
    const std::size_t colours = f.pixelType == TWPT_BW ? 2 : f.pixelType == TWPT_GRAY ? 256 : 0;
    const std::size_t offset = 40 + 4 * colours;
    const std::size_t image = f.rowBytes * std::size_t(f.height);
    auto* block = static_cast<std::uint8_t*>(std::calloc(1, offset + image));
    if (!block) {
        reader_.reset();
        pictureDone_ = true;
        return fail(TWCC_LOWMEMORY);
    }
    const auto put32 = [block](std::size_t at, std::uint32_t v) { std::memcpy(block + at, &v, 4); };
    const auto put16 = [block](std::size_t at, std::uint16_t v) { std::memcpy(block + at, &v, 2); };
    const auto ppm = std::uint32_t(pictureDpi_ * 100.0 / 2.54);
    put32(0, 40);
    put32(4, std::uint32_t(f.width));
    put32(8, std::uint32_t(f.height));
    put16(12, 1);
    put16(14, std::uint16_t(f.bitsPerPixel));
    put32(20, std::uint32_t(image));
    put32(24, ppm);
    put32(28, ppm);
    put32(32, std::uint32_t(colours));
    const bool vanilla = pixelFlavor_ == TWPF_VANILLA;
    for (std::size_t i = 0; i < colours; ++i) {
        const std::size_t level = colours == 2 ? (i ? 255 : 0) : i;
        const auto v = std::uint8_t(vanilla ? 255 - level : level);
        std::uint8_t* entry = block + 40 + 4 * i;
        entry[0] = entry[1] = entry[2] = v;
    }
    // Rows arrive from the top; the bitmap keeps them bottom-up.
    std::uint8_t* pixels = block + offset;
    bool ok = true;
    const int strip = std::max(1, int(kPreferredStripBytes / f.rowBytes));
    std::vector<std::uint8_t> rows;
    for (int top = 0; ok && top < f.height; top += strip) {
        const int count = std::min(strip, f.height - top);
        rows.resize(std::size_t(count) * f.rowBytes);
        ok = reader_->read(rows.data(), count, f.rowBytes);
        for (int i = 0; ok && i < count; ++i) {
            std::uint8_t* out = pixels + std::size_t(f.height - 1 - (top + i)) * f.rowBytes;
            const std::uint8_t* in = rows.data() + std::size_t(i) * f.rowBytes;
            if (f.pixelType == TWPT_RGB) {
                for (int x = 0; x < f.width; ++x) {
                    out[3 * x] = in[3 * x + 2];
                    out[3 * x + 1] = in[3 * x + 1];
                    out[3 * x + 2] = in[3 * x];
                }
            } else {
                std::memcpy(out, in, f.rowBytes);
            }
        }
    }
    reader_.reset();
    pictureDone_ = true;
    if (!ok) {
        std::free(block);
        return fail(TWCC_OPERATIONERROR);
    }
    handle = block;
    state_ = kStateTransferring;
    return TWRC_XFERDONE;
}

}  // namespace lv::twain
