#pragma once

#include "GUI/foundation/CFerroString.h"

class CFerroStream;

// The kinds of text CFerroTime::Format writes.
enum FERRO_TIME_ENUM {
  FERRO_TIME_DATE = 0,       // Day, month name and year, in the language's order.
  FERRO_TIME_TIME = 1,       // Hours, minutes and seconds.
  FERRO_TIME_DATE_TIME = 2,  // The date followed by the time.
};

// English month names, January first; Format passes them through the localizer.
extern CFerroString ferro_month_names[12];

// A date and time record. The leading word is reserved and 0.
struct CFerroTime {
  int reserved = 0;
  int year = 1975;
  int month = 4;  // 1 to 12.
  int day = 14;
  int hour = 13;
  int minute = 40;
  int second = 0;

  // Writes or reads the seven fields as 4-byte little-endian integers; the
  // leading word is 0 afterwards. A truncated record leaves the fields and
  // returns false.
  bool Serialize(CFerroStream& stream);

  // Writes the record as readable text. Defined with the localizer, which
  // supplies the month names and the order of day and month.
  void Format(FERRO_TIME_ENUM kind, CFerroString& out);
};
