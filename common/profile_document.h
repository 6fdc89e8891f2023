#pragma once
// The text of one private-profile (INI) file held as its lines, so that changing one key
// keeps every other line, comment and section exactly as it was.
//
// Rules: a line "[name]" opens a section; "key=value" lines belong to the section above
// them; names compare without regard to case (ASCII and Latin-1 letters); the first
// section and the first key of a name win; blanks around names and values and one pair of
// matching quotes around a value are dropped. Lines starting with ";" are comments.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lv::profile {

struct Entry {
    std::string key;
    std::string value;
};

bool NamesEqual(std::string_view a, std::string_view b);

class ProfileDocument {
public:
    // Bytes of a file; lines that are not UTF-8 are read as Windows-1252.
    static ProfileDocument Parse(std::string_view bytes);
    // UTF-8 text, with the line ends the file had ("\r\n" or "\n").
    std::string serialize() const;

    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    std::vector<Entry> section(std::string_view section) const;
    bool hasSection(std::string_view section) const;

    // These refuse names and values that would not read back as one line (false).
    bool set(std::string_view section, std::string_view key, std::string_view value);
    bool erase(std::string_view section, std::string_view key);
    bool eraseSection(std::string_view section);
    bool replaceSection(std::string_view section, const std::vector<Entry>& entries);

private:
    struct Range {
        std::size_t header;  // index of the "[name]" line
        std::size_t end;     // one past the section's last line
    };
    std::optional<Range> find(std::string_view section) const;
    std::optional<std::size_t> findKey(const Range& range, std::string_view key) const;
    std::size_t appendSection(std::string_view section);

    std::vector<std::string> lines_;
    bool crlf_ = false;
};

}  // namespace lv::profile
