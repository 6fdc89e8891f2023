#pragma once
// libheif, opened on the first HEIF or AVIF file instead of at start: linked in, it and its
// codecs cost every start of the program a few milliseconds, HEIF or not.

#include <libheif/heif.h>

namespace lv {

#define LV_HEIF_FUNCTIONS(X)                                                                                          \
    X(heif_context_alloc)                                                                                             \
    X(heif_context_encode_image)                                                                                      \
    X(heif_context_free)                                                                                              \
    X(heif_context_get_encoder_for_format)                                                                            \
    X(heif_context_get_primary_image_handle)                                                                          \
    X(heif_context_read_from_memory_without_copy)                                                                     \
    X(heif_context_set_maximum_image_size_limit)                                                                      \
    X(heif_context_write)                                                                                             \
    X(heif_decode_image)                                                                                              \
    X(heif_encoder_release)                                                                                           \
    X(heif_encoder_set_lossy_quality)                                                                                 \
    X(heif_have_encoder_for_format)                                                                                   \
    X(heif_image_add_plane)                                                                                           \
    X(heif_image_create)                                                                                              \
    X(heif_image_get_bits_per_pixel)                                                                                  \
    X(heif_image_get_height)                                                                                          \
    X(heif_image_get_plane)                                                                                           \
    X(heif_image_get_plane_readonly)                                                                                  \
    X(heif_image_get_width)                                                                                           \
    X(heif_image_handle_get_chroma_bits_per_pixel)                                                                    \
    X(heif_image_handle_get_color_profile_type)                                                                       \
    X(heif_image_handle_get_height)                                                                                   \
    X(heif_image_handle_get_luma_bits_per_pixel)                                                                      \
    X(heif_image_handle_get_raw_color_profile)                                                                        \
    X(heif_image_handle_get_raw_color_profile_size)                                                                   \
    X(heif_image_handle_get_width)                                                                                    \
    X(heif_image_handle_has_alpha_channel)                                                                            \
    X(heif_image_handle_release)                                                                                      \
    X(heif_image_release)

// The functions the codec calls, each named as in libheif.
struct HeifLibrary {
#define LV_HEIF_POINTER(name) decltype(&::name) name = nullptr;
    LV_HEIF_FUNCTIONS(LV_HEIF_POINTER)
#undef LV_HEIF_POINTER
};

// The loaded library, opened once for the process (as the dynamic linker would have) and
// never changed after; null when it or one of its functions can't be found.
const HeifLibrary* LoadedHeifLibrary();

}  // namespace lv
