// The parts of the user's locale that the core needs: separators, date and
// time forms, month and day names, AM/PM markers. It is passed in by the
// programs (filled from the system locale), never read from global state, so
// tests can run "German" or "English" on any machine.
#pragma once

#include <array>
#include <string>

namespace orvalis {

struct LocaleInfo {
  char decimalSeparator = '.';
  char thousandsSeparator = ',';
  char dateSeparator = '/';
  char timeSeparator = ':';
  // Date and time forms in the pattern language of dateformat
  // ("M/d/yyyy", "dd.MM.yyyy", "h:mm:ss AMPM" ...).
  std::string shortDateFormat = "M/d/yyyy";
  std::string longDateFormat = "dddd, MMMM d, yyyy";
  std::string shortTimeFormat = "h:mm AMPM";
  std::string longTimeFormat = "h:mm:ss AMPM";
  std::array<std::string, 12> shortMonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::array<std::string, 12> longMonthNames{"January",   "February", "March",    "April",
                                             "May",       "June",     "July",     "August",
                                             "September", "October",  "November", "December"};
  // Sunday first.
  std::array<std::string, 7> shortDayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  std::array<std::string, 7> longDayNames{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                          "Thursday", "Friday", "Saturday"};
  std::string amMarker = "AM";
  std::string pmMarker = "PM";

  static LocaleInfo English() { return LocaleInfo{}; }
  static LocaleInfo German() {
    LocaleInfo l;
    l.decimalSeparator = ',';
    l.thousandsSeparator = '.';
    l.dateSeparator = '.';
    l.timeSeparator = ':';
    l.shortDateFormat = "dd.MM.yyyy";
    l.longDateFormat = "dddd, d. MMMM yyyy";
    l.shortTimeFormat = "hh:mm";
    l.longTimeFormat = "hh:mm:ss";
    l.shortMonthNames = {"Jan", "Feb", "Mrz", "Apr", "Mai", "Jun",
                         "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};
    l.longMonthNames = {"Januar", "Februar", "M\xC3\xA4rz", "April",   "Mai",      "Juni",
                        "Juli",   "August",  "September",   "Oktober", "November", "Dezember"};
    l.shortDayNames = {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"};
    l.longDayNames = {"Sonntag",    "Montag",  "Dienstag", "Mittwoch",
                      "Donnerstag", "Freitag", "Samstag"};
    l.amMarker = "";
    l.pmMarker = "";
    return l;
  }
};

}  // namespace orvalis
