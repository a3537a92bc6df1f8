#pragma once

#include "core/SessionState.h"

class QComboBox;

// The establishment and school-year lists shown above the statistics: the
// school folders of the pupil data and the years of the chosen one. The
// statistics read the classes of the current year, so the lists show that
// establishment and year and are not for choosing.
namespace SchoolYearLists {

void remplit(QComboBox *etablissements, QComboBox *annees, const SessionState &state);

} // namespace SchoolYearLists
