#pragma once
// The opener the shell uses until documents have image windows: it takes any readable file
// and records that the file was handed over (in the test log).

#include "app/core/document_opener.h"
#include "app/test_hooks.h"

namespace lv::app {

class HandedFilesOpener final : public DocumentOpener {
public:
    explicit HandedFilesOpener(const TestHooks& hooks)
        : hooks_(hooks)
    {
    }
    bool acceptsFile(const std::string& path) override;
    bool openDocument(const std::string& path) override;

private:
    const TestHooks& hooks_;
};

}  // namespace lv::app
