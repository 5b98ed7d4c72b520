// The fields of the wire formats: 16-bit words in either byte order and NUL-terminated texts.
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

// Little-endian, the order of SMB and of the remote administration protocol.
void PutWord(std::vector<uint8_t>& out, uint16_t value);
uint16_t GetWord(std::span<const uint8_t> bytes, size_t at);

// Big-endian, the order of the NetBIOS name service.
void PutBigEndianWord(std::vector<uint8_t>& out, uint16_t value);
uint16_t GetBigEndianWord(std::span<const uint8_t> bytes, size_t at);

// The text and its NUL. A text holding a NUL itself raises std::invalid_argument "<what> cannot hold a NUL byte".
void PutText(std::vector<uint8_t>& out, std::string_view text, std::string_view what);
