#pragma once
// Whether the safe write path flushes a file to the disk before it replaces the old one. It
// always does, except while a command-line batch has asked for speed over durability: the
// temporary file and the rename stay, so a failed write still leaves the old file whole,
// but a power cut may lose the new one. The program never turns it off.

namespace lv {

// While one lives, FileSink::close skips the flush.
class UnsyncedWrites {
public:
    UnsyncedWrites();
    ~UnsyncedWrites();
    UnsyncedWrites(const UnsyncedWrites&) = delete;
    UnsyncedWrites& operator=(const UnsyncedWrites&) = delete;
};

bool WritesAreSynced();

}  // namespace lv
