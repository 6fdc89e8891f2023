#include "imagelib/dib_geometry.h"
#include "imagelib/shared_picture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>

namespace lv {
namespace {

std::uint64_t Checksum(const HDIB& picture)
{
    std::uint64_t sum = 0;
    for (std::size_t i = 0; i < picture.size(); ++i)
        sum = sum * 31 + picture.data()[i];
    return sum;
}

TEST(SharedPicture, CopiesShareUntilOneWritesAndTheWriterGetsItsOwn)
{
    SharedPicture a(DibCreate(6, 4, 0x112233, false));
    const std::uint8_t* pixels = a.data();
    ASSERT_TRUE(a.unique());
    a.write().row(0)[0] = 1;
    EXPECT_EQ(a.data(), pixels) << "the only holder writes in place";

    SharedPicture b = a;
    EXPECT_TRUE(b.sameAs(a));
    EXPECT_FALSE(a.unique());
    EXPECT_EQ(b.data(), pixels) << "sharing copied nothing";
    b.write().row(0)[0] = 2;
    EXPECT_FALSE(b.sameAs(a) || b.data() == pixels);
    // The shared picture was not written.
    EXPECT_EQ(std::tuple(a.row(0)[0], b.row(0)[0]), (std::tuple<std::uint8_t, std::uint8_t>(1, 2)));
    EXPECT_EQ(std::memcmp(a.row(1), b.row(1), a.stride()), 0) << "the copy is whole";
    EXPECT_TRUE(a.unique() && b.unique());

    // Handing out the picture: the only holder gives it up, a sharer gets a copy.
    SharedPicture c = a;
    HDIB copy = c.release();
    EXPECT_FALSE(c);
    EXPECT_NE(copy.data(), a.data());
    HDIB itself = a.release();
    EXPECT_EQ(itself.data(), pixels);
}

TEST(SharedPicture, EmptyHoldersReadAsNullAndRefuseWrites)
{
    SharedPicture empty;
    EXPECT_FALSE(empty || empty.read() || empty.tryWrite());
    EXPECT_THROW(empty.write(), std::bad_alloc);
    EXPECT_FALSE(empty.release());
    EXPECT_FALSE(SharedPicture(HDIB{})) << "a null picture makes an empty holder";
    EXPECT_FALSE(empty.matches(empty.stamp()));
}

TEST(SharedPicture, AStampMatchesOnlyThatPictureUnwritten)
{
    SharedPicture a(DibCreate(3, 3, 0x445566, false));
    const PictureStamp read = a.stamp();
    EXPECT_TRUE(a.matches(read));
    SharedPicture b = a;
    EXPECT_TRUE(b.matches(read)) << "a sharer holds the same picture";
    b.write();
    EXPECT_FALSE(b.matches(read));
    EXPECT_TRUE(a.matches(read)) << "the writer's copy changed, not the stamped picture";
    a.write();
    EXPECT_FALSE(a.matches(read)) << "written in place";

    // A picture made after the stamped one was freed never passes for it.
    const PictureStamp gone = [] { return SharedPicture(DibCreate(3, 3, 0, false)).stamp(); }();
    SharedPicture next(DibCreate(3, 3, 0, false));
    EXPECT_FALSE(next.matches(gone));
}

// Another thread keeps a copy and reads it over and over while this one paints.
TEST(SharedPicture, AReaderOnAnotherThreadNeverSeesAWrite)
{
    SharedPicture document(DibCreate(64, 64, 0x808080, false));
    const std::uint64_t before = Checksum(document);
    std::atomic<bool> started{false}, painting{true};
    std::atomic<int> torn{0}, reads{0};
    std::thread reader([snapshot = document, &started, &painting, &torn, &reads, before]() mutable {
        started = true;
        while (painting || reads < 50) {
            if (Checksum(snapshot) != before)
                ++torn;
            ++reads;
        }
        snapshot.reset();  // the last reference goes on this thread
    });
    while (!started)
        std::this_thread::yield();
    for (int i = 0; i < 500; ++i)
        document.write().row(i % 64)[i % 192] = std::uint8_t(i);
    painting = false;
    reader.join();
    EXPECT_EQ(std::tuple(torn.load(), reads > 0), std::tuple(0, true));
    EXPECT_TRUE(Checksum(document) != before && document.unique());
}

}  // namespace
}  // namespace lv
