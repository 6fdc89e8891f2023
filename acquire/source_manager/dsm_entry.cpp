// The source manager library's one entry point.

#include "acquire/source_manager/source_manager.h"
#ifdef LV_SOURCE_MANAGER_QT
#include "acquire/source_manager/qt_source_platform.h"
#endif

namespace {

lv::twain::SourcePlatform Platform()
{
#ifdef LV_SOURCE_MANAGER_QT
    return lv::twain::QtSourcePlatform();
#else
    return {};
#endif
}

lv::twain::SourceManager& Manager()
{
    static lv::twain::SourceManager manager(Platform());
    return manager;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) lv::twain::TW_UINT16 DSM_Entry(
    lv::twain::TW_IDENTITY* origin, lv::twain::TW_IDENTITY* dest, lv::twain::TW_UINT32 group, lv::twain::TW_UINT16 dat,
    lv::twain::TW_UINT16 msg, lv::twain::TW_MEMREF data)
{
    return Manager().entry(origin, dest, group, dat, msg, data);
}
