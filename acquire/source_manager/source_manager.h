#pragma once
// The source manager: opened and closed by the application (states 2 and 3), it lists every
// scanner device as a data source identity, lets the user pick one, opens and closes sources
// and passes every other operation to the source it names.

#include "acquire/source_manager/sane_source.h"
#include "acquire/source_manager/source_platform.h"
#include "acquire/twain_protocol.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace lv::twain {

// Fills a fixed text field: cut to 33 bytes on a character boundary, zero-filled.
void CopyIdentityText(TW_STR32& field, std::string_view text);

struct SourceEntry {
    TW_IDENTITY identity;
    std::string deviceName;
};

// Identities for a device list: "vendor model" as the product name, made unique with
// " (2)", " (3)", ...; the device name as the family. `ids` keeps each device's Id stable.
std::vector<SourceEntry> IdentitiesForDevices(const SANE_Device* const* devices, std::map<std::string, TW_UINT32>& ids,
                                              TW_UINT32& nextId);

class SourceManager {
public:
    explicit SourceManager(SourcePlatform platform);
    ~SourceManager();

    TW_UINT16 entry(TW_IDENTITY* origin, TW_IDENTITY* dest, TW_UINT32 group, TW_UINT16 dat, TW_UINT16 msg,
                    TW_MEMREF data);

private:
    TW_UINT16 fail(TW_UINT16 condition);
    bool initialiseInterface();
    TW_UINT16 parent(TW_UINT16 msg, TW_IDENTITY* origin);
    TW_UINT16 identity(TW_UINT16 msg, TW_IDENTITY& id);
    TW_UINT16 openSource(TW_IDENTITY& id);
    TW_UINT16 closeSource(TW_IDENTITY& id);
    void refreshSources();
    const SourceEntry* findEntry(const TW_IDENTITY& wanted) const;
    std::size_t defaultIndex() const;

    SourcePlatform platform_;
    bool open_ = false;
    bool interfaceStarted_ = false;
    TW_UINT16 condition_ = TWCC_SUCCESS;
    std::vector<SourceEntry> sources_;
    std::map<std::string, TW_UINT32> ids_;
    TW_UINT32 nextId_ = 1;
    std::size_t cursor_ = 0;
    std::string defaultDevice_;  // the source chosen or opened last
    std::map<TW_UINT32, std::unique_ptr<SaneSource>> opened_;
};

}  // namespace lv::twain
