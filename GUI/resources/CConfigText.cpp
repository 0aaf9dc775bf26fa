#include "GUI/resources/CConfigText.h"

#include <utility>

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

// Text that a line holds as it is: no line end, comment or zero byte, and
// no blank at either end (they are not part of what is read).
bool IsPlain(std::string_view text) {
  if (text.find_first_of(std::string_view("\r\n;\0", 4)) != std::string_view::npos) return false;
  return text.empty() || (!IsBlank(text.front()) && !IsBlank(text.back()));
}

}  // namespace

CConfigText::CConfigText(std::string from) : text(std::move(from)) {
  Scan();
}

bool CConfigText::IsLabel(std::string_view label) {
  return !label.empty() && IsPlain(label) && label.find_first_of("[]") == std::string_view::npos;
}

bool CConfigText::IsKey(std::string_view key) {
  return !key.empty() && IsPlain(key) && key.find_first_of(" \t=") == std::string_view::npos;
}

bool CConfigText::IsValue(std::string_view value) {
  // A value starting with '=' would lose it to the optional '=' before it.
  return IsPlain(value) && (value.empty() || value.front() != '=');
}

void CConfigText::Scan() {
  settings.clear();
  sections.clear();
  newline = "\r\n";
  std::string section;
  bool firstBreak = true;
  size_t at = 0;
  while (at < text.size()) {
    size_t end = at;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    size_t next = end;
    if (next < text.size() && text[next] == '\r') ++next;
    if (next < text.size() && text[next] == '\n') ++next;
    if (firstBreak && next > end) {
      firstBreak = false;
      newline = text.substr(end, next - end);
    }
    size_t content = end;
    for (size_t i = at; i < end; ++i)
      if (text[i] == ';') {
        content = i;
        break;
      }
    size_t p = at;
    while (p < content && IsBlank(text[p])) ++p;
    size_t last = content;
    while (last > p && IsBlank(text[last - 1])) --last;
    if (p < last && text[p] == '[') {
      const size_t close = text.find(']', p);
      if (close < last) {
        section = text.substr(p + 1, close - p - 1);
        bool known = false;
        for (const Section& s : sections) known = known || s.label == section;
        if (!known) sections.push_back({section, next});
      }
    } else if (p < last) {
      size_t keyEnd = p;
      while (keyEnd < last && !IsBlank(text[keyEnd]) && text[keyEnd] != '=') ++keyEnd;
      size_t value = keyEnd;
      while (value < last && IsBlank(text[value])) ++value;
      if (value < last && text[value] == '=') ++value;
      while (value < last && IsBlank(text[value])) ++value;
      settings.push_back({section, text.substr(p, keyEnd - p), value, last});
    }
    // A section's new keys go after its last line that holds anything.
    if (p < last || (p < end && text[p] == ';'))
      for (Section& s : sections)
        if (s.label == section) s.end = next;
    at = next;
  }
}

const CConfigText::Setting* CConfigText::FindSetting(std::string_view section,
                                                     std::string_view key) const {
  for (const Setting& s : settings)
    if (s.section == section && s.key == key) return &s;
  return nullptr;
}

bool CConfigText::Find(std::string_view section, std::string_view key, std::string& value) const {
  const Setting* found = FindSetting(section, key);
  if (!found) return false;
  value = text.substr(found->begin, found->end - found->begin);
  return true;
}

std::vector<std::string> CConfigText::GetSections() const {
  std::vector<std::string> labels;
  for (const Section& s : sections) labels.push_back(s.label);
  return labels;
}

bool CConfigText::EndsLine(size_t at) const {
  return at == 0 || text[at - 1] == '\n' || text[at - 1] == '\r';
}

bool CConfigText::Set(std::string_view section, std::string_view key, std::string_view value) {
  if (!IsLabel(section) || !IsKey(key) || !IsValue(value)) return false;
  if (const Setting* found = FindSetting(section, key)) {
    // The old value makes way for the new one; "key =" gets a blank before it.
    const bool spaced = found->begin == found->end && found->begin > 0 &&
                        text[found->begin - 1] == '=' && !value.empty();
    text.replace(found->begin, found->end - found->begin, (spaced ? " " : "") + std::string(value));
    Scan();
    return true;
  }
  const std::string line = std::string(key) + " = " + std::string(value) + newline;
  for (const Section& s : sections) {
    if (s.label != section) continue;
    const size_t end = s.end;
    text.insert(end, EndsLine(end) ? line : newline + line);
    Scan();
    return true;
  }
  // A section the text lacks is added at its end.
  if (!EndsLine(text.size())) text += newline;
  text += "[" + std::string(section) + "]" + newline + line;
  Scan();
  return true;
}
