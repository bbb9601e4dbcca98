#pragma once

// One random scripted action of any kind, with the fields its text carries
// and the others zero, as ParseAction makes them: for the suites that check
// that actions read back, alone and inside set-ups.
#include "lab/Script.h"
#include "optics/LensDesign.h"
#include "lab/MediumText.h"
#include "optics/Mirror.h"

#include <functional>
#include <random>

namespace lab_testing {

inline lab::Action RandomAction(std::mt19937& rng, const std::function<float()>& coordinate,
                                const std::function<int()>& key) {
  using Kind = lab::Action::Kind;
  auto between = [&](int lo, int hi) { return std::uniform_int_distribution<>(lo, hi)(rng); };
  lab::Action a{.kind = static_cast<Kind>(between(0, static_cast<int>(Kind::Medium)))};
  switch (a.kind) {
    case Kind::Source:
    case Kind::Entry:
    case Kind::Target:
    case Kind::MouseDown:
    case Kind::MouseMove:
    case Kind::MouseUp:
      a.x = coordinate();
      a.y = coordinate();
      break;
    case Kind::Height:
    case Kind::DragHeight: a.value = between(-99, 99); break;
    case Kind::Rays:
    case Kind::DragRays: a.value = between(2, 100); break;
    case Kind::Time:
    case Kind::DragTime: a.value = between(5, 100); break;
    case Kind::Press: a.value = between(1, 5); break;
    case Kind::Key: a.value = key(); break;
    case Kind::Play:
    case Kind::Reset: break;
    case Kind::Lens: {
      // A preset with any index in range: every such lens can exist.
      const auto presets = optics::LensPresets();
      a.lens = presets[static_cast<std::size_t>(between(0, static_cast<int>(presets.size()) - 1))].design;
      a.lens.N = std::uniform_real_distribution<>(optics::kMinIndex, optics::kMaxIndex)(rng);
      break;
    }
    case Kind::Active:
    case Kind::Beam: a.value = between(0, 1); break;
    case Kind::Mirror: {
      // None, or a preset with its own number drawn anew (the text carries
      // only the kind's numbers): each such mirror can exist.
      const auto presets = optics::MirrorPresets();
      const int i = between(-1, static_cast<int>(presets.size()) - 1);
      if (i < 0) break;
      optics::MirrorDesign m = presets[static_cast<std::size_t>(i)].design;
      using MK = optics::MirrorKind;
      if (m.Kind == MK::Concave || m.Kind == MK::Convex) m.Radius = std::uniform_real_distribution<>(200, 2000)(rng);
      if (m.Kind == MK::Parabolic) m.Focal = std::uniform_real_distribution<>(20, 500)(rng);
      if (m.Kind == MK::Elliptical) m.F1y = std::uniform_real_distribution<>(10, 150)(rng);
      if (between(0, 1) == 1) m.Aperture = std::uniform_real_distribution<>(20, 150)(rng);
      a.mirror = m;
      break;
    }
    case Kind::Medium: {
      // None, or a preset (each can exist).
      const auto presets = lab::MediumPresets();
      const int i = between(-1, static_cast<int>(presets.size()) - 1);
      if (i >= 0) a.medium = presets[static_cast<std::size_t>(i)].design;
      break;
    }
  }
  return a;
}

}  // namespace lab_testing
