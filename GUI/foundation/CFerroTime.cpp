#include "GUI/foundation/CFerroTime.h"

#include <initializer_list>

#include "GUI/foundation/CFerroStream.h"

CFerroString ferro_month_names[12] = {"January",   "February", "March",    "April",
                                      "May",       "June",     "July",     "August",
                                      "September", "October",  "November", "December"};

bool CFerroTime::Serialize(CFerroStream& stream) {
  bool ok = true;
  if (stream.IsStoring()) {
    reserved = 0;
    for (int v : {reserved, year, month, day, hour, minute, second}) ok = ok && (stream << v) == 4;
  } else {
    int v[7];
    for (int& x : v) ok = ok && (stream >> x) == 4;
    if (ok) {
      year = v[1];
      month = v[2];
      day = v[3];
      hour = v[4];
      minute = v[5];
      second = v[6];
    }
  }
  reserved = 0;
  return ok;
}
