#include "game/model/CGameProgress.h"

#include <utility>

#include "GUI/foundation/CFerroStreamFile.h"
#include "GUI/foundation/ContentDigest.h"
#include "game/model/GMap.h"

namespace {

constexpr const char* kHeader =
    "; The progress of Digmaze's player, written by the game after every won level.";
constexpr const char* kCleared = "cleared";
constexpr const char* kBestTime = "best-time";
constexpr const char* kBestScore = "best-score";
// What a best holds when there is none to keep (it reads as no best).
constexpr const char* kNoBest = "none";
constexpr const char* kDigest = "digest";
// Longer numbers are not the game's (and would not fit).
constexpr size_t kMaxDigits = 8;

bool IsDigits(const std::string& text) {
  if (text.empty() || text.size() > kMaxDigits) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

// "41.5" or "41" as tenths of a second.
std::optional<int> ParseTime(const std::string& text) {
  const size_t point = text.find('.');
  const std::string whole = text.substr(0, point);
  const std::string tenth = point == std::string::npos ? "0" : text.substr(point + 1);
  if (!IsDigits(whole) || tenth.size() != 1 || !IsDigits(tenth)) return std::nullopt;
  return std::stoi(whole) * 10 + (tenth[0] - '0');
}

// A whole number, negative too.
std::optional<int> ParseScore(const std::string& text) {
  const bool negative = !text.empty() && text[0] == '-';
  const std::string digits = negative ? text.substr(1) : text;
  if (!IsDigits(digits)) return std::nullopt;
  const int n = std::stoi(digits);
  return negative ? -n : n;
}

}  // namespace

CGameProgress::LoadResult CGameProgress::Load(const char* path) {
  std::string bytes;
  switch (ReadWholeFile(path, kMaxFileSize, bytes)) {
    case WholeFile::read:
      Parse(std::move(bytes));
      return LoadResult::loaded;
    case WholeFile::missing:
      Parse(std::string());
      return LoadResult::missing;
    case WholeFile::tooLarge:
    case WholeFile::failed:
      break;
  }
  Parse(std::string());
  return LoadResult::unreadable;
}

bool CGameProgress::Save(const char* path) const {
  const std::string written = Format();
  return WriteFileReplacing(path, [&written](CFerroStream& stream) {
    const auto length = static_cast<unsigned int>(written.size());
    return stream.Write(written.data(), length) == length;
  });
}

void CGameProgress::Parse(std::string bytes) {
  text = CConfigText(std::move(bytes));
}

std::string CGameProgress::Format() const {
  return text.GetText().empty() ? std::string(kHeader) + "\r\n" : text.GetText();
}

LEVEL_RECORD CGameProgress::Find(const CFerroString& name, const std::string& digest) const {
  LEVEL_RECORD record;
  const std::string section = name.c_str();
  std::string value;
  if (digest.empty() || !text.Find(section, kDigest, value) || value != digest) return record;
  record.cleared = text.Find(section, kCleared, value) && value == "yes";
  if (text.Find(section, kBestTime, value)) record.bestTime = ParseTime(value);
  if (text.Find(section, kBestScore, value)) record.bestScore = ParseScore(value);
  return record;
}

bool CGameProgress::RecordWin(const CFerroString& name, const std::string& digest, int time,
                              int score, WIN_NEWS& news, bool bests) {
  news = WIN_NEWS();
  const std::string section = name.c_str();
  if (!CConfigText::IsLabel(section) || digest.empty() || !CConfigText::IsValue(digest))
    return false;
  const LEVEL_RECORD before = Find(name, digest);
  news.firstClear = !before.cleared;
  news.bestTime = bests && before.bestTime && time < *before.bestTime;
  news.bestScore = bests && before.bestScore && score > *before.bestScore;
  // A new text starts with its header, so the first section follows it.
  if (text.GetText().empty()) text = CConfigText(Format());
  std::string kept;
  const bool otherContent = text.Find(section, kDigest, kept) && kept != digest;
  text.Set(section, kCleared, "yes");
  if (bests) {
    if (!before.bestTime || news.bestTime) text.Set(section, kBestTime, FormatTime(time));
    if (!before.bestScore || news.bestScore) text.Set(section, kBestScore, std::to_string(score));
  } else if (otherContent) {
    // The bests of another content must not pass for this one's.
    text.Set(section, kBestTime, kNoBest);
    text.Set(section, kBestScore, kNoBest);
  }
  text.Set(section, kDigest, digest);
  return true;
}

std::vector<bool> CGameProgress::OpenLevels(const std::vector<bool>& cleared) {
  std::vector<bool> open(cleared.size());
  int ahead = 0;
  for (size_t i = 0; i < cleared.size(); ++i) open[i] = cleared[i] || ahead++ < kOpenAhead;
  return open;
}

int CGameProgress::FirstNotCleared(const std::vector<bool>& cleared) {
  for (size_t i = 0; i < cleared.size(); ++i)
    if (!cleared[i]) return static_cast<int>(i);
  return 0;
}

std::string CGameProgress::MapDigest(const char* path) {
  // The largest map file a map may have.
  constexpr size_t kMaxMapFile = 20 + 8 * size_t{GMap::MAX_SIDE} * GMap::MAX_SIDE;
  std::string bytes;
  if (ReadWholeFile(path, kMaxMapFile, bytes) != WholeFile::read) return std::string();
  return ContentDigest(bytes.data(), bytes.size());
}

std::string CGameProgress::FormatTime(int tenths) {
  return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}
