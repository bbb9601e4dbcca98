// The medium scene for the page: taking a medium as --medium spells it, the
// medium in force with the presets, and the index's shading over the picture.
#include "WebLab.h"

#include "Json.h"
#include "OverlayJson.h"
#include "lab/MediumShading.h"
#include "lab/MediumText.h"
#include "lab/Run.h"

namespace web {

std::string WebLab::setMedium(const std::string& text) {
  std::optional<optics::MediumDesign> medium;
  if (std::string e = lab::ReadMedium(text, medium); !e.empty()) return e;
  return lab_.setMedium(medium);
}

std::string WebLab::medium() const {
  const std::optional<optics::MediumDesign> now = lab_.mediumDesign();
  const lab::MediumPreset* inForce = now ? lab::PresetOf(*now) : nullptr;
  const std::string preset = !now ? "none" : inForce ? inForce->key : "";
  std::string presets;
  for (const lab::MediumPreset& p : lab::MediumPresets()) {
    presets += std::string(presets.empty() ? "" : ",") + "{\"key\":" + jsonString(p.key) +
               ",\"name\":" + jsonString(lab::MediumPresetName(p)) + ",\"text\":" + jsonString(lab::MediumText(p.design)) + "}";
  }
  return "{\"text\":" + jsonString(lab::MediumText(now)) + ",\"summary\":" + jsonString(lab::SceneSummary(lab_)) +
         ",\"preset\":" + jsonString(preset) + ",\"presets\":[" + presets + "]}";
}

std::string WebLab::mediumShading() const { return OverlayJson(lab::MediumShadingDrawing(lab_)); }

}  // namespace web
