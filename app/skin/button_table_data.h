#pragma once
// The per-panel rows of the button definition table, defined in button_table_*.cpp.

#include "app/skin/button_table.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <span>

namespace lv::skin::data {

extern const std::span<const ButtonDefinition> kPanel0;
extern const std::span<const ButtonDefinition> kPanel1;
extern const std::span<const ButtonDefinition> kPanel2;
extern const std::span<const ButtonDefinition> kPanel3;
extern const std::span<const ButtonDefinition> kPanel4;
extern const std::span<const ButtonDefinition> kPanel5;
extern const std::span<const ButtonDefinition> kPanel6;
extern const std::span<const ButtonDefinition> kPanel7;
extern const std::span<const ButtonDefinition> kPanel8;
extern const std::span<const ButtonDefinition> kPanel9;
extern const std::span<const ButtonDefinition> kPanel10;
extern const std::span<const ButtonDefinition> kPanel11;
extern const std::span<const ButtonDefinition> kPanel12;
extern const std::span<const ButtonDefinition> kPanel13;
extern const std::span<const ButtonDefinition> kPanel14;
extern const std::span<const ButtonDefinition> kPanel15;
extern const std::span<const ButtonDefinition> kPanel16;
extern const std::span<const ButtonDefinition> kPanel17;
extern const std::span<const ButtonDefinition> kPanel18;
extern const std::span<const ButtonDefinition> kPanel19;
extern const std::span<const ButtonDefinition> kPanel20;
extern const std::span<const ButtonDefinition> kPanel21;
extern const std::span<const ButtonDefinition> kPanel22;
extern const std::span<const ButtonDefinition> kPanel23;
extern const std::span<const ButtonDefinition> kPanel24;
extern const std::span<const ButtonDefinition> kPanel25;
extern const std::span<const ButtonDefinition> kPanel26;
extern const std::span<const ButtonDefinition> kPanel27;
extern const std::span<const ButtonDefinition> kPanel28;
extern const std::span<const ButtonDefinition> kPanel29;
extern const std::span<const ButtonDefinition> kPanel30;
extern const std::span<const ButtonDefinition> kPanel31;
extern const std::span<const ButtonDefinition> kPanel32;
extern const std::span<const ButtonDefinition> kPanel33;
extern const std::span<const ButtonDefinition> kPanel34;
extern const std::span<const ButtonDefinition> kPanel35;
extern const std::span<const ButtonDefinition> kPanel36;
extern const std::span<const ButtonDefinition> kPanel37;
extern const std::span<const ButtonDefinition> kPanel38;
extern const std::span<const ButtonDefinition> kPanel39;

// Rows several panels share (a section strip, a run of tools) are written once and joined
// with each panel's own rows, in order.
template <std::size_t... N>
constexpr auto Rows(const std::array<ButtonDefinition, N>&... parts)
{
    std::array<ButtonDefinition, (N + ...)> rows{};
    auto next = rows.begin();
    ((next = std::copy(parts.begin(), parts.end(), next)), ...);
    return rows;
}

}  // namespace lv::skin::data
