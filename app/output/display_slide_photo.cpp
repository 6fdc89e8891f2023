#include "app/output/display_slide_photo.h"

#include "app/core/view/display_colours.h"
#include "output/slide_painter.h"

namespace lv {

HDIB LoadSlidePhotoForDisplay(const std::string& path)
{
    PictureFacts facts;
    HDIB photo = LoadSlidePhoto(path, &facts);
    if (photo)
        ConvertForDisplay(photo, facts.iccProfile);
    return photo;
}

}  // namespace lv
