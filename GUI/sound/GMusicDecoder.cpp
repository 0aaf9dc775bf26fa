// Index of this file:
//   The page check   checksums, the comment packet, CheckPages: the whole file before it plays
//   Opening          Open, Close and the loop named in the comments
//   Reading          frames out of the decoder, round the loop

#include "GUI/sound/GMusicDecoder.h"

#include <strings.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

#define STB_VORBIS_HEADER_ONLY
#define STB_VORBIS_NO_PUSHDATA_API
#define STB_VORBIS_NO_INTEGER_CONVERSION
#include <stb/stb_vorbis.h>

// ---------------------------------------------------------------------------------------------
// The page check
// ---------------------------------------------------------------------------------------------

namespace {

// What the decoder may hold for one file: its tables for the game's pieces
// take under 200 KB; the rest is room for files encoded otherwise.
constexpr size_t kDecoderMemory = size_t{1} << 20;

// An Ogg page: a 27-byte header, a table of up to 255 segment lengths, then
// up to 255 bytes per segment.
constexpr size_t kPageHeader = 27;
constexpr size_t kLargestPage = kPageHeader + 255 + 255 * 255;
constexpr unsigned char kFirstPage = 0x02, kLastPage = 0x04;

constexpr std::array<uint32_t, 256> MakeCrcTable() {
  std::array<uint32_t, 256> table{};
  for (uint32_t i = 0; i < 256; ++i) {
    uint32_t r = i << 24;
    for (int bit = 0; bit < 8; ++bit) r = (r & 0x80000000u) ? (r << 1) ^ 0x04C11DB7u : r << 1;
    table[i] = r;
  }
  return table;
}
constexpr std::array<uint32_t, 256> kCrcTable = MakeCrcTable();

uint32_t LE32(const unsigned char* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

// The most bytes of comments a piece may carry (names and loop points take
// a few hundred).
constexpr size_t kLargestComments = size_t{1} << 16;

// Whether the comment packet's lengths fit in it. The decoder trusts them
// and, misled, sets aside tables it then cannot fill or free.
bool CommentsFit(const std::vector<unsigned char>& packet) {
  size_t at = 7;  // past the packet type and "vorbis"
  auto length = [&](uint32_t& n) {
    if (packet.size() - at < 4) return false;
    n = LE32(packet.data() + at);
    at += 4;
    return true;
  };
  uint32_t n = 0, count = 0;
  if (packet.size() < at || std::memcmp(packet.data(), "\x03vorbis", 7) != 0 || !length(n) ||
      n > packet.size() - at)
    return false;
  at += n;
  if (!length(count)) return false;
  for (uint32_t i = 0; i < count; ++i) {
    if (!length(n) || n > packet.size() - at) return false;
    at += n;
  }
  return at < packet.size() && (packet[at] & 1);
}

struct FileCloser {
  void operator()(FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<FILE, FileCloser>;

// Reads every page of the file from its start: one stream, its pages in order
// with the right checksums, from a first page to a last one with nothing
// after it. Sets length to the frames the last page counts; false with why.
bool CheckPages(FILE* file, int64_t& length, std::string& why) {
  std::vector<unsigned char> page(kLargestPage);
  uint32_t serial = 0, sequence = 0;
  bool first = true, last = false;
  // The second packet, the comments, gathered from its segments.
  std::vector<unsigned char> comments;
  int packet = 0;
  for (;;) {
    const size_t got = std::fread(page.data(), 1, kPageHeader, file);
    if (got == 0 && !first) break;
    if (got < kPageHeader) {
      why = first ? "it is not an Ogg file" : "it ends inside a page";
      return false;
    }
    if (std::memcmp(page.data(), "OggS", 4) != 0 || page[4] != 0) {
      why = first ? "it is not an Ogg file" : "a page does not start where the last one ended";
      return false;
    }
    const unsigned char flags = page[5];
    const size_t segments = page[26];
    if (std::fread(page.data() + kPageHeader, 1, segments, file) != segments) {
      why = "it ends inside a page";
      return false;
    }
    size_t body = 0;
    for (size_t i = 0; i < segments; ++i) body += page[kPageHeader + i];
    const size_t size = kPageHeader + segments + body;
    if (std::fread(page.data() + kPageHeader + segments, 1, body, file) != body) {
      why = "it ends inside a page";
      return false;
    }
    if (GMusicDecoder::PageChecksum(page.data(), size) != LE32(page.data() + 22)) {
      why = "a page's checksum does not match its bytes";
      return false;
    }
    const uint32_t pageSerial = LE32(page.data() + 14), pageSequence = LE32(page.data() + 18);
    if (last) {
      why = "there is more after its last page";
      return false;
    }
    if (first != ((flags & kFirstPage) != 0) || (!first && pageSerial != serial)) {
      why = "it holds more than one stream";
      return false;
    }
    if (!first && pageSequence != sequence + 1) {
      why = "a page is missing";
      return false;
    }
    for (size_t i = 0, at = kPageHeader + segments; i < segments && packet <= 1; ++i) {
      const size_t lace = page[kPageHeader + i];
      if (packet == 1) comments.insert(comments.end(), page.data() + at, page.data() + at + lace);
      if (comments.size() > kLargestComments) {
        why = "its comments are too long";
        return false;
      }
      at += lace;
      if (lace < 255) ++packet;
    }
    first = false;
    serial = pageSerial;
    sequence = pageSequence;
    last = (flags & kLastPage) != 0;
    uint64_t granule = 0;
    for (int i = 7; i >= 0; --i) granule = (granule << 8) | page[6 + i];
    length = static_cast<int64_t>(granule);
  }
  if (!last) {
    why = "it ends before its last page";
    return false;
  }
  if (packet < 2 || !CommentsFit(comments)) {
    why = "its comments do not fit in their packet";
    return false;
  }
  return true;
}

const char* DecoderFault(int error) {
  switch (error) {
    case VORBIS_outofmem:
      return "it needs more memory than a piece of music may take";
    case VORBIS_feature_not_supported:
      return "it uses a kind of Vorbis the game does not play";
    case VORBIS_too_many_channels:
      return "it has too many channels";
    default:
      return "its sound cannot be decoded";
  }
}

}  // namespace

uint32_t GMusicDecoder::PageChecksum(const unsigned char* page, size_t bytes) {
  uint32_t crc = 0;
  for (size_t i = 0; i < bytes; ++i) {
    const unsigned char b = (i >= 22 && i < 26) ? 0 : page[i];
    crc = (crc << 8) ^ kCrcTable[((crc >> 24) ^ b) & 0xFF];
  }
  return crc;
}

// ---------------------------------------------------------------------------------------------
// Opening
// ---------------------------------------------------------------------------------------------

GMusicDecoder::GMusicDecoder() : memory_(kDecoderMemory) {}

GMusicDecoder::~GMusicDecoder() {
  Close();
}

void GMusicDecoder::Close() {
  VorbisMemoryScope scope(memory_);
  if (vorbis_) stb_vorbis_close(vorbis_);  // closes the file too
  vorbis_ = nullptr;
  memory_.FreeAll();
  frame_ = nullptr;
  frameFrames_ = frameRead_ = 0;
}

bool GMusicDecoder::Fail(const std::string& why) {
  Close();
  damaged_ = true;
  fault_ = why;
  return false;
}

GMusicDecoder::OpenResult GMusicDecoder::Open(const char* path, int rate) {
  Close();
  finished_ = damaged_ = false;
  fault_.clear();
  File file(path ? std::fopen(path, "rb") : nullptr);
  if (!file) {
    fault_ = !path || errno == ENOENT ? "is missing"
                                      : std::string("cannot be read: ") + std::strerror(errno);
    return OpenResult::Missing;
  }
  std::string why;
  int64_t fileFrames = 0;
  if (!CheckPages(file.get(), fileFrames, why) || std::fseek(file.get(), 0, SEEK_SET) != 0) {
    Fail("is damaged (" + (why.empty() ? std::string("it cannot be read") : why) + ")");
    return OpenResult::Damaged;
  }
  VorbisMemoryScope scope(memory_);
  int error = 0;
  // The decoder takes the file over, and closes it even when it fails.
  vorbis_ = stb_vorbis_open_file(file.release(), 1, &error, nullptr);
  if (!vorbis_) {
    Fail(std::string("is damaged (") + DecoderFault(error) + ")");
    return OpenResult::Damaged;
  }
  const stb_vorbis_info info = stb_vorbis_get_info(vorbis_);
  channels_ = info.channels;
  if (channels_ < 1 || channels_ > 2) {
    Fail("is damaged (it has " + std::to_string(channels_) + " channels; music is mono or stereo)");
    return OpenResult::Damaged;
  }
  if (static_cast<int>(info.sample_rate) != rate) {
    Fail("is damaged (it runs at " + std::to_string(info.sample_rate) + " frames a second, not " +
         std::to_string(rate) + ")");
    return OpenResult::Damaged;
  }
  if (!FindLoop(fileFrames)) {
    Fail("is damaged (its loop lies outside its frames)");
    return OpenResult::Damaged;
  }
  return Rewind() ? OpenResult::Ok : OpenResult::Damaged;
}

bool GMusicDecoder::FindLoop(int64_t fileFrames) {
  loopStart_ = 0;
  loopEnd_ = fileFrames;
  int64_t start = -1, length = -1;
  const stb_vorbis_comment comments = stb_vorbis_get_comment(vorbis_);
  for (int i = 0; i < comments.comment_list_length; ++i) {
    const char* text = comments.comment_list[i];
    for (auto [name, value] :
         {std::pair{"LOOPSTART=", &start}, std::pair{"LOOPLENGTH=", &length}}) {
      const size_t n = std::strlen(name);
      if (strncasecmp(text, name, n) != 0) continue;
      char* end = nullptr;
      errno = 0;
      const long long v = std::strtoll(text + n, &end, 10);
      *value = errno == 0 && end != text + n && *end == 0 && v >= 0 ? v : -2;
    }
  }
  if (start == -1 && length == -1) return true;
  if (start < 0 || length <= 0 || start > fileFrames || length > fileFrames - start) return false;
  loopStart_ = start;
  loopEnd_ = start + length;
  return true;
}

// ---------------------------------------------------------------------------------------------
// Reading
// ---------------------------------------------------------------------------------------------

bool GMusicDecoder::NextFrame() {
  int channels = 0;
  float** data = nullptr;
  const int got = stb_vorbis_get_frame_float(vorbis_, &channels, &data);
  if (got > 0 && channels == channels_) {
    frame_ = data;
    frameFrames_ = static_cast<size_t>(got);
    frameRead_ = 0;
    return true;
  }
  // The end of the file, unless the decoder met something it could not read.
  if (got > 0 || stb_vorbis_get_error(vorbis_) != VORBIS__no_error)
    Fail(std::string("is damaged (") + DecoderFault(0) + ")");
  return false;
}

bool GMusicDecoder::Rewind() {
  if (!stb_vorbis_seek_start(vorbis_))
    return Fail(std::string("is damaged (") + DecoderFault(0) + ")");
  position_ = 0;
  frameRead_ = frameFrames_ = 0;
  while (position_ < loopStart_) {
    if (frameRead_ == frameFrames_ && !NextFrame()) {
      if (!damaged_) Fail("is damaged (it ends before its loop begins)");
      return false;
    }
    const size_t skip =
        static_cast<size_t>(std::min<int64_t>(loopStart_ - position_, frameFrames_ - frameRead_));
    frameRead_ += skip;
    position_ += static_cast<int64_t>(skip);
  }
  return true;
}

bool GMusicDecoder::EndPass(bool loop) {
  if (position_ == loopStart_) return Fail("is damaged (it holds no sound)");
  if (loop) return Rewind();
  finished_ = true;
  Close();
  return false;
}

size_t GMusicDecoder::Read(float* out, size_t frames, bool loop) {
  VorbisMemoryScope scope(memory_);
  size_t done = 0;
  while (done < frames && vorbis_) {
    if (position_ >= loopEnd_ || (frameRead_ == frameFrames_ && !NextFrame())) {
      // The end of the loop or of the file; a damaged file has closed.
      if (damaged_ || !EndPass(loop)) break;
      continue;
    }
    const size_t run = static_cast<size_t>(
        std::min<int64_t>({static_cast<int64_t>(frames - done),
                           static_cast<int64_t>(frameFrames_ - frameRead_), loopEnd_ - position_}));
    const float* left = frame_[0] + frameRead_;
    const float* right = frame_[channels_ - 1] + frameRead_;
    float* dst = out + 2 * done;
    for (size_t i = 0; i < run; ++i) {
      dst[2 * i] = left[i];
      dst[2 * i + 1] = right[i];
    }
    frameRead_ += run;
    position_ += static_cast<int64_t>(run);
    done += run;
  }
  return done;
}
