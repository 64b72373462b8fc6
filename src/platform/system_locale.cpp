// Fills LocaleInfo from QLocale::system().
#include "platform/system_locale.h"

#ifdef ORVALIS_HAVE_QT_CORE
#include <QLocale>
#include <QString>

#include "i18n/locale_pattern.h"
#endif

namespace orvalis::platform {

#ifdef ORVALIS_HAVE_QT_CORE
namespace {

std::string Utf8(const QString& text) { return text.toStdString(); }

}  // namespace

LocaleInfo SystemLocale() {
  const QLocale system = QLocale::system();
  if (system.language() == QLocale::C) return LocaleInfo::English();

  LocaleInfo info;
  info.decimalSeparator = SingleByteSeparator(Utf8(system.decimalPoint()), '.');
  // A group separator that cannot be one byte becomes a blank, never the
  // decimal separator's twin.
  info.thousandsSeparator = SingleByteSeparator(Utf8(system.groupSeparator()), ' ');
  if (info.thousandsSeparator == info.decimalSeparator) info.thousandsSeparator = ' ';

  const std::string shortDate = Utf8(system.dateFormat(QLocale::ShortFormat));
  const std::string longDate = Utf8(system.dateFormat(QLocale::LongFormat));
  const std::string shortTime = Utf8(system.timeFormat(QLocale::ShortFormat));
  const std::string longTime = Utf8(system.timeFormat(QLocale::LongFormat));
  info.dateSeparator = SeparatorOfQtFormat(shortDate, '/');
  info.timeSeparator = SeparatorOfQtFormat(longTime, ':');

  QtPatternOptions options;
  options.dateSeparator = info.dateSeparator;
  options.timeSeparator = info.timeSeparator;
  options.fourDigitYears = true;  // photo dates span more than a century
  info.shortDateFormat = ConvertQtDateTimeFormat(shortDate, options);
  info.longDateFormat = ConvertQtDateTimeFormat(longDate, options);
  options.fourDigitYears = false;
  info.shortTimeFormat = ConvertQtDateTimeFormat(shortTime, options);
  info.longTimeFormat = ConvertQtDateTimeFormat(longTime, options);

  // Names in the form used inside a date ("15. März"), as the locale's own
  // long date uses them.
  for (std::size_t index = 0; index < info.longMonthNames.size(); ++index) {
    const int month = static_cast<int>(index) + 1;
    info.shortMonthNames[index] = Utf8(system.monthName(month, QLocale::ShortFormat));
    info.longMonthNames[index] = Utf8(system.monthName(month, QLocale::LongFormat));
  }
  // Qt counts Monday as 1 and Sunday as 7; LocaleInfo starts with Sunday.
  for (std::size_t day = 0; day < info.longDayNames.size(); ++day) {
    const int qtDay = day == 0 ? 7 : static_cast<int>(day);
    info.shortDayNames[day] = Utf8(system.dayName(qtDay, QLocale::ShortFormat));
    info.longDayNames[day] = Utf8(system.dayName(qtDay, QLocale::LongFormat));
  }
  info.amMarker = Utf8(system.amText());
  info.pmMarker = Utf8(system.pmText());
  return info;
}

#else

LocaleInfo SystemLocale() { return LocaleInfo::English(); }

#endif

}  // namespace orvalis::platform
