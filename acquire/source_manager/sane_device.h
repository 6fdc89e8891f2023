#pragma once
// One opened scanner device and its options, reached by the options' well-known names
// ("mode", "resolution", "tl-x", ...). Numbers are read and written as doubles whatever the
// option's type (integer or fixed point); values outside a constraint are brought inside it.

#include <sane/sane.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lv::twain {

struct NumberChoices {
    bool isRange = false;
    double min = 0, max = 0, step = 0;  // a range (step 0: any value)
    std::vector<double> values;        // or a list
    bool empty() const { return !isRange && values.empty(); }
};

class SaneDevice {
public:
    // Null when the device can't be opened.
    static std::unique_ptr<SaneDevice> Open(const std::string& name);
    ~SaneDevice();
    SaneDevice(const SaneDevice&) = delete;
    SaneDevice& operator=(const SaneDevice&) = delete;

    const std::string& name() const { return name_; }
    SANE_Handle handle() const { return handle_; }

    // The option exists, is active and can be set by software.
    bool settable(std::string_view option) const;
    bool has(std::string_view option) const { return find(option) > 0; }

    std::optional<double> number(std::string_view option) const;
    // Brought within the option's range or to the nearest listed value.
    bool setNumber(std::string_view option, double value);
    NumberChoices numberChoices(std::string_view option) const;
    // The option's unit (SANE_UNIT_MM, SANE_UNIT_DPI, ...), SANE_UNIT_NONE when absent.
    SANE_Unit unit(std::string_view option) const;

    std::optional<std::string> text(std::string_view option) const;
    bool setText(std::string_view option, const std::string& value);
    std::vector<std::string> textChoices(std::string_view option) const;

    // Starts a frame; false with the status when the device refuses.
    SANE_Status start();
    void cancel();

private:
    SaneDevice(std::string name, SANE_Handle handle)
        : name_(std::move(name))
        , handle_(handle)
    {
    }
    // The option's index, 0 when there is none (option 0 is the count).
    int find(std::string_view option) const;
    const SANE_Option_Descriptor* descriptor(int index) const;

    std::string name_;
    SANE_Handle handle_;
};

}  // namespace lv::twain
