#pragma once
// Byte-level text helpers: the program keeps text in UTF-8 but still meets files written
// in the Windows-1252 code page.

#include <cstddef>
#include <string>
#include <string_view>

namespace lv {

bool IsValidUtf8(std::string_view text);

// Appends one code point (up to U+10FFFF) in UTF-8.
void AppendUtf8(std::string& out, char32_t codePoint);

// Each byte taken as a Windows-1252 character (the five unassigned bytes map to the C1
// controls of the same value, as the platform's own conversion does).
std::string Windows1252ToUtf8(std::string_view bytes);

// The text unchanged when it is valid UTF-8, otherwise read as Windows-1252.
std::string ToUtf8(std::string_view bytes);

// The longest prefix of at most maxBytes bytes that does not split a UTF-8 sequence.
std::string_view TruncateUtf8(std::string_view text, std::size_t maxBytes);

// One byte of UTF-8 text with ASCII and Latin-1 capitals made small; `previous` is the byte
// before it (Latin-1 capitals are C3 80..C3 9E without the multiplication sign C3 97).
unsigned char FoldLatinCapital(unsigned char previous, unsigned char byte);

// The text with its ASCII and Latin-1 capitals made small, the rest as it is.
std::string LowerLatin(std::string_view text);

}  // namespace lv
