#pragma once
// The click sounds of the skin buttons, played from the program folder. A machine without
// a sound device plays nothing, silently.

#include <QSoundEffect>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <string_view>

namespace lv::app {

class ClickSounds {
public:
    explicit ClickSounds(std::filesystem::path folder)
        : folder_(std::move(folder))
    {
    }

    void play(std::string_view file);

private:
    std::filesystem::path folder_;
    // Each sound is decoded once, on its first use.
    std::map<std::string, std::unique_ptr<QSoundEffect>, std::less<>> effects_;
};

}  // namespace lv::app
