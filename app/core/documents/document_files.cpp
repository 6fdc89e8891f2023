#include "app/core/documents/document_files.h"

#include "common/beep.h"
#include "common/string_table.h"
#include "common/ui_service.h"
#include "imagelib/codecs/file_names.h"
#include "imagelib/codecs/save_as.h"
#include "imagelib/codecs/save_as_names.h"

namespace lv {
namespace {


std::string_view fileNamePart(std::string_view path)
{
    const auto slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

bool askYesNo(std::string_view text)
{
    return ui::Current().ask(text, ui::kProductTitle, ui::Buttons::YesNo, ui::Icon::Question) == ui::Answer::Yes;
}

}  // namespace

int& CurrentSaveType()
{
    static int type = kSaveAsJpeg;
    return type;
}

std::string DefaultExtension(int saveType)
{
    if (saveType == kSaveAsLayered)
        return ".vlf";
    if (saveType == kSaveAsPng)
        return ".PNG";
    return SaveAsTypeExtension(saveType);
}

std::string WithDefaultExtension(std::string path, int saveType)
{
    if (fileNamePart(path).find('.') == std::string_view::npos)
        path += DefaultExtension(saveType);
    return path;
}

bool SameDocumentName(std::string_view a, std::string_view b)
{
    return ToLowerAscii(a) == ToLowerAscii(b);
}

bool AskOpenSecondCopy(std::string_view path)
{
    return askYesNo("O arquivo " + std::string(path) + " já está aberto.\nDeseja abrir outra cópia?");
}

bool DiscardEmptyPicture(HDIB& picture)
{
    if (picture && picture.width() > 0 && picture.height() > 0)
        return false;
    picture.reset();
    ui::Beep("zero-size picture");
    return true;
}

int SaveTypeOfName(std::string_view path, int fallback)
{
    const int type = SaveTypeOfExtension(TypedExtension(path));
    return type != 0 ? type : fallback;
}

bool AcceptSaveAsType(int saveType, int layerCount)
{
    if (saveType == kSaveAsLayered) {
        if (layerCount > 0)
            return true;
        ui::Current().showMessage(LoadString(kCannotSaveLayeredString), ui::kWarningTitle, ui::Icon::Exclamation);
        return false;
    }
    return layerCount <= 1 || askYesNo(LoadString(kLayersWillBeLostString));
}

bool ConfirmSaveUnderName(std::string_view path, int layerCount)
{
    if (layerCount < 2 || SaveAsExtension(path) == ".VLF")
        return true;
    return askYesNo(LoadString(kLayersWillBeLostString));
}

}  // namespace lv
