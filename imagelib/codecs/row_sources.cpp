#include "imagelib/codecs/row_sources.h"

#include "imagelib/codecs/tiff/tiff_strip_rows.h"

namespace lv {

StreamedRows OpenStreamedRows(ByteSource& source)
{
    for (const auto open : {OpenTiffStripRows}) {
        if (!source.seek(0))
            return {};
        if (StreamedRows opened = open(source); opened.rows)
            return opened;
    }
    return {};
}

}  // namespace lv
