#include "lab/Captions.h"

#include "core/Constants.h"
#include "lab/Format.h"
#include "text/Language.h"

namespace lab {

using text::LocalNumber;
using text::Tr;

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

namespace {

// A number as a label writes it, with the language's decimal separator.
std::string Num(double value, std::string_view pattern) { return LocalNumber(Format(value, pattern)); }

}  // namespace

std::string CaptionText(Caption which, double a, double b) {
  switch (which) {
    case Caption::FermatAngles:
      return Tr("caption.fermatAngles", {{"incidence", Num(a, "0.00")}, {"refraction", Num(b, "0.00")}});
    case Caption::FermatRatio: return Tr("caption.fermatRatio", {{"n", Num(a, "0.00")}});
    case Caption::FermatTime: return Tr("caption.fermatTime", {{"time", Num(a, "0.00")}});
    case Caption::TotalReflection: return Tr("caption.totalReflection", {{"critical", Num(a, "0.00")}});
    case Caption::Incidence: return Tr("caption.incidence", {{"incidence", Num(a, "0.00")}});
    case Caption::IncidenceRefraction:
      return Tr("caption.incidenceRefraction", {{"incidence", Num(a, "0.00")}, {"refraction", Num(b, "0.00")}});
    case Caption::RayIndex: return Tr("caption.rayIndex", {{"n", Num(a, "0.00")}});
    case Caption::BundleIndex: return Tr("caption.bundleIndex", {{"n", Num(a, "0.000")}});
    case Caption::MirrorAngles:
      return Tr("caption.mirrorAngles", {{"incidence", Num(a, "0.00")}, {"reflection", Num(b, "0.00")}});
    case Caption::StationaryCount: return Tr("caption.stationaryCount", {{"count", Num(a, "0")}});
    case Caption::StationaryStretch: return Tr("caption.stationaryStretch");
    case Caption::CurvedPaths: return Tr("caption.curvedPaths", {{"paths", Num(a, "0")}, {"saddles", Num(b, "0")}});
    case Caption::RayAgreement: return Tr("caption.rayAgreement", {{"distance", LocalNumber(SignificantText(a, 2))}});
  }
  return {};
}

std::string MessageText(const std::string& message) {
  if (message == core::kNotFound) return Tr("message.notFound");
  if (message == core::kNaiThe) return Tr("message.naiThe");
  return message;
}

std::string PhraseText(const LabelPhrase& p) {
  using K = LabelPhrase::Kind;
  switch (p.kind) {
    case K::Fixed: return p.fixed;
    case K::Caption: return CaptionText(p.which, p.a, p.b);
    case K::Height: return Tr("caption.height", {{"height", Num(p.a, "")}});
    case K::Rays: return Tr(p.atStartUp ? "caption.raysAtStart" : "caption.rays", {{"rays", Num(p.a, "0")}});
    case K::Time: return Tr(p.atStartUp ? "caption.timeAtStart" : "caption.time", {{"time", Num(p.a, "0")}});
    case K::PathTime: return Tr("caption.pathTime", {{"time", Num(p.a, "0.00")}});
  }
  return p.fixed;
}

LabelPhrase HeightPhrase(int height) { return {.kind = LabelPhrase::Kind::Height, .a = static_cast<double>(height)}; }
LabelPhrase RaysPhrase(int rays, bool atStartUp) {
  return {.kind = LabelPhrase::Kind::Rays, .a = static_cast<double>(rays), .atStartUp = atStartUp};
}
LabelPhrase TimePhrase(int time, bool atStartUp) {
  return {.kind = LabelPhrase::Kind::Time, .a = static_cast<double>(time), .atStartUp = atStartUp};
}
LabelPhrase PathTimePhrase(double time) { return {.kind = LabelPhrase::Kind::PathTime, .a = time}; }

std::string PathTimeCaption(double time) { return PhraseText(PathTimePhrase(time)); }

}  // namespace lab
