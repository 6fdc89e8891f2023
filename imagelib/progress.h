#pragma once
// Cancellation and progress shared by every long image operation.

#include <string_view>

namespace lv {

inline constexpr std::string_view kProgressReading = "Leitura";
inline constexpr std::string_view kProgressWriting = "Gravação";
inline constexpr std::string_view kProgressProcessing = "Processando";

// True only while cancellation is enabled and Esc is held at the moment of the call.
bool AbortRequested();
// The process-wide switch; off at start.
void SetCancellationEnabled(bool enabled);
bool CancellationEnabled();

void ReportProgress(std::string_view caption, int percent);

}  // namespace lv
