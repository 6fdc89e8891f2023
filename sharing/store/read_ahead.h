#pragma once
// Reading the next downloaded photo on a thread of its own while the window's thread opens
// the one before, so that no turn of the event loop waits for a decoder. One read at a time.

#include "common/ui_service.h"

#include <chrono>
#include <functional>
#include <future>
#include <optional>
#include <string>

namespace lv::sharing {

template <class Result>
class ReadAhead {
public:
    using Read = std::function<Result(const std::string& path)>;

    explicit ReadAhead(Read read)
        : read_(std::move(read))
    {
    }
    ~ReadAhead() { discard(); }
    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

    // Starts reading `path`; a read still under way for another path is waited for and
    // dropped. The reading thread tells the user nothing: a read that fails there is left
    // for the caller to do again on its own thread, where the messages can be shown.
    void start(const std::string& path)
    {
        discard();
        path_ = path;
        pending_ = std::async(std::launch::async, [read = read_, path] {
            ui::SilentService silent;
            ui::ScopedThreadService quiet(silent);
            return read(path);
        });
    }

    // Nothing under way, or what is under way has finished.
    bool ready() const
    {
        return !pending_.valid() || pending_.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
    }

    // What was read for `path` (waiting for it if need be); nothing when no read of that
    // path was started.
    std::optional<Result> take(const std::string& path)
    {
        if (!pending_.valid() || path != path_) {
            discard();
            return std::nullopt;
        }
        path_.clear();
        return pending_.get();
    }

private:
    void discard()
    {
        if (pending_.valid())
            pending_.wait();
        pending_ = {};
        path_.clear();
    }

    Read read_;
    std::string path_;
    std::future<Result> pending_;
};

}  // namespace lv::sharing
