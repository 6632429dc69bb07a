#include "backup/BackupManager.h"

#include <cctype>
#include <cstdint>
#include <vector>

#include "core/Numbers.h"

namespace tw {
namespace {

bool SameWord(std::string_view a, std::string_view b) {
  if (a.empty() || a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i]))) return false;
  }
  return true;
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  return text;
}

// Days from 1 January 1970 to the civil date (proleptic Gregorian).
long long DaysFromCivil(long long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long long>(doe) - 719468;
}

int DaysIn(long long year, int month) {
  constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : kDays[month - 1];
}

struct Token {
  enum Kind { Number, Word } kind;
  long long value = 0;
  std::size_t digits = 0;
  std::string_view word;
  bool timePart = false;  // joined to another number by ":"
};

}  // namespace

std::optional<double> ParseDateText(std::string_view text, const DateFormat& format) {
  std::vector<Token> tokens;
  for (std::size_t i = 0; i < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (std::isdigit(c)) {
      Token token{};
      token.kind = Token::Number;
      const std::size_t start = i;
      for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        if (++token.digits > 9) return std::nullopt;
        token.value = token.value * 10 + (text[i] - '0');
      }
      // Hours, minutes and seconds are joined by ":"; the date's parts by anything else.
      token.timePart = (i < text.size() && text[i] == ':') || (start > 0 && text[start - 1] == ':');
      tokens.push_back(token);
    } else if (std::isalpha(c) || c >= 0x80) {
      const std::size_t start = i;
      while (i < text.size() && (std::isalpha(static_cast<unsigned char>(text[i])) ||
                                 static_cast<unsigned char>(text[i]) >= 0x80 || text[i] == '.')) {
        ++i;
      }
      Token word{};
      word.kind = Token::Word;
      word.word = text.substr(start, i - start);
      tokens.push_back(word);
    } else {
      ++i;
    }
  }

  std::vector<Token> date, time;
  bool am = false, pm = false;
  for (const Token& token : tokens) {
    if (token.kind == Token::Word) {
      if (SameWord(token.word, format.am)) {
        am = true;
      } else if (SameWord(token.word, format.pm)) {
        pm = true;
      } else {
        return std::nullopt;  // a month's name or anything else: not a date this reads
      }
    } else {
      (token.timePart ? time : date).push_back(token);
    }
  }
  if (date.empty() && time.empty()) return std::nullopt;
  if (!date.empty() && date.size() != 3) return std::nullopt;
  if (!time.empty() && time.size() != 2 && time.size() != 3) return std::nullopt;
  if ((am || pm) && time.empty()) return std::nullopt;

  double days = 0;
  if (!date.empty()) {
    long long year = 0, month = 0, day = 0;
    std::size_t yearDigits = 0;
    switch (format.order) {
      case DateFormat::Order::MonthDayYear: month = date[0].value, day = date[1].value, year = date[2].value, yearDigits = date[2].digits; break;
      case DateFormat::Order::DayMonthYear: day = date[0].value, month = date[1].value, year = date[2].value, yearDigits = date[2].digits; break;
      case DateFormat::Order::YearMonthDay: year = date[0].value, month = date[1].value, day = date[2].value, yearDigits = date[0].digits; break;
    }
    // Two-digit years fall in 1930 to 2029.
    if (yearDigits <= 2) year += year < 30 ? 2000 : 1900;
    if (month < 1 || month > 12 || day < 1 || day > DaysIn(year, static_cast<int>(month)) || year > 9999) {
      return std::nullopt;
    }
    days = static_cast<double>(DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) -
                               DaysFromCivil(1899, 12, 30));
  }
  if (!time.empty()) {
    long long hour = time[0].value;
    const long long minute = time[1].value, second = time.size() == 3 ? time[2].value : 0;
    if (am || pm) {
      if (hour < 1 || hour > 12) return std::nullopt;
      hour = hour % 12 + (pm ? 12 : 0);
    }
    if (hour > 23 || minute > 59 || second > 59) return std::nullopt;
    days += static_cast<double>(hour * 3600 + minute * 60 + second) / 86400.0;
  }
  return days;
}

SortKey MakeSortKey(std::string_view cell, SortType type, const DateFormat& format) {
  cell = cell.substr(0, kComparedCharacters);
  SortKey key;
  switch (type) {
    case SortType::Text:
      key.converted = true;
      key.text = std::string(cell);
      break;
    case SortType::Whole: {
      // An optional sign and digits, inside the 32-bit range.
      std::string_view text = Trimmed(cell);
      const bool negative = !text.empty() && text.front() == '-';
      if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
      if (text.empty() || text.size() > 10) break;
      if (text.find_first_not_of("0123456789") != std::string_view::npos) break;
      std::int64_t value = 0;
      for (const char c : text) value = value * 10 + (c - '0');
      value = negative ? -value : value;
      if (value < INT32_MIN || value > INT32_MAX) break;
      key.converted = true;
      key.number = static_cast<double>(value);
      break;
    }
    case SortType::Real: {
      const auto value = ParseNumber(Trimmed(cell));
      if (!value) break;
      key.converted = true;
      key.number = *value;
      break;
    }
    case SortType::Date:
      if (const auto value = ParseDateText(cell, format)) {
        key.converted = true;
        key.number = *value;
      }
      break;
  }
  return key;
}

SortKey StampKey(const std::optional<BackupStamp>& stamp, bool timeOfDay) {
  SortKey key;
  if (!stamp) return key;
  const SystemTime& t = stamp->taken;
  key.converted = true;
  const double time = static_cast<double>(t.hour * 3600 + t.minute * 60 + t.second) / 86400.0;
  // Two backups of one day are told apart by their time: the date column
  // sorts them in the order they were taken.
  key.number = timeOfDay ? time
                         : static_cast<double>(DaysFromCivil(t.year, t.month, t.day) - DaysFromCivil(1899, 12, 30)) +
                               time;
  return key;
}

int CompareSortKeys(const SortKey& a, const SortKey& b, int sortOrder) {
  const SortKey& first = sortOrder == 1 ? b : a;
  const SortKey& second = sortOrder == 1 ? a : b;
  if (first.converted != second.converted) return first.converted ? 1 : -1;
  if (!first.converted) return 0;
  if (first.text != second.text) return first.text < second.text ? -1 : 1;
  if (first.number != second.number) return first.number < second.number ? -1 : 1;
  return 0;
}

int CompareCells(std::string_view a, std::string_view b, SortType type, int sortOrder, const DateFormat& format) {
  return CompareSortKeys(MakeSortKey(a, type, format), MakeSortKey(b, type, format), sortOrder);
}

int HeaderTags::Click(int column) {
  const int order = tags[static_cast<std::size_t>(column)] != "ASC" ? 0 : 1;
  for (std::string& tag : tags) tag.clear();
  tags[static_cast<std::size_t>(column)] = order == 0 ? "ASC" : "DESC";
  return order;
}

std::string DeleteQuestion(std::string_view fileName, bool undoesLastChange) {
  std::string text = "Do you want to delete this file?\r\n\r\n" + std::string(fileName);
  if (undoesLastChange) {
    text += "\r\n\r\nIt holds the values from before the last change and is the one way back: once it is deleted, "
            "Tidewave cannot undo that change.";
  }
  return text;
}

}  // namespace tw
