#pragma once
// UTF-16 <-> UTF-8 for the XML files of the memory.
#include <string>
#include <string_view>

// A lone surrogate becomes U+FFFD: UTF-8 cannot hold it.
std::string Utf16ToUtf8(std::u16string_view text);
// Bytes that are not UTF-8 become U+FFFD each.
std::u16string Utf8ToUtf16(std::string_view text);
