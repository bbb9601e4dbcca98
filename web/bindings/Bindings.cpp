// The class WebLab as JavaScript sees it (embind): every member under its
// own name; the number lists as Float64Array copies.
#include "WebLab.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>

namespace {

using emscripten::val;

// A copy owned by JavaScript: a view on the module's memory would go stale
// when the memory grows.
val float64Array(const std::vector<double>& v) {
  return val(emscripten::typed_memory_view(v.size(), v.data())).call<val>("slice");
}

val items(const web::WebLab& lab, int from) { return float64Array(lab.items(from)); }
val region(const web::WebLab& lab, int item) { return float64Array(lab.region(item)); }
// The sound of what changed since the last call, as a Float32Array (empty: silence).
val soundSamples(web::WebLab& lab, int rate) {
  const std::vector<float> v = lab.soundSamples(rate);
  return val(emscripten::typed_memory_view(v.size(), v.data())).call<val>("slice");
}

}  // namespace

EMSCRIPTEN_BINDINGS(fermat_web_lab) {
  using web::WebLab;
  emscripten::class_<WebLab>("WebLab")
      .constructor<int, int>()
      .function("pointerDown", &WebLab::pointerDown)
      .function("pointerMove", &WebLab::pointerMove)
      .function("pointerUp", &WebLab::pointerUp)
      .function("setBar", &WebLab::setBar)
      .function("thumbMoved", &WebLab::thumbMoved)
      .function("thumbReleased", &WebLab::thumbReleased)
      .function("click", &WebLab::click)
      .function("key", &WebLab::key)
      .function("otherInput", &WebLab::otherInput)
      .function("barKey", &WebLab::barKey)
      .function("press", &WebLab::press)
      .function("fingerPress", &WebLab::fingerPress)
      .function("idle", &WebLab::idle)
      .function("idlePending", &WebLab::idlePending)
      .function("startPlay", &WebLab::startPlay)
      .function("stopPlay", &WebLab::stopPlay)
      .function("togglePlay", &WebLab::togglePlay)
      .function("playing", &WebLab::playing)
      .function("playTick", &WebLab::playTick)
      .function("settle", &WebLab::settle)
      .function("setLive", &WebLab::setLive)
      .function("live", &WebLab::live)
      .function("reset", &WebLab::reset)
      .function("run", &WebLab::run)
      .function("busy", &WebLab::busy)
      .function("message", &WebLab::message)
      .function("dismissMessage", &WebLab::dismissMessage)
      .function("captions", &WebLab::captions)
      .function("languages", &WebLab::languages)
      .function("addCatalogue", &WebLab::addCatalogue)
      .function("useLanguage", &WebLab::useLanguage)
      .function("language", &WebLab::language)
      .function("tr", &WebLab::tr)
      .function("localNumber", &WebLab::localNumber)
      .function("controls", &WebLab::controls)
      .function("frames", &WebLab::frames)
      .function("pen", &WebLab::pen)
      .function("revision", &WebLab::revision)
      .function("generation", &WebLab::generation)
      .function("itemCount", &WebLab::itemCount)
      .function("complete", &WebLab::complete)
      .function("items", &items)
      .function("region", &region)
      .function("labelLines", &WebLab::labelLines)
      .function("curveCsv", &WebLab::curveCsv)
      .function("bundleCsv", &WebLab::bundleCsv)
      .function("bundleGraph", &WebLab::bundleGraph)
      .function("curveGraph", &WebLab::curveGraph)
      .function("describeChange", &WebLab::describeChange)
      .function("describePicture", &WebLab::describePicture)
      .function("soundSamples", &soundSamples)
      .function("soundRate", &WebLab::soundRate)
      .function("setHighContrast", &WebLab::setHighContrast)
      .function("contrastTheme", &WebLab::contrastTheme)
      .function("setLens", &WebLab::setLens)
      .function("lens", &WebLab::lens)
      .function("setMirror", &WebLab::setMirror)
      .function("mirror", &WebLab::mirror)
      .function("mirrorWhy", &WebLab::mirrorWhy)
      .function("setParallelBeam", &WebLab::setParallelBeam)
      .function("mirrorPanel", &WebLab::mirrorPanel)
      .function("editMirror", &WebLab::editMirror)
      .function("mirrorOfKind", &WebLab::mirrorOfKind)
      .function("setMedium", &WebLab::setMedium)
      .function("medium", &WebLab::medium)
      .function("mediumShading", &WebLab::mediumShading)
      .function("lensFieldProblem", &WebLab::lensFieldProblem)
      .function("lensSliderValue", &WebLab::lensSliderValue)
      .function("lensSliderPosition", &WebLab::lensSliderPosition)
      .function("texts", &WebLab::texts)
      .function("setupJson", &WebLab::setupJson)
      .function("setupFragment", &WebLab::setupFragment)
      .function("openSetup", &WebLab::openSetup)
      .function("openFragment", &WebLab::openFragment)
      .function("help", &WebLab::help)
      .function("sceneHints", &WebLab::sceneHints)
      .function("lessons", &WebLab::lessons)
      .function("openLesson", &WebLab::openLesson)
      .function("challengeStart", &WebLab::challengeStart)
      .function("challengeStop", &WebLab::challengeStop)
      .function("challenge", &WebLab::challenge)
      .function("challengeReveal", &WebLab::challengeReveal)
      .function("equalTime", &WebLab::equalTime)
      .function("equalTimeCsv", &WebLab::equalTimeCsv)
      .function("refusedOperations", &WebLab::refusedOperations);
}
