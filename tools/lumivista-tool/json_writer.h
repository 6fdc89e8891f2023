#pragma once
// Just enough JSON output for scripts: objects, arrays, strings and numbers.

#include <string>
#include <string_view>
#include <type_traits>

namespace lv::tool {

class JsonWriter {
public:
    JsonWriter& beginObject();
    JsonWriter& endObject();
    JsonWriter& beginArray();
    JsonWriter& endArray();
    JsonWriter& key(std::string_view name);
    JsonWriter& value(std::string_view text);
    JsonWriter& value(const char* text) { return value(std::string_view(text)); }
    JsonWriter& value(bool flag);
    template<typename Integer>
        requires(std::is_integral_v<Integer> && !std::is_same_v<Integer, bool>)
    JsonWriter& value(Integer number)
    {
        return number_(static_cast<long long>(number));
    }
    JsonWriter& null();
    const std::string& text() const { return out_; }

private:
    JsonWriter& number_(long long number);
    void separate();
    std::string out_;
    bool needComma_ = false;
};

std::string JsonEscape(std::string_view text);

}  // namespace lv::tool
