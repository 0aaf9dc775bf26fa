#pragma once

#include <cstddef>

#include "GUI/foundation/CFerroString.h"

// The SHA-256 digest of a block of bytes, as 64 lowercase hexadecimal digits
// (what sha256sum prints). The game recognises a file's content by it, so a
// copy of a file under another name is recognised too and an edited one is
// not. Null data counts as no bytes.
CFerroString Sha256Hex(const unsigned char* data, size_t size);
