#include "imagelib/colour/lcms_handles.h"

#include "imagelib/colour/colour_profile.h"

namespace lv::lcms {
namespace {

void ignoreError(cmsContext, cmsUInt32Number, const char*) {}

// The smallest profile is its 128-byte header and a tag count.
constexpr std::size_t kMinProfileBytes = 132;

}  // namespace

Context SilentContext()
{
    Context context(cmsCreateContext(nullptr, nullptr));
    if (context)
        cmsSetLogErrorHandlerTHR(context.get(), ignoreError);
    return context;
}

Profile OpenProfile(cmsContext context, std::span<const std::uint8_t> bytes)
{
    if (!context || bytes.size() < kMinProfileBytes || bytes.size() > kMaxColourProfileBytes)
        return Profile();
    // The library reads tags lazily and would accept a profile cut short after the ones it needs.
    const std::uint64_t declared = std::uint64_t(bytes[0]) << 24 | bytes[1] << 16 | bytes[2] << 8 | bytes[3];
    if (declared < kMinProfileBytes || declared > bytes.size())
        return Profile();
    return Profile(cmsOpenProfileFromMemTHR(context, bytes.data(), cmsUInt32Number(bytes.size())));
}

Profile OpenSrgb(cmsContext context)
{
    return Profile(context ? cmsCreate_sRGBProfileTHR(context) : nullptr);
}

bool IsRgb(cmsHPROFILE profile)
{
    if (!profile || cmsGetColorSpace(profile) != cmsSigRgbData)
        return false;
    const cmsProfileClassSignature kind = cmsGetDeviceClass(profile);
    return kind == cmsSigInputClass || kind == cmsSigDisplayClass || kind == cmsSigOutputClass
           || kind == cmsSigColorSpaceClass;
}

}  // namespace lv::lcms
