#pragma once

#include <cstddef>
#include <string>

// A digest that tells contents apart (the checksum of CRC.h does not: moving
// a byte can keep it): the SHA-256 of the bytes as 64 lowercase hexadecimal
// digits, what sha256sum prints. The game knows a map by it, under any name
// and not once edited. Null data counts as no bytes.
std::string ContentDigest(const void* data, size_t size);
