#include "platform/win32/Win32Clock.h"

#include <windows.h>

namespace tw {

SystemTime Win32Clock::GetLocalTime() {
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDayOfWeek, now.wDay, now.wHour, now.wMinute, now.wSecond,
          now.wMilliseconds};
}

}  // namespace tw
