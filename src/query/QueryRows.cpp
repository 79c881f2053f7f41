#include "query/QueryRows.h"

namespace tarvolen::query {

std::string_view RowCodes(Source source, Mode mode) {
  switch (source) {
    case Source::Checkins:
      return mode == Mode::Combined ? "3322222323333222323230000000" : "3322222323333222320220000000";
    case Source::Students: return "00202223233332200000002300000";
    case Source::Rooms: return "00020000000000023203000003333";
    case Source::Log: return "33222223233332223223220000000";
  }
  return {};
}

}  // namespace tarvolen::query
