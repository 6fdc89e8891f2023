#include "imagelib/codecs/raw/camera_raw.h"

#include "imagelib/codecs/memory_decode.h"
#include "imagelib/codecs/raw/libraw_session.h"

namespace lv {

ReadResult ReadCameraRaw(ByteSource& source)
{
    LibRawSession session(source);
    if (!session.ok())
        return UnreadInput(session.failure());
    if (FileFailure refused = session.checkDevelopBudget())
        return RefusedPicture(refused);
    return DevelopWithCameraBalance(session, false);
}

ReadResult ReadCameraRaw(const std::string& path)
{
    return ReadFileWith(path, [](ByteSource& source) { return ReadCameraRaw(source); });
}

}  // namespace lv
