#pragma once
// How many processors the process may run on: its affinity (a container or `taskset` may
// allow fewer than the machine has), read once.

namespace lv {

// At least 1.
int ProcessorCount();

}  // namespace lv
