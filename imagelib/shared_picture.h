#pragma once
// A picture that several holders share: a document's layer, the undo steps that keep it,
// the clipboard, a snapshot another thread reads. Copies of a SharedPicture are free.
// Reading never copies; writing goes to a private copy whenever anyone else holds the
// picture, so a shared picture is never changed in place and readers on other threads
// see it whole. Holders on one thread must not hand one SharedPicture object to another
// thread; they give it a copy.

#include "imagelib/dib.h"

#include <cstdint>
#include <memory>

namespace lv {

// What a holder saw of a picture: which one, and how often it had been written then.
// Keeps no pixels alive.
class PictureStamp {
public:
    PictureStamp() = default;

private:
    friend class SharedPicture;
    std::weak_ptr<const void> picture_;
    std::uint64_t writes_ = 0;
};

class SharedPicture {
public:
    SharedPicture() = default;
    SharedPicture(std::nullptr_t) {}
    // A new picture, held by this holder alone. Null stays empty.
    SharedPicture(HDIB picture);

    explicit operator bool() const { return node_ != nullptr; }

    // The picture; the null picture when empty. Anything that only reads a picture takes
    // a SharedPicture as it is.
    const HDIB& read() const;
    operator const HDIB&() const { return read(); }

    // The picture to change: a private copy first when anyone else holds it. The reference
    // is good until this holder's picture is next copied out or replaced; ask again for
    // every change, which costs nothing while the picture is not shared. Throws
    // std::bad_alloc (after the memory message) when the copy can't be made; operations
    // that must fail cleanly use tryWrite().
    HDIB& write();
    // The same, or null when empty or when the copy can't be made.
    HDIB* tryWrite();

    // The picture itself when this holder was its only one, otherwise a copy; the holder is
    // empty after, unless the copy could not be made (null returned).
    HDIB release();
    void reset() { node_.reset(); }

    // Whether no other holder shares the picture (writing costs no copy).
    bool unique() const { return node_ && node_.use_count() == 1; }
    // The same picture, not merely the same pixels.
    bool sameAs(const SharedPicture& other) const { return node_ == other.node_; }

    PictureStamp stamp() const;
    // Whether this holds the stamped picture and nobody has written it since.
    bool matches(const PictureStamp& stamp) const;

    // The picture's reads, for brevity (like the picture's own, not for an empty holder).
    int width() const { return read().width(); }
    int height() const { return read().height(); }
    int bitCount() const { return read().bitCount(); }
    std::size_t size() const { return read().size(); }
    std::size_t stride() const { return read().stride(); }
    const BitmapInfoHeader& header() const { return read().header(); }
    const std::uint8_t* data() const { return read().data(); }
    const RgbQuad* colors() const { return read().colors(); }
    const std::uint8_t* pixels() const { return read().pixels(); }
    const std::uint8_t* row(int y) const { return read().row(y); }

private:
    struct Node {
        HDIB picture;
        std::uint64_t writes = 0;  // changed only while the node is unshared
    };
    // Makes this holder the only one, copying when needed; false when the copy fails.
    bool makeUnique();

    std::shared_ptr<Node> node_;
};

// A silent byte-for-byte copy of a picture; null when memory runs out.
HDIB CopyPicture(const HDIB& picture);

}  // namespace lv
