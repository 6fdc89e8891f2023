#include "acquire/twain_session.h"

#include "common/ui_service.h"

#include <cstring>
#include <strings.h>

namespace lv::twain {
namespace {

void SetText(TW_STR32& field, const char* text)
{
    std::memset(field, 0, sizeof(TW_STR32));
    std::strncpy(field, text, sizeof(TW_STR32) - 1);
}

}  // namespace

TW_IDENTITY ApplicationIdentity()
{
    TW_IDENTITY id{};
    id.Id = 0;
    id.Version.MajorNum = 1;
    id.Version.MinorNum = 703;
    id.Version.Language = 13;
    id.Version.Country = 1;
    SetText(id.Version.Info, "Lumivista 2000");
    id.ProtocolMajor = 1;
    id.ProtocolMinor = 7;
    id.SupportedGroups = DG_CONTROL | DG_IMAGE;
    SetText(id.Manufacturer, "Lumivista 2000");
    SetText(id.ProductFamily, "Lumivista 2000");
    SetText(id.ProductName, "Lumivista 2000");
    return id;
}

TwainSession::TwainSession(SourceManagerLibrary& library, AcquisitionHost& host, TransferSettings settings, TW_HANDLE parent)
    : library_(library)
    , host_(host)
    , settings_(settings)
    , parent_(parent)
    , app_(ApplicationIdentity())
{
}

TwainSession::~TwainSession()
{
    // A program that quits in the middle of a session leaves nothing open behind.
    if (sourceEnabled_)
        disableSource();
    if (sourceOpen_)
        closeSource();
    if (managerOpen_)
        closeSourceManager();
}

TW_UINT16 TwainSession::call(TW_IDENTITY* dest, TW_UINT32 group, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data)
{
    return entry_ ? entry_(&app_, dest, group, dat, msg, data) : TWRC_FAILURE;
}

bool TwainSession::openSourceManager()
{
    if (managerOpen_)
        return true;
    entry_ = library_.load();
    if (!entry_)
        return false;
    TW_HANDLE parent = parent_;
    if (call(nullptr, DG_CONTROL, DAT_PARENT, MSG_OPENDSM, &parent) != TWRC_SUCCESS) {
        entry_ = nullptr;
        library_.unload();
        return false;
    }
    managerOpen_ = true;
    return true;
}

bool TwainSession::closeSourceManager()
{
    if (sourceOpen_)
        return false;
    TW_HANDLE parent = parent_;
    if (call(nullptr, DG_CONTROL, DAT_PARENT, MSG_CLOSEDSM, &parent) != TWRC_SUCCESS)
        return false;
    managerOpen_ = false;
    entry_ = nullptr;
    library_.unload();
    source_.Id = 0;
    return true;
}

bool TwainSession::selectSource()
{
    if (sourceOpen_)
        return false;
    TW_IDENTITY chosen{};
    call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETDEFAULT, &chosen);
    if (call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_USERSELECT, &chosen) != TWRC_SUCCESS)
        return false;
    source_ = chosen;
    return true;
}

SourceList TwainSession::listSources()
{
    SourceList list;
    ui::BusyCursor busy;
    if (!openSourceManager())
        return list;
    TW_IDENTITY id{};
    for (TW_UINT16 rc = call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETFIRST, &id);
         rc == TWRC_SUCCESS && list.names.size() < kMaxListedSources;
         rc = call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETNEXT, &id))
        list.names.emplace_back(id.ProductName, strnlen(id.ProductName, sizeof(TW_STR32)));
    TW_IDENTITY def{};
    if (call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETDEFAULT, &def) == TWRC_SUCCESS)
        list.defaultName.assign(def.ProductName, strnlen(def.ProductName, sizeof(TW_STR32)));
    closeSourceManager();
    return list;
}

bool TwainSession::pickSource(int index)
{
    if (index < 0 || !openSourceManager())
        return false;
    TW_IDENTITY id{};
    bool found = call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETFIRST, &id) == TWRC_SUCCESS;
    for (int i = 0; found && i < index; ++i)
        found = call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETNEXT, &id) == TWRC_SUCCESS;
    if (found)
        source_ = id;
    closeSourceManager();
    return found;
}

bool TwainSession::openSource(const std::string& productName)
{
    if (!managerOpen_)
        return false;
    if (sourceOpen_)
        return true;
    if (!productName.empty()) {
        TW_IDENTITY id{};
        bool found = false;
        for (TW_UINT16 rc = call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETFIRST, &id); rc == TWRC_SUCCESS && !found;
             rc = call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETNEXT, &id))
            found = strncasecmp(id.ProductName, productName.c_str(), sizeof(TW_STR32)) == 0;
        if (found)
            source_ = id;
    }
    if (call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &source_) != TWRC_SUCCESS)
        return false;
    sourceOpen_ = true;
    return true;
}

bool TwainSession::closeSource()
{
    if (sourceEnabled_)
        return false;
    if (call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &source_) != TWRC_SUCCESS)
        return false;
    sourceOpen_ = false;
    source_.Id = 0;
    std::memset(source_.ProductName, 0, sizeof(TW_STR32));
    return true;
}

