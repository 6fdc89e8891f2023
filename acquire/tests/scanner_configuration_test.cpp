// The scanner interface's configuration comes from the system's folder, never from the folder
// the program was started from, unless the user chose one.

#include "acquire/source_manager/scanner_configuration.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace lv::twain {
namespace {

// Puts the variable back as it was when the test ends.
class SavedVariable {
public:
    explicit SavedVariable(const char* name)
        : name_(name)
    {
        if (const char* value = std::getenv(name))
            value_ = value;
    }
    ~SavedVariable()
    {
        if (value_)
            ::setenv(name_, value_->c_str(), 1);
        else
            ::unsetenv(name_);
    }
    SavedVariable(const SavedVariable&) = delete;
    SavedVariable& operator=(const SavedVariable&) = delete;

private:
    const char* name_;
    std::optional<std::string> value_;
};

std::string Variable()
{
    const char* value = std::getenv("SANE_CONFIG_DIR");
    return value ? value : "(unset)";
}

TEST(ScannerConfiguration, UnsetOrEmptyBecomesTheSystemFolderWithoutTheCurrentOneAndAChoiceIsKept)
{
    SavedVariable saved("SANE_CONFIG_DIR");
    ::unsetenv("SANE_CONFIG_DIR");
    UseSystemScannerConfigurationUnlessChosen();
    EXPECT_EQ(Variable(), "/etc/sane.d") << "no trailing ':', which would search the current folder first";

    ::setenv("SANE_CONFIG_DIR", "", 1);
    UseSystemScannerConfigurationUnlessChosen();
    EXPECT_EQ(Variable(), "/etc/sane.d");

    for (const char* chosen : {"/tmp/lv-sane-own", "/tmp/mine:", "/a:/b"}) {
        ::setenv("SANE_CONFIG_DIR", chosen, 1);
        UseSystemScannerConfigurationUnlessChosen();
        EXPECT_EQ(Variable(), chosen);
    }
}

}  // namespace
}  // namespace lv::twain
