// CFerroTime::Format lives with the localizer, which supplies the month names and the order of
// day and month.

#include <cstdio>

#include "GUI/foundation/CFerroTime.h"
#include "GUI/resources/Localizer.h"

namespace {

CFerroString Number(int value, const char* format) {
  char text[16];
  std::snprintf(text, sizeof text, format, value);
  return CFerroString(text);
}

// The month's name in the current language; the English name when the localizer has no language
// or no text for it, and the number for a month outside 1..12.
CFerroString MonthName(int month) {
  if (month < 1 || month > 12) return Number(month, "%d");
  const char* english = ferro_month_names[month - 1].c_str();
  const char* translated = Localizer::GetInstance()->GetPtr(english);
  return CFerroString(translated != nullptr ? translated : english);
}

}  // namespace

void CFerroTime::Format(FERRO_TIME_ENUM kind, CFerroString& out) {
  const char* order = Localizer::GetInstance()->GetPtr("First Month than Day");
  bool dayFirst = order != nullptr && (CFerroString(order) == "No" || CFerroString(order) == "no");
  CFerroString date = dayFirst
                          ? Number(day, "%d") + " " + MonthName(month) + " " + Number(year, "%d")
                          : MonthName(month) + " " + Number(day, "%d") + ", " + Number(year, "%d");
  CFerroString time =
      Number(hour, "%d") + ":" + Number(minute, "%02d") + ":" + Number(second, "%02d");
  switch (kind) {
    case FERRO_TIME_DATE:
      out = date;
      break;
    case FERRO_TIME_TIME:
      out = time;
      break;
    default:
      out = date + " " + time;
      break;
  }
}
