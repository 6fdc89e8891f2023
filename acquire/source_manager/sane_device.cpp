#include "acquire/source_manager/sane_device.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace lv::twain {

std::unique_ptr<SaneDevice> SaneDevice::Open(const std::string& name)
{
    SANE_Handle handle = nullptr;
    if (sane_open(name.c_str(), &handle) != SANE_STATUS_GOOD || !handle)
        return nullptr;
    return std::unique_ptr<SaneDevice>(new SaneDevice(name, handle));
}

SaneDevice::~SaneDevice()
{
    sane_cancel(handle_);
    sane_close(handle_);
}

const SANE_Option_Descriptor* SaneDevice::descriptor(int index) const
{
    return index > 0 ? sane_get_option_descriptor(handle_, index) : nullptr;
}

int SaneDevice::find(std::string_view option) const
{
    SANE_Int count = 0;
    if (sane_control_option(handle_, 0, SANE_ACTION_GET_VALUE, &count, nullptr) != SANE_STATUS_GOOD)
        return 0;
    for (int i = 1; i < count; ++i) {
        const SANE_Option_Descriptor* d = sane_get_option_descriptor(handle_, i);
        if (d && d->name && option == d->name && SANE_OPTION_IS_ACTIVE(d->cap))
            return i;
    }
    return 0;
}

bool SaneDevice::settable(std::string_view option) const
{
    const SANE_Option_Descriptor* d = descriptor(find(option));
    return d && SANE_OPTION_IS_SETTABLE(d->cap);
}

SANE_Unit SaneDevice::unit(std::string_view option) const
{
    const SANE_Option_Descriptor* d = descriptor(find(option));
    return d ? d->unit : SANE_UNIT_NONE;
}

namespace {

double FromWord(SANE_Value_Type type, SANE_Word word)
{
    return type == SANE_TYPE_FIXED ? SANE_UNFIX(word) : double(word);
}

SANE_Word ToWord(SANE_Value_Type type, double value)
{
    return type == SANE_TYPE_FIXED ? SANE_FIX(value) : SANE_Word(std::lround(value));
}

bool IsNumber(const SANE_Option_Descriptor* d)
{
    return d && (d->type == SANE_TYPE_INT || d->type == SANE_TYPE_FIXED) && d->size >= SANE_Int(sizeof(SANE_Word));
}

}  // namespace

std::optional<double> SaneDevice::number(std::string_view option) const
{
    const int index = find(option);
    const SANE_Option_Descriptor* d = descriptor(index);
    if (!IsNumber(d))
        return std::nullopt;
    // Arrays (per-channel values) are read whole; the first element stands for all.
    std::vector<SANE_Word> words(std::size_t(d->size) / sizeof(SANE_Word) + 1);
    if (sane_control_option(handle_, index, SANE_ACTION_GET_VALUE, words.data(), nullptr) != SANE_STATUS_GOOD)
        return std::nullopt;
    return FromWord(d->type, words[0]);
}

NumberChoices SaneDevice::numberChoices(std::string_view option) const
{
    NumberChoices choices;
    const SANE_Option_Descriptor* d = descriptor(find(option));
    if (!IsNumber(d))
        return choices;
    if (d->constraint_type == SANE_CONSTRAINT_RANGE && d->constraint.range) {
        choices.isRange = true;
        choices.min = FromWord(d->type, d->constraint.range->min);
        choices.max = FromWord(d->type, d->constraint.range->max);
        choices.step = FromWord(d->type, d->constraint.range->quant);
    } else if (d->constraint_type == SANE_CONSTRAINT_WORD_LIST && d->constraint.word_list) {
        const SANE_Word count = d->constraint.word_list[0];
        for (SANE_Word i = 1; i <= count; ++i)
            choices.values.push_back(FromWord(d->type, d->constraint.word_list[i]));
    } else {
        choices.isRange = true;
        choices.min = d->type == SANE_TYPE_FIXED ? -32768.0 : double(INT32_MIN);
        choices.max = d->type == SANE_TYPE_FIXED ? 32767.0 : double(INT32_MAX);
    }
    return choices;
}

bool SaneDevice::setNumber(std::string_view option, double value)
{
    const int index = find(option);
    const SANE_Option_Descriptor* d = descriptor(index);
    if (!IsNumber(d) || !SANE_OPTION_IS_SETTABLE(d->cap))
        return false;
    const NumberChoices choices = numberChoices(option);
    if (choices.isRange) {
        value = std::clamp(value, choices.min, choices.max);
        if (choices.step > 0)
            value = choices.min + std::round((value - choices.min) / choices.step) * choices.step;
        value = std::min(value, choices.max);
    } else if (!choices.values.empty()) {
        value = *std::min_element(choices.values.begin(), choices.values.end(),
                                  [value](double a, double b) { return std::abs(a - value) < std::abs(b - value); });
    }
    std::vector<SANE_Word> words(std::size_t(d->size) / sizeof(SANE_Word), ToWord(d->type, value));
    SANE_Int info = 0;
    return sane_control_option(handle_, index, SANE_ACTION_SET_VALUE, words.data(), &info) == SANE_STATUS_GOOD;
}

std::optional<std::string> SaneDevice::text(std::string_view option) const
{
    const int index = find(option);
    const SANE_Option_Descriptor* d = descriptor(index);
    if (!d || d->type != SANE_TYPE_STRING || d->size <= 0)
        return std::nullopt;
    std::vector<char> value(std::size_t(d->size) + 1, '\0');
    if (sane_control_option(handle_, index, SANE_ACTION_GET_VALUE, value.data(), nullptr) != SANE_STATUS_GOOD)
        return std::nullopt;
    return std::string(value.data());
}

bool SaneDevice::setText(std::string_view option, const std::string& value)
{
    const int index = find(option);
    const SANE_Option_Descriptor* d = descriptor(index);
    if (!d || d->type != SANE_TYPE_STRING || !SANE_OPTION_IS_SETTABLE(d->cap) || value.size() >= std::size_t(d->size))
        return false;
    std::vector<char> buffer(std::size_t(d->size), '\0');
    std::memcpy(buffer.data(), value.data(), value.size());
    SANE_Int info = 0;
    return sane_control_option(handle_, index, SANE_ACTION_SET_VALUE, buffer.data(), &info) == SANE_STATUS_GOOD;
}

std::vector<std::string> SaneDevice::textChoices(std::string_view option) const
{
    std::vector<std::string> list;
    const SANE_Option_Descriptor* d = descriptor(find(option));
    if (d && d->type == SANE_TYPE_STRING && d->constraint_type == SANE_CONSTRAINT_STRING_LIST && d->constraint.string_list)
        for (const SANE_String_Const* s = d->constraint.string_list; *s; ++s)
            list.emplace_back(*s);
    return list;
}

SANE_Status SaneDevice::start()
{
    return sane_start(handle_);
}

void SaneDevice::cancel()
{
    sane_cancel(handle_);
}

}  // namespace lv::twain
