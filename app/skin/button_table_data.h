#pragma once
// The per-panel rows of the button definition table, defined in button_table_*.cpp.

#include "app/skin/button_table.h"

#include <cstddef>

namespace lv::skin::data {

extern const ButtonDefinition kPanel0[];
extern const std::size_t kPanel0Count;
extern const ButtonDefinition kPanel1[];
extern const std::size_t kPanel1Count;
extern const ButtonDefinition kPanel2[];
extern const std::size_t kPanel2Count;
extern const ButtonDefinition kPanel3[];
extern const std::size_t kPanel3Count;
extern const ButtonDefinition kPanel4[];
extern const std::size_t kPanel4Count;
extern const ButtonDefinition kPanel5[];
extern const std::size_t kPanel5Count;
extern const ButtonDefinition kPanel6[];
extern const std::size_t kPanel6Count;
extern const ButtonDefinition kPanel7[];
extern const std::size_t kPanel7Count;
extern const ButtonDefinition kPanel8[];
extern const std::size_t kPanel8Count;
extern const ButtonDefinition kPanel9[];
extern const std::size_t kPanel9Count;
extern const ButtonDefinition kPanel10[];
extern const std::size_t kPanel10Count;
extern const ButtonDefinition kPanel11[];
extern const std::size_t kPanel11Count;
extern const ButtonDefinition kPanel12[];
extern const std::size_t kPanel12Count;
extern const ButtonDefinition kPanel13[];
extern const std::size_t kPanel13Count;
extern const ButtonDefinition kPanel14[];
extern const std::size_t kPanel14Count;
extern const ButtonDefinition kPanel15[];
extern const std::size_t kPanel15Count;
extern const ButtonDefinition kPanel16[];
extern const std::size_t kPanel16Count;
extern const ButtonDefinition kPanel17[];
extern const std::size_t kPanel17Count;
extern const ButtonDefinition kPanel18[];
extern const std::size_t kPanel18Count;
extern const ButtonDefinition kPanel19[];
extern const std::size_t kPanel19Count;
extern const ButtonDefinition kPanel20[];
extern const std::size_t kPanel20Count;
extern const ButtonDefinition kPanel21[];
extern const std::size_t kPanel21Count;
extern const ButtonDefinition kPanel22[];
extern const std::size_t kPanel22Count;
extern const ButtonDefinition kPanel23[];
extern const std::size_t kPanel23Count;
extern const ButtonDefinition kPanel24[];
extern const std::size_t kPanel24Count;
extern const ButtonDefinition kPanel25[];
extern const std::size_t kPanel25Count;
extern const ButtonDefinition kPanel26[];
extern const std::size_t kPanel26Count;
extern const ButtonDefinition kPanel27[];
extern const std::size_t kPanel27Count;
extern const ButtonDefinition kPanel28[];
extern const std::size_t kPanel28Count;
extern const ButtonDefinition kPanel29[];
extern const std::size_t kPanel29Count;
extern const ButtonDefinition kPanel30[];
extern const std::size_t kPanel30Count;
extern const ButtonDefinition kPanel31[];
extern const std::size_t kPanel31Count;
extern const ButtonDefinition kPanel32[];
extern const std::size_t kPanel32Count;
extern const ButtonDefinition kPanel33[];
extern const std::size_t kPanel33Count;
extern const ButtonDefinition kPanel34[];
extern const std::size_t kPanel34Count;

}  // namespace lv::skin::data
