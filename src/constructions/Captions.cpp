#include "constructions/Captions.h"

#include "canvas/Form.h"
#include "canvas/Format.h"

namespace constructions {

using core::Caption;

canvas::Label& CaptionLabel(canvas::Form& f, Caption which) {
  switch (which) {
    case Caption::TotalReflection: return f.Label1;
    case Caption::FermatTime: return f.Label2;
    case Caption::FermatAngles:
    case Caption::Incidence:
    case Caption::IncidenceRefraction: return f.Label3;
    case Caption::FermatRatio:
    case Caption::RayIndex:
    case Caption::BundleIndex: return f.Label4;
  }
  return f.Label3;
}

QString CaptionText(Caption which, double a, double b) {
  switch (which) {
    case Caption::FermatAngles:
      return QStringLiteral("Incidence = ") + canvas::Format(a, "0.00") + QStringLiteral(" refraction= ") +
             canvas::Format(b, "0.00");
    case Caption::FermatRatio: return QStringLiteral("n  = ") + canvas::Format(a, "0.00");
    case Caption::FermatTime: return QStringLiteral("χρόνος = ") + canvas::Format(a, "0.00");
    case Caption::TotalReflection:
      // Two literals joined as they stand: five blanks between the words.
      return QStringLiteral("total reflection   ") + QStringLiteral("  critical = ") + canvas::Format(a, "0.00");
    case Caption::Incidence: return QStringLiteral("incidence =") + canvas::Format(a, "0.00");
    case Caption::IncidenceRefraction:
      return QStringLiteral("incidence =") + canvas::Format(a, "0.00") + QStringLiteral(" refraction =") +
             canvas::Format(b, "0.00");
    case Caption::RayIndex: return QStringLiteral("n = ") + canvas::Format(a, "0.00");
    case Caption::BundleIndex: return QStringLiteral("n = ") + canvas::Format(a, "0.000");
  }
  return {};
}

}  // namespace constructions
