#pragma once
// Owners of libheif's objects, each freed through the loaded library.

#include "imagelib/codecs/heif/heif_library.h"

#include <memory>

namespace lv {

class HeifContext {
public:
    explicit HeifContext(const HeifLibrary& heif)
        : context_(heif.heif_context_alloc(), {&heif})
    {
    }
    explicit operator bool() const { return bool(context_); }
    heif_context* get() const { return context_.get(); }

private:
    struct Free {
        const HeifLibrary* heif;
        void operator()(heif_context* context) const { heif->heif_context_free(context); }
    };
    std::unique_ptr<heif_context, Free> context_;
};

// An object the library hands back through an out-parameter.
template<typename T>
class HeifOwned {
public:
    using Release = void (*)(const T*);
    explicit HeifOwned(Release release)
        : release_(release)
    {
    }
    ~HeifOwned() { reset(); }
    HeifOwned(const HeifOwned&) = delete;
    HeifOwned& operator=(const HeifOwned&) = delete;
    T* get() const { return object_; }
    T** out()
    {
        reset();
        return &object_;
    }

private:
    void reset()
    {
        if (object_)
            release_(object_);
        object_ = nullptr;
    }
    Release release_;
    T* object_ = nullptr;
};

struct HeifHandle : HeifOwned<heif_image_handle> {
    explicit HeifHandle(const HeifLibrary& heif)
        : HeifOwned(heif.heif_image_handle_release)
    {
    }
};
struct HeifImage : HeifOwned<heif_image> {
    explicit HeifImage(const HeifLibrary& heif)
        : HeifOwned(heif.heif_image_release)
    {
    }
};

class HeifEncoder {
public:
    explicit HeifEncoder(const HeifLibrary& heif)
        : heif_(heif)
    {
    }
    ~HeifEncoder()
    {
        if (encoder_)
            heif_.heif_encoder_release(encoder_);
    }
    HeifEncoder(const HeifEncoder&) = delete;
    HeifEncoder& operator=(const HeifEncoder&) = delete;
    heif_encoder* get() const { return encoder_; }
    heif_encoder** out() { return &encoder_; }

private:
    const HeifLibrary& heif_;
    heif_encoder* encoder_ = nullptr;
};

}  // namespace lv
