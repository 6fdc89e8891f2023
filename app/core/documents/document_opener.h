#pragma once
// Where the shell hands files to be opened as documents: the command line and dropped files.

#include <string>

namespace lv {

class DocumentOpener {
public:
    virtual ~DocumentOpener() = default;
    // The main window's check whether it will open this file at all.
    virtual bool acceptsFile(const std::string& path) = 0;
    // Opens the file as a document; false when it could not be opened.
    virtual bool openDocument(const std::string& path) = 0;
};

}  // namespace lv
