#pragma once
// The scanner session of the program: one at a time, process-wide. It opens and closes the
// source manager and a source, lets the user choose a source, enables the source with its
// own dialog, filters the main loop's events so the source's notifications reach it, and
// runs the transfers, handing each picture to the main window.

#include "acquire/source_manager_library.h"
#include "acquire/twain_protocol.h"
#include "acquire/twain_transfers.h"

#include <optional>
#include <string>
#include <vector>

namespace lv::twain {

// What the session asks of the main window.
class AcquisitionHost {
public:
    virtual ~AcquisitionHost() = default;
    virtual void setMainWindowEnabled(bool enabled) = 0;
    // The main window's top-level window comes to the front unless it is there already.
    virtual void bringToFront() = 0;
    // Message 0x0400: a picture, or null when nothing arrived. The receiver owns it.
    virtual void pictureAcquired(HDIB picture) = 0;
};

struct TransferSettings {
    int memoryScan = 0;  // "MemoryScan": non-zero for buffered memory transfers
    int multiScan = 0;   // "MultiScan": non-zero keeps the source for more scans
};

inline constexpr int kPhaseIdle = 0;
inline constexpr int kPhaseWaiting = 3;  // source enabled, waiting for the user

inline constexpr std::size_t kMaxListedSources = 32;
inline constexpr std::size_t kSourceNameBytes = 128;

struct SourceList {
    std::vector<std::string> names;  // at most 32
    std::string defaultName;
};

// The program's identity as the source manager sees it, filled once at start-up.
TW_IDENTITY ApplicationIdentity();

class TwainSession {
public:
    TwainSession(SourceManagerLibrary& library, AcquisitionHost& host, TransferSettings settings, TW_HANDLE parent);
    ~TwainSession();
    TwainSession(const TwainSession&) = delete;
    TwainSession& operator=(const TwainSession&) = delete;

    bool openSourceManager();
    bool closeSourceManager();
    // The manager's selection dialog; false when refused or cancelled (nothing changes then).
    bool selectSource();
    SourceList listSources();
    bool pickSource(int index);
    // By product name (ignoring case), or the current source identity when empty.
    bool openSource(const std::string& productName);
    bool closeSource();
    bool enableSource(bool showUi);
    bool disableSource();
    // 0 on success: the mechanism is set to native in every case.
    int setTransferMechanism();
    // Starts a session; true when the source is enabled and waiting for the user.
    bool acquire(const std::string& productName);
    // Every event of the main loop while the manager is open; true when it was the source's.
    bool filterMessage(void* event);

    // Negotiation beyond the design's, for the command line: a one-value setting before
    // the source is enabled; true when the source took it.
    bool setCapability(TW_UINT16 cap, TW_UINT16 itemType, TW_UINT32 value);
    bool setImageLayout(const TW_FRAME& frame);
    // Enables the open source without its dialog, so it scans at once with the negotiated
    // settings; the filter then runs the transfers as for Acquire.
    bool startWithoutDialog();
    // Every source's identity; the manager must be open.
    std::vector<TW_IDENTITY> sourceIdentities();

    bool managerOpen() const { return managerOpen_; }
    bool sourceOpen() const { return sourceOpen_; }
    bool sourceEnabled() const { return sourceEnabled_; }
    int phase() const { return phase_; }
    const TW_IDENTITY& source() const { return source_; }
    const TransferSettings& settings() const { return settings_; }
    void setSettings(TransferSettings settings) { settings_ = settings; }

private:
    TW_UINT16 call(TW_IDENTITY* dest, TW_UINT32 group, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data);
    void runTransfers();
    void endSession();

    SourceManagerLibrary& library_;
    AcquisitionHost& host_;
    TransferSettings settings_;
    TW_HANDLE parent_;
    DSMENTRYPROC entry_ = nullptr;
    TW_IDENTITY app_;
    TW_IDENTITY source_{};
    bool managerOpen_ = false;
    bool sourceOpen_ = false;
    bool sourceEnabled_ = false;
    int phase_ = kPhaseIdle;
};

}  // namespace lv::twain
