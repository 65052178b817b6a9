#pragma once
// Helpers for the location, path, document and message tests: the shipped catalogue (loaded once),
// bytes written by a record, and golden bytes spelled in hexadecimal.
#include <cctype>
#include <cstdint>
#include <string>
#include <vector>

#include "common/ShippedData.h"
#include "support/BlockFile.h"
#include "support/JD_BlockPar.h"

// "0a 00 ff" -> {0x0A, 0x00, 0xFF}; spaces and line breaks are ignored.
inline std::vector<uint8_t> Hex(const std::string& text) {
  std::vector<uint8_t> bytes;
  std::string digits;
  for (char c : text)
    if (std::isxdigit(static_cast<unsigned char>(c))) digits += c;
  for (std::size_t i = 0; i + 1 < digits.size(); i += 2)
    bytes.push_back(static_cast<uint8_t>(std::stoi(digits.substr(i, 2), nullptr, 16)));
  return bytes;
}

inline std::vector<uint8_t> Repeat(const std::vector<uint8_t>& bytes, int times) {
  std::vector<uint8_t> result;
  for (int i = 0; i < times; ++i) result.insert(result.end(), bytes.begin(), bytes.end());
  return result;
}

inline std::vector<uint8_t> Concat(std::initializer_list<std::vector<uint8_t>> parts) {
  std::vector<uint8_t> result;
  for (const auto& part : parts) result.insert(result.end(), part.begin(), part.end());
  return result;
}

template <typename Record>
std::vector<uint8_t> SavedBytes(const Record& record) {
  TBlockFileWriter writer;
  record.Save(writer);
  return writer.Bytes();
}

// A change in its default state, in the written layout: 0,0,1,0,0; four zero bytes; empty
// ExtraText; two cleared values lists; empty CustomCriticalMsg.
inline const std::vector<uint8_t> DefaultChangeBytes =
    Hex("00000000 00000000 01000000 00000000 00000000  00 00 00 00  0100000000000000"
        "00000000 01  00000000 01  0100000000000000");
inline const std::vector<uint8_t> EmptyTextBytes = Hex("01000000 00000000");
