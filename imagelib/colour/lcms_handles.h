#pragma once
// Owning wrappers for the colour-management library's context and profiles. Each context
// stays silent: a damaged profile is an ordinary failure here, not a message on stderr.

#include <lcms2.h>

#include <cstdint>
#include <memory>
#include <span>
#include <type_traits>

namespace lv::lcms {

struct ContextDeleter {
    void operator()(cmsContext c) const { cmsDeleteContext(c); }
};
struct ProfileDeleter {
    void operator()(void* p) const { cmsCloseProfile(p); }
};
using Context = std::unique_ptr<std::remove_pointer_t<cmsContext>, ContextDeleter>;
using Profile = std::unique_ptr<void, ProfileDeleter>;

Context SilentContext();
// Null for bytes the library refuses, and unread for more than kMaxColourProfileBytes.
Profile OpenProfile(cmsContext context, std::span<const std::uint8_t> bytes);
Profile OpenSrgb(cmsContext context);
bool IsRgb(cmsHPROFILE profile);

}  // namespace lv::lcms
