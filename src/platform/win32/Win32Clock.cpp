#include "platform/win32/Win32Clock.h"

namespace tw {

SystemTime Win32Clock::GetLocalTime() {
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDayOfWeek, now.wDay, now.wHour, now.wMinute, now.wSecond,
          now.wMilliseconds};
}

SYSTEMTIME ToSystemTime(const SystemTime& time) {
  SYSTEMTIME out{};
  out.wYear = time.year;
  out.wMonth = time.month;
  out.wDay = time.day;
  out.wHour = time.hour;
  out.wMinute = time.minute;
  out.wSecond = time.second;
  return out;
}

}  // namespace tw
