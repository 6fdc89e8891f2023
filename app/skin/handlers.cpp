#include "app/skin/handlers.h"

#include <array>

namespace lv::skin {
namespace {

struct HandlerInfo {
    std::string_view name;
    HandlerOwner owner;
};

// In the order of the enumeration.
constexpr std::array<HandlerInfo, std::size_t(Handler::Count)> kHandlers = {{
    {"None", HandlerOwner::None},
    {"SelectScreenArea", HandlerOwner::Shell},
    {"SwitchScreen", HandlerOwner::Shell},
    {"ReturnFromInternet", HandlerOwner::Shell},
    {"About", HandlerOwner::Shell},
    {"HelpContents", HandlerOwner::Shell},
    {"Minimize", HandlerOwner::Shell},
    {"Quit", HandlerOwner::Shell},
    {"ListBoxPick", HandlerOwner::Control},
    {"ListBoxScroll", HandlerOwner::Control},
    {"DeleteLayerOrSelection", HandlerOwner::Layers},
    {"CloseImage", HandlerOwner::ImageWindow},
    {"CloseSideImage", HandlerOwner::ImageWindow},
    {"Copy", HandlerOwner::Clipboard},
    {"Paste", HandlerOwner::Clipboard},
    {"Undo", HandlerOwner::Undo},
    {"Redo", HandlerOwner::Undo},
    {"FlipHorizontal", HandlerOwner::Layers},
    {"RotateAllLayers", HandlerOwner::Layers},
    {"TransformToolChoice", HandlerOwner::ImageWindow},
    {"ZoomIn", HandlerOwner::ImageWindow},
    {"ZoomOut", HandlerOwner::ImageWindow},
    {"ZoomReset", HandlerOwner::ImageWindow},
    {"FullScreenView", HandlerOwner::ImageWindow},
    {"OpenImage", HandlerOwner::ImageFiles},
    {"SaveImageAs", HandlerOwner::ImageFiles},
    {"NewImage", HandlerOwner::ImageFiles},
    {"RotateImage", HandlerOwner::Geometry},
    {"FlipVertical", HandlerOwner::Geometry},
    {"ResizeImage", HandlerOwner::Geometry},
    {"CanvasSize", HandlerOwner::Geometry},
    {"SelectTool", HandlerOwner::Tools},
    {"BrushShape", HandlerOwner::Tools},
    {"BrushSize", HandlerOwner::Tools},
    {"BrushSpeed", HandlerOwner::Tools},
    {"ToolStrength", HandlerOwner::Tools},
    {"CloneAligned", HandlerOwner::Tools},
    {"SwapColours", HandlerOwner::Tools},
    {"DefaultColours", HandlerOwner::Tools},
    {"ChooseStamp", HandlerOwner::Tools},
    {"ChooseTexture", HandlerOwner::Tools},
    {"ChooseBrushPicture", HandlerOwner::Tools},
    {"PaintOption", HandlerOwner::Tools},
    {"PaintCheck", HandlerOwner::Tools},
    {"NewLayer", HandlerOwner::Layers},
    {"DuplicateLayer", HandlerOwner::Layers},
    {"MergeLayerDown", HandlerOwner::Layers},
    {"FlattenImage", HandlerOwner::Layers},
    {"ShowLayerPalette", HandlerOwner::Layers},
    {"MoveLayer", HandlerOwner::Layers},
    {"OpenAsLayer", HandlerOwner::Layers},
    {"OneClickEnhancement", HandlerOwner::Effects},
    {"EnhancementMode", HandlerOwner::Effects},
    {"EnhancementSlider", HandlerOwner::Effects},
    {"ApplyAdjustment", HandlerOwner::Effects},
    {"CancelAdjustment", HandlerOwner::Effects},
    {"PreviewAdjustment", HandlerOwner::Effects},
    {"EffectChoice", HandlerOwner::Effects},
    {"EffectStrength", HandlerOwner::Effects},
    {"TextEntry", HandlerOwner::Text},
    {"TextFont", HandlerOwner::Text},
    {"TextSmoothEdges", HandlerOwner::Text},
    {"TextDropShadow", HandlerOwner::Text},
    {"AlbumAddPhotos", HandlerOwner::Album},
    {"AlbumDeletePhotos", HandlerOwner::Album},
    {"AlbumSearch", HandlerOwner::Album},
    {"AlbumNew", HandlerOwner::Album},
    {"AlbumOpenPhoto", HandlerOwner::Album},
    {"AlbumProperties", HandlerOwner::Album},
    {"AlbumScroll", HandlerOwner::Album},
    {"AlbumScrollBar", HandlerOwner::Album},
    {"AlbumCategory", HandlerOwner::Album},
    {"AcquireScan", HandlerOwner::Acquisition},
    {"SelectScanSource", HandlerOwner::Acquisition},
    {"OpenVideoCapture", HandlerOwner::Acquisition},
    {"VideoFormat", HandlerOwner::Acquisition},
    {"VideoSource", HandlerOwner::Acquisition},
    {"GrabVideoFrame", HandlerOwner::Acquisition},
    {"CaptureScreen", HandlerOwner::Acquisition},
    {"PrintLayoutPage", HandlerOwner::Printing},
    {"PrintContactSheet", HandlerOwner::Printing},
    {"PrintSingleImage", HandlerOwner::Printing},
    {"PrintLabels", HandlerOwner::Printing},
    {"PrinterSetup", HandlerOwner::Printing},
    {"StartSlideShow", HandlerOwner::SlideShow},
    {"SlideShowSettings", HandlerOwner::SlideShow},
    {"SendEmail", HandlerOwner::Email},
    {"EmailRoute", HandlerOwner::Email},
    {"AttachActiveImage", HandlerOwner::Email},
    {"ConnectPhotoStore", HandlerOwner::PhotoStore},
    {"DownloadPhotos", HandlerOwner::PhotoStore},
    {"AddDownloadsToAlbum", HandlerOwner::PhotoStore},
    {"OpenPhotosFolder", HandlerOwner::PhotoStore},
    {"UploadPhotos", HandlerOwner::Unspecified},
    {"OrderPrints", HandlerOwner::Unspecified},
    {"ChooseTemplate", HandlerOwner::Projects},
    {"PlacePhoto", HandlerOwner::Projects},
    {"PreviousPlaceholder", HandlerOwner::Projects},
    {"NextPlaceholder", HandlerOwner::Projects},
    {"SaveProject", HandlerOwner::Projects},
    {"PrintProject", HandlerOwner::Projects},
    {"CalendarYear", HandlerOwner::Projects},
    {"CalendarMonth", HandlerOwner::Projects},
    {"StitchPanorama", HandlerOwner::Unspecified},
    {"OrientationTool", HandlerOwner::Unspecified},
    {"OpenLink", HandlerOwner::Unspecified},
    {"EditLinks", HandlerOwner::Unspecified},
    {"WebAlbumAddPhotos", HandlerOwner::Unspecified},
    {"WebAlbumRemovePhoto", HandlerOwner::Unspecified},
    {"WebAlbumPublish", HandlerOwner::Unspecified},
    {"WebAlbumPreview", HandlerOwner::Unspecified},
    {"PlayAnimation", HandlerOwner::Unspecified},
    {"StopAnimation", HandlerOwner::Unspecified},
    {"SaveAnimation", HandlerOwner::Unspecified},
    {"StripPrevious", HandlerOwner::Unspecified},
    {"StripNext", HandlerOwner::Unspecified},
    {"StripClear", HandlerOwner::Unspecified},
    {"WandContiguous", HandlerOwner::Tools},
    {"WandTolerance", HandlerOwner::Tools},
    {"WandToleranceStep", HandlerOwner::Tools},
    {"WandCombineMode", HandlerOwner::Tools},
    {"Preferences", HandlerOwner::Shell},
    {"OpenStoreWebSite", HandlerOwner::PhotoStore},
    {"AnimationAddPhotos", HandlerOwner::Unspecified},
    {"AnimationFromLayers", HandlerOwner::Unspecified},
}};

}  // namespace

std::string_view HandlerName(Handler handler)
{
    const auto i = std::size_t(handler);
    return i < kHandlers.size() ? kHandlers[i].name : std::string_view{};
}

HandlerOwner OwnerOf(Handler handler)
{
    const auto i = std::size_t(handler);
    return i < kHandlers.size() ? kHandlers[i].owner : HandlerOwner::None;
}

}  // namespace lv::skin
