#include "imagelib/shared_picture.h"

#include "imagelib/dib_alloc.h"

#include <atomic>
#include <cstring>
#include <new>

namespace lv {
namespace {

const HDIB& nullPicture()
{
    static const HDIB none;
    return none;
}

}  // namespace

SharedPicture::SharedPicture(HDIB picture)
{
    if (picture)
        node_ = std::make_shared<Node>(Node{std::move(picture), 0});
}

const HDIB& SharedPicture::read() const
{
    return node_ ? node_->picture : nullPicture();
}

bool SharedPicture::makeUnique()
{
    if (node_.use_count() == 1) {
        // Another thread's last read of the picture happened before it let go of it.
        std::atomic_thread_fence(std::memory_order_acquire);
        return true;
    }
    HDIB copy = DibDuplicate(node_->picture);
    if (!copy)
        return false;
    node_ = std::make_shared<Node>(Node{std::move(copy), 0});
    return true;
}

HDIB* SharedPicture::tryWrite()
{
    if (!node_ || !makeUnique())
        return nullptr;
    ++node_->writes;
    return &node_->picture;
}

HDIB& SharedPicture::write()
{
    HDIB* picture = tryWrite();
    if (!picture)
        throw std::bad_alloc();
    return *picture;
}

HDIB SharedPicture::release()
{
    if (!node_ || !makeUnique())
        return {};
    HDIB picture = std::move(node_->picture);
    node_.reset();
    return picture;
}

PictureStamp SharedPicture::stamp() const
{
    PictureStamp s;
    if (node_) {
        s.picture_ = node_;
        s.writes_ = node_->writes;
    }
    return s;
}

bool SharedPicture::matches(const PictureStamp& stamp) const
{
    // Owner equivalence: the stamp's weak reference keeps its control block, so a freed
    // picture's successor can never pass for it.
    const std::weak_ptr<const void> mine = node_;
    return node_ && !stamp.picture_.owner_before(mine) && !mine.owner_before(stamp.picture_) &&
           node_->writes == stamp.writes_;
}

HDIB CopyPicture(const HDIB& picture)
{
    if (!picture)
        return {};
    HDIB copy = HDIB::AllocateZeroed(picture.size());
    if (copy)
        std::memcpy(copy.data(), picture.data(), picture.size());
    return copy;
}

}  // namespace lv