bool TwainSession::enableSource(bool showUi)
{
    if (!sourceOpen_ || sourceEnabled_)
        return false;
    TW_USERINTERFACE ui{TW_BOOL(showUi ? 1 : 0), 0, parent_};
    if (call(&source_, DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui) != TWRC_SUCCESS)
        return false;
    sourceEnabled_ = true;
    return true;
}

bool TwainSession::disableSource()
{
    host_.setMainWindowEnabled(true);
    if (!sourceEnabled_)
        return false;
    TW_USERINTERFACE ui{1, 0, parent_};
    if (call(&source_, DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &ui) != TWRC_SUCCESS)
        return false;
    sourceEnabled_ = false;
    return true;
}

int TwainSession::setTransferMechanism()
{
    TW_ONEVALUE one{TWTY_UINT16, TWSX_NATIVE};
    TW_CAPABILITY cap{ICAP_XFERMECH, TWON_ONEVALUE, &one};
    return call(&source_, DG_CONTROL, DAT_CAPABILITY, MSG_SET, &cap) == TWRC_SUCCESS ? 0 : 1;
}

bool TwainSession::setCapability(TW_UINT16 cap, TW_UINT16 itemType, TW_UINT32 value)
{
    if (!sourceOpen_ || sourceEnabled_)
        return false;
    TW_ONEVALUE one{itemType, value};
    TW_CAPABILITY c{cap, TWON_ONEVALUE, &one};
    const TW_UINT16 rc = call(&source_, DG_CONTROL, DAT_CAPABILITY, MSG_SET, &c);
    return rc == TWRC_SUCCESS || rc == TWRC_CHECKSTATUS;
}

bool TwainSession::setImageLayout(const TW_FRAME& frame)
{
    if (!sourceOpen_ || sourceEnabled_)
        return false;
    TW_IMAGELAYOUT layout{frame, 1, 1, 1};
    return call(&source_, DG_IMAGE, DAT_IMAGELAYOUT, MSG_SET, &layout) == TWRC_SUCCESS;
}

bool TwainSession::startWithoutDialog()
{
    if (!enableSource(false))
        return false;
    phase_ = kPhaseWaiting;
    return true;
}

std::vector<TW_IDENTITY> TwainSession::sourceIdentities()
{
    std::vector<TW_IDENTITY> list;
    TW_IDENTITY id{};
    for (TW_UINT16 rc = call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETFIRST, &id); rc == TWRC_SUCCESS && managerOpen_;
         rc = call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETNEXT, &id))
        list.push_back(id);
    return list;
}

bool TwainSession::acquire(const std::string& productName)
{
    phase_ = kPhaseIdle;
    if (!openSourceManager())
        return false;
    if (!openSource(productName)) {
        closeSourceManager();
        return false;
    }
    if (setTransferMechanism() == 0) {
        if (sourceEnabled_)
            return true;
        const bool enabled = enableSource(true);
        phase_ = kPhaseWaiting;
        if (enabled) {
            host_.setMainWindowEnabled(false);
            return true;
        }
    }
    if (closeSource())
        closeSourceManager();
    phase_ = kPhaseIdle;
    return false;
}

void TwainSession::runTransfers()
{
    const SourceCall source = [this](TW_UINT32 group, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data) {
        return call(&source_, group, dat, msg, data);
    };
    const PictureReceiver receive = [this](HDIB picture) { host_.pictureAcquired(std::move(picture)); };
    // The count is not known before the first transfer ends.
    TW_PENDINGXFERS pending{TW_UINT16(-1), 0};
    if (settings_.memoryScan)
        RunMemoryTransfers(source, pending, receive);
    else
        RunNativeTransfers(source, pending, receive);
}

void TwainSession::endSession()
{
    disableSource();
    closeSource();
    closeSourceManager();
}

bool TwainSession::filterMessage(void* event)
{
    if (!sourceOpen_)
        return false;
    TW_EVENT twEvent{event, MSG_NULL};
    const bool sources = call(&source_, DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &twEvent) == TWRC_DSEVENT;

    if (twEvent.TWMessage == MSG_XFERREADY && phase_ != kPhaseIdle) {
        runTransfers();
        if (phase_ == 2) {
            disableSource();
            phase_ = kPhaseIdle;
        } else if (phase_ == 1 && !managerOpen_) {
            phase_ = kPhaseIdle;
        }
        if (settings_.multiScan == 0) {
            phase_ = kPhaseIdle;
            endSession();
        }
    } else if (twEvent.TWMessage == MSG_CLOSEDSREQ || twEvent.TWMessage == MSG_CLOSEDSOK) {
        const bool disabled = disableSource();
        const bool closed = closeSource();
        const bool managerClosed = closeSourceManager();
        if (disabled && closed && managerClosed) {
            host_.setMainWindowEnabled(true);
            host_.bringToFront();
        }
        phase_ = kPhaseIdle;
    }
    return sources;
}

}  // namespace lv::twain
