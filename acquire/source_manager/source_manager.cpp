#include "acquire/source_manager/source_manager.h"

#include "acquire/source_manager/containers.h"
#include "acquire/source_manager/scanner_configuration.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <strings.h>

namespace lv::twain {
namespace {

constexpr TW_UINT32 kApplicationId = 0x7FFF0001;

TW_HANDLE LockMemory(TW_HANDLE handle)
{
    return handle;
}

void UnlockMemory(TW_HANDLE) {}

}  // namespace

void CopyIdentityText(TW_STR32& field, std::string_view text)
{
    std::size_t n = std::min<std::size_t>(text.size(), sizeof(TW_STR32) - 1);
    while (n > 0 && n < text.size() && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
        --n;
    std::memset(field, 0, sizeof(TW_STR32));
    std::memcpy(field, text.data(), n);
}

std::vector<SourceEntry> IdentitiesForDevices(const SANE_Device* const* devices, std::map<std::string, TW_UINT32>& ids,
                                              TW_UINT32& nextId)
{
    std::vector<SourceEntry> entries;
    std::map<std::string, int> seen;
    for (const SANE_Device* const* d = devices; d && *d; ++d) {
        const SANE_Device& device = **d;
        if (!device.name)
            continue;
        std::string vendor = device.vendor ? device.vendor : "";
        std::string model = device.model ? device.model : "";
        std::string product = vendor.empty() ? model : model.empty() ? vendor : vendor + " " + model;
        if (product.empty())
            product = device.name;
        product = product.substr(0, sizeof(TW_STR32) - 6);
        const int copies = ++seen[product];
        if (copies > 1)
            product += " (" + std::to_string(copies) + ")";

        SourceEntry entry{};
        entry.deviceName = device.name;
        auto [it, fresh] = ids.try_emplace(entry.deviceName, nextId);
        if (fresh)
            ++nextId;
        TW_IDENTITY& id = entry.identity;
        id.Id = it->second;
        id.Version = TW_VERSION{1, 0, 13, 1, {}};
        CopyIdentityText(id.Version.Info, "SANE");
        id.ProtocolMajor = 2;
        id.ProtocolMinor = 4;
        id.SupportedGroups = DG_CONTROL | DG_IMAGE | DF_DS2;
        CopyIdentityText(id.Manufacturer, vendor);
        CopyIdentityText(id.ProductFamily, entry.deviceName);
        CopyIdentityText(id.ProductName, product);
        entries.push_back(std::move(entry));
    }
    return entries;
}

SourceManager::SourceManager(SourcePlatform platform)
    : platform_(std::move(platform))
{
}

SourceManager::~SourceManager() = default;

bool SourceManager::initialiseInterface()
{
    // The scanner interface is started once and kept for the life of the process: its
    // backends don't all start cleanly a second time, and stopping it would only unload
    // backends the next opening loads again.
    if (!interfaceStarted_) {
        UseSystemScannerConfigurationUnlessChosen();
        SANE_Int version = 0;
        interfaceStarted_ = sane_init(&version, nullptr) == SANE_STATUS_GOOD;
    }
    return interfaceStarted_;
}

TW_UINT16 SourceManager::fail(TW_UINT16 condition)
{
    condition_ = condition;
    return TWRC_FAILURE;
}

TW_UINT16 SourceManager::entry(TW_IDENTITY* origin, TW_IDENTITY* dest, TW_UINT32 group, TW_UINT16 dat, TW_UINT16 msg,
                               TW_MEMREF data)
{
    if (!origin)
        return fail(TWCC_BADPROTOCOL);
    const TW_UINT32 dg = group & 0xFFFF;
    if (dg == DG_CONTROL && dat == DAT_PARENT)
        return parent(msg, origin);
    if (!open_)
        return fail(TWCC_SEQERROR);
    if (dg == DG_CONTROL && dat == DAT_STATUS && msg == MSG_GET && data) {
        auto& status = *static_cast<TW_STATUS*>(data);
        status.Data = 0;
        if (dest) {
            const auto it = opened_.find(dest->Id);
            status.ConditionCode = it == opened_.end() ? TWCC_BADDEST : it->second->takeCondition();
        } else {
            status.ConditionCode = std::exchange(condition_, TWCC_SUCCESS);
        }
        return TWRC_SUCCESS;
    }
    if (dg == DG_CONTROL && dat == DAT_ENTRYPOINT && msg == MSG_GET && data) {
        auto& ep = *static_cast<TW_ENTRYPOINT*>(data);
        ep.DSM_Entry = nullptr;  // the caller has it already
        ep.DSM_MemAllocate = AllocateMemory;
        ep.DSM_MemFree = FreeMemory;
        ep.DSM_MemLock = LockMemory;
        ep.DSM_MemUnlock = UnlockMemory;
        return TWRC_SUCCESS;
    }
    if (dg == DG_CONTROL && dat == DAT_IDENTITY) {
        if (!data)
            return fail(TWCC_BADVALUE);
        return identity(msg, *static_cast<TW_IDENTITY*>(data));
    }
    if (!dest)
        return fail(TWCC_BADDEST);
    const auto it = opened_.find(dest->Id);
    if (it == opened_.end())
        return fail(TWCC_BADDEST);
    return it->second->entry(dg, dat, msg, data);
}

TW_UINT16 SourceManager::parent(TW_UINT16 msg, TW_IDENTITY* origin)
{
    if (msg == MSG_OPENDSM) {
        if (open_)
            return fail(TWCC_SEQERROR);
        if (!initialiseInterface())
            return fail(TWCC_BUMMER);
        open_ = true;
        if (origin->Id == 0)
            origin->Id = kApplicationId;
        return TWRC_SUCCESS;
    }
    if (msg == MSG_CLOSEDSM) {
        if (!open_ || !opened_.empty())
            return fail(TWCC_SEQERROR);
        sources_.clear();
        open_ = false;
        return TWRC_SUCCESS;
    }
    return fail(TWCC_BADPROTOCOL);
}

void SourceManager::refreshSources()
{
    const SANE_Device** devices = nullptr;
    if (sane_get_devices(&devices, SANE_FALSE) != SANE_STATUS_GOOD)
        devices = nullptr;
    sources_ = IdentitiesForDevices(devices, ids_, nextId_);
}

std::size_t SourceManager::defaultIndex() const
{
    for (std::size_t i = 0; i < sources_.size(); ++i)
        if (sources_[i].deviceName == defaultDevice_)
            return i;
    return 0;
}

const SourceEntry* SourceManager::findEntry(const TW_IDENTITY& wanted) const
{
    for (const SourceEntry& e : sources_)
        if (wanted.Id != 0 ? e.identity.Id == wanted.Id
                           : strncasecmp(e.identity.ProductName, wanted.ProductName, sizeof(TW_STR32)) == 0)
            return &e;
    return nullptr;
}

TW_UINT16 SourceManager::identity(TW_UINT16 msg, TW_IDENTITY& id)
{
    switch (msg) {
    case MSG_GETFIRST:
        refreshSources();
        cursor_ = 0;
        [[fallthrough]];
    case MSG_GETNEXT:
        if (cursor_ >= sources_.size())
            return TWRC_ENDOFLIST;
        id = sources_[cursor_++].identity;
        return TWRC_SUCCESS;
    case MSG_GETDEFAULT:
        if (sources_.empty())
            refreshSources();
        if (sources_.empty())
            return fail(TWCC_NODS);
        id = sources_[defaultIndex()].identity;
        return TWRC_SUCCESS;
    case MSG_USERSELECT: {
        if (!platform_.selectSource)
            return fail(TWCC_OPERATIONERROR);
        refreshSources();
        std::vector<TW_IDENTITY> list;
        for (const SourceEntry& e : sources_)
            list.push_back(e.identity);
        const auto chosen = platform_.selectSource(list, defaultIndex(), nullptr);
        if (!chosen || *chosen >= sources_.size())
            return TWRC_CANCEL;
        id = sources_[*chosen].identity;
        defaultDevice_ = sources_[*chosen].deviceName;
        return TWRC_SUCCESS;
    }
    case MSG_OPENDS:
        return openSource(id);
    case MSG_CLOSEDS:
        return closeSource(id);
    default:
        return fail(TWCC_BADPROTOCOL);
    }
}

TW_UINT16 SourceManager::openSource(TW_IDENTITY& id)
{
    if (opened_.count(id.Id))
        return fail(TWCC_SEQERROR);
    if (sources_.empty() || (id.Id == 0 && id.ProductName[0] == 0))
        refreshSources();
    const SourceEntry* entry = nullptr;
    if (id.Id == 0 && id.ProductName[0] == 0) {
        if (!sources_.empty())
            entry = &sources_[defaultIndex()];
    } else {
        entry = findEntry(id);
        if (!entry) {
            refreshSources();
            entry = findEntry(id);
        }
    }
    if (!entry)
        return fail(TWCC_NODS);
    auto device = SaneDevice::Open(entry->deviceName);
    if (!device)
        return fail(TWCC_OPERATIONERROR);
    id = entry->identity;
    defaultDevice_ = entry->deviceName;
    opened_[id.Id] = std::make_unique<SaneSource>(id, std::move(device), platform_);
    return TWRC_SUCCESS;
}

TW_UINT16 SourceManager::closeSource(TW_IDENTITY& id)
{
    const auto it = opened_.find(id.Id);
    if (it == opened_.end())
        return fail(TWCC_NODS);
    if (it->second->state() != kStateOpen)
        return fail(TWCC_SEQERROR);
    opened_.erase(it);
    return TWRC_SUCCESS;
}

}  // namespace lv::twain
