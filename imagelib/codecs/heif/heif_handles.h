#pragma once
// Owners of libheif's objects.

#include <libheif/heif.h>

#include <memory>

namespace lv {

class HeifContext {
public:
    HeifContext()
        : context_(heif_context_alloc())
    {
    }
    explicit operator bool() const { return bool(context_); }
    heif_context* get() const { return context_.get(); }

private:
    struct Free {
        void operator()(heif_context* context) const { heif_context_free(context); }
    };
    std::unique_ptr<heif_context, Free> context_;
};

// An object the library hands back through an out-parameter.
template<typename T, void (*Release)(const T*)>
class HeifOwned {
public:
    HeifOwned() = default;
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
            Release(object_);
        object_ = nullptr;
    }
    T* object_ = nullptr;
};

using HeifHandle = HeifOwned<heif_image_handle, heif_image_handle_release>;
using HeifImage = HeifOwned<heif_image, heif_image_release>;

class HeifEncoder {
public:
    HeifEncoder() = default;
    ~HeifEncoder()
    {
        if (encoder_)
            heif_encoder_release(encoder_);
    }
    HeifEncoder(const HeifEncoder&) = delete;
    HeifEncoder& operator=(const HeifEncoder&) = delete;
    heif_encoder* get() const { return encoder_; }
    heif_encoder** out() { return &encoder_; }

private:
    heif_encoder* encoder_ = nullptr;
};

}  // namespace lv
