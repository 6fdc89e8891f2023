#include "json_writer.h"

#include <cstdio>

namespace lv::tool {

std::string JsonEscape(std::string_view text)
{
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", unsigned(c));
                out += buf;
            } else {
                out += c;
            }
        }
    }
    return out + "\"";
}

void JsonWriter::separate()
{
    if (needComma_)
        out_ += ',';
    needComma_ = true;
}

JsonWriter& JsonWriter::beginObject()
{
    separate();
    out_ += '{';
    needComma_ = false;
    return *this;
}
JsonWriter& JsonWriter::endObject()
{
    out_ += '}';
    needComma_ = true;
    return *this;
}
JsonWriter& JsonWriter::beginArray()
{
    separate();
    out_ += '[';
    needComma_ = false;
    return *this;
}
JsonWriter& JsonWriter::endArray()
{
    out_ += ']';
    needComma_ = true;
    return *this;
}
JsonWriter& JsonWriter::key(std::string_view name)
{
    separate();
    out_ += JsonEscape(name) + ':';
    needComma_ = false;
    return *this;
}
JsonWriter& JsonWriter::value(std::string_view text)
{
    separate();
    out_ += JsonEscape(text);
    return *this;
}
JsonWriter& JsonWriter::number_(long long number)
{
    separate();
    out_ += std::to_string(number);
    return *this;
}
JsonWriter& JsonWriter::value(bool flag)
{
    separate();
    out_ += flag ? "true" : "false";
    return *this;
}
JsonWriter& JsonWriter::null()
{
    separate();
    out_ += "null";
    return *this;
}

}  // namespace lv::tool
