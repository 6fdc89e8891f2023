#include "common/write_durability.h"

#include <atomic>

namespace lv {
namespace {

// Process-wide on purpose: codecs write on worker threads and through many layers, none of
// which should carry a flag only the command line sets.
std::atomic<int>& unsyncedScopes()
{
    static std::atomic<int> count{0};
    return count;
}

}  // namespace

UnsyncedWrites::UnsyncedWrites()
{
    ++unsyncedScopes();
}

UnsyncedWrites::~UnsyncedWrites()
{
    --unsyncedScopes();
}

bool WritesAreSynced()
{
    return unsyncedScopes().load() == 0;
}

}  // namespace lv
