#pragma once

#include <span>
#include <string>
#include <vector>

#include "optics/LensDesign.h"
#include "optics/Mirror.h"

#include <optional>

namespace lab {

class Lab;

// A prepared set-up for one lesson: a start with the lens (markers and bars
// where a start-up puts them), then the actions, and one sentence for the
// class of what to do.
struct Lesson {
  const char* key;    // as --lesson and the page's links spell it
  optics::LensDesign lens;
  std::vector<const char*> actions;  // as the command line spells them
  std::optional<optics::MirrorDesign> mirror;  // a lesson of the mirror scene: its mirror
  const char* medium = nullptr;                // a lesson of the medium scene: its preset's key

  // In the language in force, from the catalogue ("lesson.KEY.title", ".task").
  [[nodiscard]] std::string title() const;  // as the Lessons menu shows it
  [[nodiscard]] std::string task() const;   // one sentence: what to do
};

[[nodiscard]] std::span<const Lesson> Lessons();

// The lesson by its key; null when there is none.
[[nodiscard]] const Lesson* FindLesson(std::string_view key);

// "unknown lesson 'x' (one of a, b, ...)".
[[nodiscard]] std::string UnknownLesson(std::string_view key);

// Starts the lesson in the lab: its lens, its mirror or medium (or the lens
// scene), a reset, its actions. Refused with
// a one-line reason, nothing changed, while a message is open.
[[nodiscard]] std::string OpenLesson(Lab& lab, const Lesson& lesson);

// The line an exported or printed picture may carry for a worksheet: the
// lens in force (in the mirror scene the mirror) and the lesson, if one is
// open ("Lens: Standard lens (n = 2); lesson: The lifeguard problem").
[[nodiscard]] std::string PictureCaption(const Lab& lab);

}  // namespace lab
