// One row per check in the order of CheckIndex; the table's size is checked
// against the number of checks when it compiles.
#include "CheckHeadings.h"

#include <iterator>

#include "ReviewChecks.h"

namespace {

struct Heading {
  const char* figure;
  const char* where;
};

constexpr Heading kHeadings[] = {
    {"Cut-off inequality", "worst notch"},
    {"Cut-off inequality", "full gear below"},
    {"Cut-off inequality", "full gear above"},
    {"Cut-off inequality", "50\u00a0% below"},
    {"Cut-off inequality", "50\u00a0% above"},
    {"Cut-off inequality", "25\u00a0% below"},
    {"Cut-off inequality", "25\u00a0% above"},
    {"Work imbalance", "worst notch"},
    {"Lead", "smallest"},
    {"Lead", "full gear"},
    {"Lead change", "full to mid-gear"},
    {"Cut-off", "full gear"},
    {"Cut-off", "shortest"},
    {"Port opening", "at 25\u00a0% cut-off"},
    {"Full-gear travel", "of 2\u00a0x (lap + port)"},
    {"Die slip", "worst notch"},
    {"Die's clearance", "from the rod pins"},
    {"Usable range", "shorter side"},
    {"Mid-gear arm", "from horizontal"},
    {"Connecting rod", "against the crank"},
    {"Eccentric rod", "against its radius"},
};
static_assert(std::size(kHeadings) == kChecks);

}  // namespace

QString CheckHeading(std::size_t check) {
  return QString("%1, %2").arg(kHeadings[check].figure, kHeadings[check].where);
}

QString CheckColumnHeading(std::size_t check) {
  return QString("%1\n%2\n%3")
      .arg(kHeadings[check].figure, kHeadings[check].where, ReviewChecks()[check].unit);
}
