// A TIFF's metadata read without its strips is the metadata of the whole file.

#include "common/byte_sink.h"
#include "common/testing/temp_dir.h"
#include "imagelib/codecs/save_options.h"
#include "imagelib/codecs/tiff/tiff.h"
#include "imagelib/metadata/metadata_writer.h"
#include "imagelib/metadata/upright_step.h"
#include "pictures.h"

#include <gtest/gtest.h>

#include <fstream>

namespace lv {
namespace {

TEST(TiffMetadataRead, SkippingTheStripsFindsWhatTheWholeFileHolds)
{
    testing::TempDir dir;
    HDIB picture = testing::MakePhotoLike(203, 101);
    PhotoMetadata metadata;
    metadata.xmp = R"(<?xpacket begin="" id="W5M0MpCehiHzreSzNTczkc9d"?><x:xmpmeta xmlns:x="adobe:ns:meta/">)"
                   R"(<rdf:RDF xmlns:rdf="http://www.w3.org/1999/02/22-rdf-syntax-ns#"><rdf:Description rdf:about="")"
                   R"( xmlns:xmp="http://ns.adobe.com/xap/1.0/" xmp:Label="praia"/></rdf:RDF></x:xmpmeta><?xpacket end="w"?>)";
    for (const bool lzw : {false, true}) {
        MemorySink sink;
        CurrentSaveOptions().compress = lzw;
        ASSERT_EQ(WriteTiff(sink, picture), WriteResult::Written);
        CurrentSaveOptions().compress = false;
        std::vector<std::uint8_t> file = sink.take();
        ASSERT_TRUE(InsertPhotoMetadata(file, metadata, {picture.width(), picture.height(), false}));
        const std::string path = dir.file(lzw ? "lzw.tif" : "plain.tif");
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));

        const PhotoMetadata whole = ReadPhotoMetadata(file);
        const PhotoMetadata read = ReadFileMetadata(path);
        EXPECT_NE(read.xmp.find("praia"), std::string::npos);
        EXPECT_EQ(read.xmp, whole.xmp);
        EXPECT_EQ(read.exif, whole.exif);
        EXPECT_EQ(read.orientation, whole.orientation);
    }
    // A file that only says it is TIFF still reads as one without metadata.
    const std::string broken = dir.file("broken.tif");
    std::ofstream(broken, std::ios::binary) << "II*\0garbage";
    EXPECT_FALSE(ReadFileMetadata(broken).hasBlocks());
}

}  // namespace
}  // namespace lv
