#pragma once
// The handlers a skin button can call. The main window maps each id to the function of the
// feature that owns it; ids whose feature is not built yet answer with a beep.

#include <string_view>

namespace lv::skin {

enum class Handler : int {
    None = 0,
    // Shell (main window)
    SelectScreenArea,   // group 6: argument 2–6, one of the five main areas
    SwitchScreen,       // argument: the screen id
    ReturnFromInternet, // back to the last screen of the main skin
    About,
    HelpContents,
    Minimize,
    Quit,
    // Skinned controls: the control whose panel fires them handles them
    ListBoxPick,    // a press, drag or release on a list box's rows
    ListBoxScroll,  // a list box's slider
    // Document commands of the base panel
    DeleteLayerOrSelection,
    CloseImage,
    CloseSideImage,  // argument 0 left, 1 right
    Copy,
    Paste,
    Undo,
    Redo,
    FlipHorizontal,
    RotateAllLayers,
    TransformToolChoice,  // group 7: 1 resize, 2 free rotate, 4 move the view
    ZoomIn,
    ZoomOut,
    ZoomReset,
    FullScreenView,
    // Image files and geometry
    OpenImage,
    SaveImageAs,
    NewImage,
    RotateImage,  // argument: degrees clockwise (90, 270)
    FlipVertical,
    ResizeImage,
    CanvasSize,
    // Tools
    SelectTool,  // argument: tool id 1101–1141
    BrushShape,  // argument: shape number
    BrushSize,   // slider
    BrushSpeed,  // slider
    ToolStrength,  // slider of the retouching tools
    CloneAligned,  // check
    SwapColours,
    DefaultColours,
    ChooseStamp,
    ChooseTexture,
    ChooseBrushPicture,  // the picture of brush shape 6
    PaintOption,         // slider; argument: which option (paint_options.cpp)
    PaintCheck,          // check; argument: which option
    // Layers
    NewLayer,
    DuplicateLayer,
    MergeLayerDown,
    FlattenImage,
    ShowLayerPalette,  // toggle
    MoveLayer,         // argument: +1 up, −1 down
    OpenAsLayer,
    // Enhancement and effects
    OneClickEnhancement,  // argument: mode without sliders (6, 7) or the mode to open
    EnhancementMode,      // group: mode 0–5
    EnhancementSlider,    // slider; argument 1–3
    ApplyAdjustment,
    CancelAdjustment,
    PreviewAdjustment,  // check
    EffectChoice,       // argument: operation code
    EffectStrength,     // slider
    // Text
    TextEntry,
    TextFont,
    TextSmoothEdges,  // check
    TextDropShadow,
    // Album
    AlbumAddPhotos,
    AlbumDeletePhotos,
    AlbumSearch,
    AlbumNew,
    AlbumOpenPhoto,
    AlbumProperties,
    AlbumScroll,      // scroll button: step ±1 in the argument's high word
    AlbumScrollBar,   // slider
    AlbumCategory,    // group: category 0–12
    // Acquisition
    AcquireScan,
    SelectScanSource,
    OpenVideoCapture,
    VideoFormat,
    VideoSource,
    GrabVideoFrame,
    CaptureScreen,  // argument: 103 desktop, 102 client area, 101 window with frame
    // Output
    PrintLayoutPage,
    PrintContactSheet,
    PrintSingleImage,
    PrintLabels,
    PrinterSetup,
    StartSlideShow,
    SlideShowSettings,
    // Sharing
    SendEmail,
    EmailRoute,
    AttachActiveImage,  // check
    ConnectPhotoStore,
    DownloadPhotos,
    AddDownloadsToAlbum,  // toggle, mirrored on both photo-store screens
    OpenPhotosFolder,
    UploadPhotos,
    OrderPrints,
    // Projects
    ChooseTemplate,
    PlacePhoto,
    PreviousPlaceholder,
    NextPlaceholder,
    SaveProject,
    PrintProject,
    CalendarYear,   // scroll button: step ±1 in the high word
    CalendarMonth,  // scroll button: step ±1 in the high word
    StitchPanorama,
    OrientationTool,
    // Internet pages
    OpenLink,      // argument: link 1–5
    EditLinks,
    WebAlbumAddPhotos,
    WebAlbumRemovePhoto,
    WebAlbumPublish,
    WebAlbumPreview,
    PlayAnimation,
    StopAnimation,
    SaveAnimation,
    StripPrevious,
    StripNext,
    StripClear,
    // The magic wand's options
    WandContiguous,     // check
    WandTolerance,      // slider; argument 1–3: red, green, blue
    WandToleranceStep,  // scroll button: step ±1 in the high word, the channel in the low word
    WandCombineMode,    // group: 0 new, 1 add, 4 subtract
    // Later additions
    Preferences,       // the title bar's "Preferências…"
    OpenStoreWebSite,  // the photo store's web site, apart from logging in
    AnimationAddPhotos,   // the animation's frames from photos
    AnimationFromLayers,  // the animation's frames from the open picture's layers
    Count
};

// The handler's name in the code, for messages.
std::string_view HandlerName(Handler handler);

// Which part of the program implements a handler. The main window implements Shell
// itself; for the others it calls the owning feature, and answers with a beep while that
// feature has not landed. Unspecified handlers (links, web album, animations, panorama,
// orientation, photo upload and print orders) have no design yet and always beep.
enum class HandlerOwner { None, Shell, Control, ImageWindow, Undo, Clipboard, ImageFiles, Geometry, Tools, Layers,
                          Effects, Text, Album, Acquisition, Printing, SlideShow, Email, PhotoStore, Projects,
                          Unspecified };
HandlerOwner OwnerOf(Handler handler);

}  // namespace lv::skin
