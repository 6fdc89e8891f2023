#include "imagelib/codecs/raw/camera_raw.h"

#include "imagelib/codecs/memory_decode.h"
#include "imagelib/codecs/raw/libraw_session.h"

namespace lv {

ReadResult ReadCameraRaw(ByteSource& source)
{
    LibRawSession session(source);
    if (!session.ok())
        return {session.failure().problem == FileProblem::Cancelled ? ReadCode::Broken : ReadCode::NotThisFormat,
                session.failure()};
    if (FileFailure refused = session.checkDevelopBudget())
        return RefusedPicture(refused);
    LibRaw& raw = session.processor();
    raw.imgdata.params.use_camera_wb = 1;
    raw.imgdata.params.output_bps = 8;
    int code = raw.unpack();
    if (code == LIBRAW_SUCCESS)
        code = raw.dcraw_process();
    if (code != LIBRAW_SUCCESS)
        return LibRawSession::LibraryFailure(code);
    const ProcessedImage developed(raw.dcraw_make_mem_image(&code));
    if (!developed)
        return LibRawSession::LibraryFailure(code);
    ReadResult result = PictureFromProcessed(*developed, session.fileBytes());
    if (result.ok())
        result.facts().alreadyUpright = true;
    return result;
}

ReadResult ReadCameraRaw(const std::string& path)
{
    return ReadFileWith(path, [](ByteSource& source) { return ReadCameraRaw(source); });
}

}  // namespace lv
