#pragma once
// Fuzz targets run with a UI service that shows nothing and never cancels.

#include "common/ui_service.h"

namespace lv::fuzz {

class SilentService final : public ui::Service {
public:
    void showMessage(std::string_view, std::string_view, ui::Icon) override {}
    ui::Answer ask(std::string_view, std::string_view, ui::Buttons, ui::Icon) override { return ui::Answer::No; }
    void beep() override {}
    void setBusy(bool) override {}
    void reportProgress(std::string_view, int) override {}
    bool escapeHeld() override { return false; }
};

inline void InstallSilentService()
{
    static SilentService service;
    static ui::ScopedService guard(service);
}

}  // namespace lv::fuzz
