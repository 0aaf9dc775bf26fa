#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "GUI/sound/GMusicDecoder.h"
#include "tests/support/Bytes.h"

// Ogg file images page by page, for making damaged music files that still
// pass (or are meant to fail) the decoder's page check.

struct OggPage {
  size_t start;
  size_t size;
};

// The whole pages of the image from its start, up to the first bytes that
// are not one.
inline std::vector<OggPage> OggPages(const Bytes& ogg) {
  std::vector<OggPage> pages;
  size_t at = 0;
  while (ogg.size() - at >= 27 && ogg[at] == 'O' && ogg[at + 1] == 'g' && ogg[at + 2] == 'g' &&
         ogg[at + 3] == 'S') {
    const size_t segments = ogg[at + 26];
    size_t size = 27 + segments;
    for (size_t i = 0; i < segments && at + 27 + i < ogg.size(); ++i) size += ogg[at + 27 + i];
    if (ogg.size() - at < size) break;
    pages.push_back({at, size});
    at += size;
  }
  return pages;
}

// Writes each whole page's checksum anew, so bytes changed inside a page
// reach the decoder instead of being refused by the page check.
inline void FixOggChecksums(Bytes& ogg) {
  for (const OggPage& page : OggPages(ogg)) {
    const uint32_t crc = GMusicDecoder::PageChecksum(ogg.data() + page.start, page.size);
    for (int b = 0; b < 4; ++b)
      ogg[page.start + 22 + b] = static_cast<unsigned char>(crc >> (8 * b));
  }
}
