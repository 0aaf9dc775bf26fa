#include "game/model/GMapText.h"

#include <vector>

#include "game/model/GCell.h"
#include "game/model/GMap.h"

namespace {
const char codeChars[CELL_CODE_COUNT + 1] = ".#=-H$XRAo";
}

int GMapText::CodeOf(char c) {
  if (c == ' ') return CELL_EMPTY;
  for (int code = 0; code < CELL_CODE_COUNT; ++code)
    if (codeChars[code] == c) return code;
  return -1;
}

char GMapText::CharOf(int code) {
  return code >= 0 && code < CELL_CODE_COUNT ? codeChars[code] : '?';
}

bool GMapText::ToMap(const std::string& text, GMap& map) {
  std::vector<std::string> rows;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    rows.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  if (rows.empty() || rows.front().empty()) return false;
  const size_t width = rows.front().size();
  std::vector<int> codes;
  for (const auto& row : rows) {
    if (row.size() != width) return false;
    for (char c : row) {
      const int code = CodeOf(c);
      if (code < 0) return false;
      codes.push_back(code);
    }
  }
  map.Create(static_cast<int>(width), static_cast<int>(rows.size()));
  for (size_t i = 0; i < codes.size(); ++i) map.cells[i] = GCell::CreateCell(codes[i]);
  return true;
}

std::string GMapText::FromMap(GMap& map) {
  std::string text;
  for (int y = 0; y < map.height; ++y) {
    for (int x = 0; x < map.width; ++x) text += CharOf(map.GetCell(x, y)->GetType());
    text += '\n';
  }
  return text;
}
