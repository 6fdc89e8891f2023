#pragma once
// The shell's side of the tools (edit/tools): which tool is current lives there; here is
// what the windows need besides it.

#include "edit/tools/tool_registry.h"

namespace lv {

// Set while a long document operation runs: the image windows ignore the mouse meanwhile.
bool& DocumentEngineBusy();

class EngineBusy {
public:
    EngineBusy()
        : previous_(DocumentEngineBusy())
    {
        DocumentEngineBusy() = true;
    }
    ~EngineBusy() { DocumentEngineBusy() = previous_; }
    EngineBusy(const EngineBusy&) = delete;
    EngineBusy& operator=(const EngineBusy&) = delete;

private:
    bool previous_;
};

}  // namespace lv
