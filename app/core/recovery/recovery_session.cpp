#include "app/core/recovery/recovery_session.h"

#include "common/byte_sink.h"

#include <cerrno>
#include <chrono>
#include <string>
#include <system_error>
#include <unistd.h>

namespace lv {
namespace fs = std::filesystem;

namespace {

std::string sessionName(int attempt)
{
    const auto micro = std::chrono::duration_cast<std::chrono::microseconds>(
                           std::chrono::system_clock::now().time_since_epoch())
                           .count();
    std::string name = std::to_string(::getpid());
    name.append(1, '-').append(std::to_string(micro));
    if (attempt)
        name.append(1, '-').append(std::to_string(attempt));
    return name;
}

FileFailure failureOf(const std::error_code& ec)
{
    return {ProblemFromErrno(ec.value()), {}};
}

}  // namespace

std::unique_ptr<RecoverySession> RecoverySession::Start(const fs::path& recoveryFolder, FileFailure* failure)
{
    const auto refuse = [failure](FileFailure why) -> std::unique_ptr<RecoverySession> {
        if (failure)
            *failure = std::move(why);
        return nullptr;
    };
    std::error_code ec;
    fs::create_directories(recoveryFolder, ec);
    if (ec)
        return refuse(failureOf(ec));
    // Set up under a dot name and renamed once locked, so no other copy ever sees the folder
    // unlocked and takes it for a crashed one.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = sessionName(attempt);
        const fs::path staging = recoveryFolder / ("." + name);
        const fs::path folder = recoveryFolder / name;
        if (!fs::create_directory(staging, ec)) {
            if (ec)
                return refuse(failureOf(ec));
            continue;  // taken
        }
        const std::string pid = std::to_string(::getpid()) + "\n";
        FileFailure why;
        std::optional<LockedFile> lock;
        if (WriteWholeFile((staging / kRecoveryLockName).string(), {pid.begin(), pid.end()}, &why))
            lock = LockedFile::TryLock(staging / kRecoveryLockName);
        if (lock && !fs::exists(folder, ec)) {
            fs::rename(staging, folder, ec);
            if (!ec)
                return std::unique_ptr<RecoverySession>(new RecoverySession(recoveryFolder, folder, std::move(*lock)));
        }
        fs::remove_all(staging, ec);
        if (why)
            return refuse(why);
    }
    return refuse({FileProblem::DiskError, {}});
}

RecoverySession::RecoverySession(fs::path recoveryFolder, fs::path folder, LockedFile lock)
    : recoveryFolder_(std::move(recoveryFolder))
    , folder_(std::move(folder))
    , lock_(std::move(lock))
{
}

RecoverySession::~RecoverySession()
{
    std::error_code ec;
    fs::remove_all(folder_, ec);
}

std::string RecoverySession::newStem()
{
    return "doc-" + std::to_string(nextStem_++);
}

std::optional<std::string> RecoverySession::adopt(const RecoveryFiles& from)
{
    const std::string stem = newStem();
    const RecoveryFiles to = files(stem);
    std::error_code ec;
    fs::rename(from.copy, to.copy, ec);
    if (ec)
        return std::nullopt;
    fs::rename(from.thumbnail, to.thumbnail, ec);  // a copy without its thumbnail is still whole
    fs::rename(from.info, to.info, ec);
    if (ec) {
        fs::rename(to.copy, from.copy, ec);
        fs::rename(to.thumbnail, from.thumbnail, ec);
        return std::nullopt;
    }
    return stem;
}

}  // namespace lv
