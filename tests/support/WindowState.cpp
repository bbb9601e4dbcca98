#include "WindowState.h"

#include "lab/Trace.h"

namespace testing_support {

State stateOf(TestWindow& t) {
  canvas::Form& f = t.form();
  State s;
  for (const canvas::Label* l : {&f.Label1, &f.Label2, &f.Label3, &f.Label4, &f.Label5, &f.Label6}) {
    s.labels.push_back(l->Caption());
  }
  for (const canvas::Shape* m : {&f.kyklos, &f.shmeio}) {
    s.markers.push_back(testing_support::CentreOf(*m).x);
    s.markers.push_back(testing_support::CentreOf(*m).y);
  }
  s.bars = {f.thesiy.Value(), f.arithmosaktinon.Value(), f.xronosmetato.Value()};
  const auto& log = t.w().lab().surface().log();
  auto from = log.end();
  while (from != log.begin() && (from == log.end() || from->kind != lab::Op::Kind::Cls)) --from;
  for (auto it = from; it != log.end(); ++it) s.ops.push_back(lab::TraceLine(*it));
  s.picture = t.canvas().image();
  s.messages = t.messages;
  return s;
}

std::string difference(const State& a, const State& b) {
  for (std::size_t i = 0; i < a.labels.size(); ++i) {
    if (a.labels[i] != b.labels[i]) {
      return "Label" + std::to_string(i + 1) + ": '" + a.labels[i].toStdString() + "' vs '" +
             b.labels[i].toStdString() + "'";
    }
  }
  if (a.markers != b.markers) return "marker positions";
  if (a.bars != b.bars) return "bar values";
  if (a.ops.size() != b.ops.size()) {
    return "operations since Cls: " + std::to_string(a.ops.size()) + " vs " + std::to_string(b.ops.size());
  }
  for (std::size_t i = 0; i < a.ops.size(); ++i) {
    if (a.ops[i] != b.ops[i]) return "operation " + std::to_string(i) + ": " + a.ops[i] + " vs " + b.ops[i];
  }
  if (a.picture != b.picture) return "the picture";
  if (a.messages != b.messages) return "message boxes";
  return {};
}

}  // namespace testing_support
