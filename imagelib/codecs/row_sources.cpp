#include "imagelib/codecs/row_sources.h"

#include "imagelib/codecs/raw/raw_rows.h"
#include "imagelib/codecs/tiff/tiff_strip_rows.h"

namespace lv {

StreamedRows OpenStreamedRows(ByteSource& source)
{
    // Only TIFF strips come in bands so far; raw files have their own opening below.
    if (!source.seek(0))
        return {};
    return OpenTiffStripRows(source);
}

StreamedRows OpenDevelopedRawRows(ByteSource& source)
{
    // A stop while developing gives no rows either: the general way then stops on its own.
    return {OpenRawRows(source).rows, {}};
}

}  // namespace lv
