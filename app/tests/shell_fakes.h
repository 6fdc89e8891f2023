#pragma once
// Stand-ins for what the main window talks to: a document opener that accepts bitmap names
// and records what it was asked to open, and image windows that record the main window's
// requests.

#include "app/core/documents/document_opener.h"
#include "app/shell/image_windows.h"

#include <string>
#include <vector>

namespace lv::app {

class RecordingOpener final : public DocumentOpener {
public:
    bool acceptsFile(const std::string& path) override { return path.ends_with(".bmp"); }
    bool openDocument(const std::string& path) override
    {
        opened.push_back(path);
        return true;
    }
    std::vector<std::string> opened;
};

class FakeImageWindows final : public ImageWindows {
public:
    bool anyOpen() const override { return open; }
    bool closeAll() override
    {
        ++closeRequests;
        return closes;
    }
    bool activeScrollable() const override { return false; }
    void tick() override {}
    void activateAt(QPoint) override {}
    void workspaceShown(bool shown) override { shownOverWorkspace.push_back(shown); }

    bool open = false;
    bool closes = true;
    int closeRequests = 0;
    std::vector<bool> shownOverWorkspace;
};

}  // namespace lv::app
