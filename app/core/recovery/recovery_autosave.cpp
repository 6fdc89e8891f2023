#include "app/core/recovery/recovery_autosave.h"

#include "app/core/recovery/recovery_snapshot.h"
#include "common/settings_keys.h"
#include "app/core/documents/untitled_names.h"

#include <algorithm>

namespace lv {

int AutoSaveSeconds(const Settings& settings)
{
    return std::clamp(settings.get(setting::kAutoSaveSeconds), 0, kMaxAutoSaveSeconds);
}

bool SetAutoSaveSeconds(Settings& settings, int seconds)
{
    return settings.userSetInt(setting::kAutoSaveSeconds.name, std::clamp(seconds, 0, kMaxAutoSaveSeconds));
}

std::uint64_t EstimatedRecoveryCopyBytes(const LayerStack& document)
{
    constexpr std::uint64_t kPerLayer = 48 + 16 + 1024 + 16 + 1078 + 4096;  // table, headers, name, colour table
    std::uint64_t bytes = 48;
    for (int i = 0; i < std::clamp(document.layerCount, 0, kMaxLayers); ++i) {
        const LayerRecord& layer = document.layers[std::size_t(i)];
        bytes += kPerLayer;
        if (layer.image)
            bytes += layer.image.size();
        if (layer.mask)
            bytes += layer.mask.size() + layer.mask.size() / 64;  // run-length data can outgrow the rows a little
    }
    return bytes;
}

AutoSaver::AutoSaver(RecoverySession& session, RecoveryWriter& writer)
    : session_(session)
    , writer_(writer)
{
}

void AutoSaver::setInterval(int seconds)
{
    interval_ = std::clamp(seconds, 0, kMaxAutoSaveSeconds);
}

bool AutoSaver::stepTaken(int id)
{
    State& state = states_[id];
    ++state.changes;
    return enabled() && state.changes >= kAutoSaveStepCount;
}

bool AutoSaver::changed(const AutoSaveDocument& document, const State& state) const
{
    // An unmodified document is as its file holds it; a modified one without a copy may have
    // changed without an undo step.
    return document.document && document.document->modified && !state.tooLarge && (state.changes > 0 || !state.hasCopy);
}

void AutoSaver::write(const AutoSaveDocument& document, State& state, std::int64_t now)
{
    const LayerStack& stack = *document.document;
    if (EstimatedRecoveryCopyBytes(stack) > kMaxRecoveryCopyBytes) {
        state.tooLarge = true;
        return;
    }
    if (state.stem.empty())
        state.stem = session_.newStem();
    RecoveryJob job;
    job.stem = state.stem;
    job.snapshot = TakeRecoverySnapshot(stack);
    job.info.title = document.title;
    job.info.untitled = IsUntitledTitle(document.title);
    job.info.savedAt = now;
    job.info.programVersion = setting::kProgramVersion;
    job.info.width = stack.width;
    job.info.height = stack.height;
    if (stack.composite) {
        job.info.xPelsPerMeter = stack.composite.header().biXPelsPerMeter;
        job.info.yPelsPerMeter = stack.composite.header().biYPelsPerMeter;
    } else {
        job.info.xPelsPerMeter = stack.xResolution;
        job.info.yPelsPerMeter = stack.yResolution;
    }
    writer_.write(std::move(job));
    state.hasCopy = true;
    state.changes = 0;
}

int AutoSaver::writeChanged(std::span<const AutoSaveDocument> documents, std::int64_t now)
{
    return writeWhere(documents, now, 0);
}

int AutoSaver::writeDue(std::span<const AutoSaveDocument> documents, std::int64_t now)
{
    return writeWhere(documents, now, kAutoSaveStepCount);
}

int AutoSaver::writeWhere(std::span<const AutoSaveDocument> documents, std::int64_t now, int leastChanges)
{
    if (!enabled())
        return 0;
    int written = 0;
    for (const AutoSaveDocument& document : documents) {
        State& state = states_[document.id];
        if (state.changes >= leastChanges && changed(document, state)) {
            write(document, state, now);
            written += state.tooLarge ? 0 : 1;
        }
    }
    return written;
}

void AutoSaver::writeFailed(const std::string& stem)
{
    for (auto& [id, state] : states_)
        if (state.stem == stem && state.hasCopy)
            state.changes = std::max(state.changes, 1);
}

void AutoSaver::saved(int id)
{
    const auto it = states_.find(id);
    if (it == states_.end())
        return;
    State& state = it->second;
    state.changes = 0;
    if (!state.stem.empty())
        writer_.remove(state.stem);
    state.hasCopy = false;
}

void AutoSaver::closed(int id)
{
    saved(id);
    states_.erase(id);
}

void AutoSaver::adopt(int id, std::string stem)
{
    State& state = states_[id];
    state.stem = std::move(stem);
    state.hasCopy = true;
    state.changes = 0;
}

std::optional<std::string> AutoSaver::copyOf(int id) const
{
    const auto it = states_.find(id);
    if (it == states_.end() || !it->second.hasCopy)
        return std::nullopt;
    return it->second.stem;
}

}  // namespace lv
