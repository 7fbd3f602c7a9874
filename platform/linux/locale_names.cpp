#include "platform/linux/locale_names.h"

#include <langinfo.h>
#include <locale.h>

namespace vel::platform::linux_backend {

std::optional<LocaleDateNames> dateNamesOfLocale(const char* name) {
    // A locale object of its own, so the process's number formats stay as they are.
    const locale_t loc = newlocale(LC_TIME_MASK, name, static_cast<locale_t>(0));
    if (loc == static_cast<locale_t>(0)) return std::nullopt;
    static const nl_item kDays[7] = {ABDAY_1, ABDAY_2, ABDAY_3, ABDAY_4, ABDAY_5, ABDAY_6, ABDAY_7};
    static const nl_item kMonths[12] = {ABMON_1, ABMON_2, ABMON_3, ABMON_4,  ABMON_5,  ABMON_6,
                                        ABMON_7, ABMON_8, ABMON_9, ABMON_10, ABMON_11, ABMON_12};
    LocaleDateNames names;
    for (int i = 0; i < 7; ++i) names.days[i] = nl_langinfo_l(kDays[i], loc);
    for (int i = 0; i < 12; ++i) names.months[i] = nl_langinfo_l(kMonths[i], loc);
    freelocale(loc);
    return names;
}

}  // namespace vel::platform::linux_backend
