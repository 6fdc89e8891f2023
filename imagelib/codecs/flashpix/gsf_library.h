#pragma once
// libgsf, opened on the first FlashPix file instead of at start: linked in, it and the GLib,
// GIO, libxml2 and ICU libraries it brings cost every start of the program several
// milliseconds, FlashPix or not.

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-memory.h>
#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-memory.h>

namespace lv::flashpix {

#define LV_GSF_FUNCTIONS(X)                                                                                           \
    X(g_error_free)                                                                                                   \
    X(g_log_set_handler)                                                                                              \
    X(g_object_unref)                                                                                                 \
    X(g_type_check_instance_is_a)                                                                                     \
    X(gsf_infile_get_type)                                                                                            \
    X(gsf_infile_msole_new)                                                                                           \
    X(gsf_infile_name_by_index)                                                                                       \
    X(gsf_infile_num_children)                                                                                        \
    X(gsf_input_memory_new)                                                                                           \
    X(gsf_input_read)                                                                                                 \
    X(gsf_input_size)                                                                                                 \
    X(gsf_outfile_msole_new)                                                                                          \
    X(gsf_outfile_msole_set_class_id)                                                                                 \
    X(gsf_outfile_new_child)                                                                                          \
    X(gsf_output_close)                                                                                               \
    X(gsf_output_is_closed)                                                                                           \
    X(gsf_output_memory_get_bytes)                                                                                    \
    X(gsf_output_memory_new)                                                                                          \
    X(gsf_output_size)                                                                                                \
    X(gsf_output_write)

// The functions the storage calls, each named as in libgsf and GLib.
struct GsfLibrary {
#define LV_GSF_POINTER(name) decltype(&::name) name = nullptr;
    LV_GSF_FUNCTIONS(LV_GSF_POINTER)
#undef LV_GSF_POINTER
};

// The loaded library, opened once for the process (as the dynamic linker would have) and
// never changed after; null when it or one of its functions can't be found.
const GsfLibrary* LoadedGsfLibrary();

}  // namespace lv::flashpix
