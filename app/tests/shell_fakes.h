#pragma once
// A document opener that accepts bitmap names and records what it was asked to open.

#include "app/core/document_opener.h"

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

}  // namespace lv::app
