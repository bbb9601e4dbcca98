#include "core/Entry.h"

#include "core/Constants.h"

namespace core {

optics::PathPoint EntryFor(const optics::Lens& lens, SourcePoint source, double px, double py, Drawing& drawing) {
  const optics::LeastTimeResult r = optics::LeastTimeEntry(source.x, source.y, px, py, lens);
  if (!r.Converged) {
    drawing.Message(kNotFound);
    return {};
  }
  return r.Point;
}

}  // namespace core
