#pragma once
// The printing screen's buttons: the single picture page, the print layout page (photo sizes
// or labels), the contact sheet and the printer's settings. The layout page keeps its photos
// for the session; the calibration switch comes from the settings and goes back at exit.

#include "app/output/layout_page_dialog.h"
#include "app/shell/open_album.h"
#include "app/shell/test_hooks.h"
#include "output/print/layout_page.h"

namespace lv::app {

class DocumentWindows;
class MainWindow;

class PrintPages {
public:
    PrintPages(const TestHooks& hooks, const OpenAlbum& openAlbum);
    void attach(MainWindow& mainWindow, DocumentWindows& documents);
    // The album browser's selection, once it offers one.
    void setPhotoSource(const PrintPhotoSource* source) { photoSource_ = source; }

    void printSingleImage();
    void openLayoutPage(int kind);
    void printContactSheet();
    void setUpPrinter();

private:
    const TestHooks& hooks_;
    const OpenAlbum& openAlbum_;
    MainWindow* mainWindow_ = nullptr;
    DocumentWindows* documents_ = nullptr;
    const PrintPhotoSource* photoSource_ = nullptr;
    print::LayoutPage layout_;
    int lastPhotoKind_ = print::kMixedPhotos;
};

}  // namespace lv::app
