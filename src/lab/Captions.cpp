#include "lab/Captions.h"

#include "lab/Format.h"

namespace lab {

using core::Caption;

Label& CaptionLabel(Controls& f, Caption which) {
  switch (which) {
    case Caption::TotalReflection: return f.Label1;
    case Caption::FermatTime: return f.Label2;
    case Caption::FermatAngles:
    case Caption::Incidence:
    case Caption::IncidenceRefraction: return f.Label3;
    case Caption::FermatRatio:
    case Caption::RayIndex:
    case Caption::BundleIndex:
    case Caption::StationaryCount:
    case Caption::StationaryStretch:
    case Caption::RayAgreement: return f.Label4;
    case Caption::CurvedPaths: return f.Label3;
    case Caption::MirrorAngles: return f.Label3;
  }
  return f.Label3;
}

std::string CaptionText(Caption which, double a, double b) {
  switch (which) {
    case Caption::FermatAngles: return "Incidence = " + Format(a, "0.00") + " refraction= " + Format(b, "0.00");
    case Caption::FermatRatio: return "n  = " + Format(a, "0.00");
    case Caption::FermatTime: return "χρόνος = " + Format(a, "0.00");
    // Two literals joined as they stand: five blanks between the words.
    case Caption::TotalReflection: return std::string("total reflection   ") + "  critical = " + Format(a, "0.00");
    case Caption::Incidence: return "incidence =" + Format(a, "0.00");
    case Caption::IncidenceRefraction:
      return "incidence =" + Format(a, "0.00") + " refraction =" + Format(b, "0.00");
    case Caption::RayIndex: return "n = " + Format(a, "0.00");
    case Caption::BundleIndex: return "n = " + Format(a, "0.000");
    case Caption::MirrorAngles:
      return "incidence = " + Format(a, "0.00") + " reflection = " + Format(b, "0.00");
    case Caption::StationaryCount: return "stationary paths = " + Format(a, "0");
    case Caption::StationaryStretch: return "stationary: the whole mirror";
    case Caption::CurvedPaths: return "paths = " + Format(a, "0") + " (saddles " + Format(b, "0") + ")";
    case Caption::RayAgreement: return "ray equation within " + SignificantText(a, 2);
  }
  return {};
}

std::string HeightCaption(int height) { return "ψ= " + Format(height); }

// The start-up and the bar's Change spell the ray count differently.
std::string RaysCaption(int rays, bool atStartUp) {
  return (atStartUp ? "number of points=" : "Number of points=") + Format(rays, "0");
}

std::string TimeCaption(int time, bool atStartUp) { return (atStartUp ? "time=" : "t=") + Format(time, "0"); }

std::string PathTimeCaption(double time) { return "time = " + Format(time, "0.00"); }

}  // namespace lab
