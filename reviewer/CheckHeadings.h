// Short headings of the review's checks, for table columns and for the fixes'
// lists: the figure and where it is taken, in whole words, so a narrow
// column or a printed page never has to cut a check's name. The full title
// stays in ReviewChecks() and goes in the tooltips.
#pragma once

#include <QString>
#include <cstddef>

// "Cut-off inequality, 25 % below".
QString CheckHeading(std::size_t check);
// The same on lines of their own with the check's unit last:
// "Cut-off inequality\n25 % below\npoints of stroke".
QString CheckColumnHeading(std::size_t check);
