#include "lab/SetupRun.h"

#include "lab/Run.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace lab {

Setup CurrentSetup(const Lab& lab) {
  return {.lens = lab.lensDesign(),
          .mirror = lab.mirrorDesign(),
          .medium = lab.mediumDesign(),
          .parallelBeam = lab.startParallelBeam(),
          .live = lab.live(),
          .start = lab.startPlacement(),
          .actions = lab.journal()};
}

std::string OpenSetup(Lab& lab, const Setup& setup) {
  if (lab.busy()) return "a message is open";
  if (const optics::LensBuild b = optics::MakeLens(setup.lens); !b.lens) return "the set-up's lens: " + b.error;
  if (setup.mirror) {
    if (const optics::MirrorBuild b = optics::MakeMirror(*setup.mirror); !b.mirror) {
      return "the set-up's mirror: " + b.error;
    }
  }
  if (setup.medium) {
    if (const optics::MediumBuild b = optics::MakeMedium(*setup.medium); !b.medium) {
      return "the set-up's medium: " + b.error;
    }
  }
  lab.stopPlay();
  lab.setLive(setup.live);
  if (std::string e = lab.setLens(setup.lens); !e.empty()) return e;
  if (std::string e = lab.setMirror(setup.mirror); !e.empty()) return e;
  if (setup.medium) {
    if (std::string e = lab.setMedium(setup.medium); !e.empty()) return e;
  }
  (void)lab.setParallelBeam(setup.parallelBeam);  // no message is open: taken
  lab.restart(setup.start);
  // The replay writes its own journal, which replays to the same state (a
  // reset or a lens among the actions starts it afresh, as it did then).
  for (const Action& a : setup.actions) RunAction(lab, a, nullptr);
  return {};
}

std::string OpenRefusal(const std::string& option, const SetupRead& read, bool verbose) {
  std::string line = option + ": " + read.error;
  if (verbose && !read.detail.empty()) line += " (details: " + read.detail + ")";
  return line;
}

std::string OpenedFileConflict(const std::string& output, const std::string& path) {
  if (output == "--save") return {};
  return "--open and " + output + " name the same file " + Quoted(path) +
         ": an output may not replace the set-up being opened (only --save may)";
}

std::string StartConflict(bool open, bool lens, bool lesson) {
  if (int(open) + int(lens) + int(lesson) < 2) return {};
  return std::string(open ? "--open" : "--lens") + " and " + (lesson ? "--lesson" : "--lens") +
         " cannot be combined: each brings its own lens";
}

SetupRead ReadSetupFile(const std::string& path) {
  auto refuse = [&](const std::string& why) { return SetupRead{std::nullopt, Quoted(path) + ": " + why}; };
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return refuse(std::strerror(errno));
  // One byte more than a set-up may have tells a file that is too large
  // without reading all of it.
  std::string text(kMaxSetupBytes + 1, '\0');
  const std::size_t n = std::fread(text.data(), 1, text.size(), f);
  const bool failed = std::ferror(f) != 0;
  const int error = errno;
  std::fclose(f);
  if (failed) return refuse(std::strerror(error));
  if (n > kMaxSetupBytes) return refuse("larger than a set-up file may be (" + std::to_string(kMaxSetupBytes) + " bytes)");
  text.resize(n);
  SetupRead read = ParseSetup(text);
  if (!read.setup) read.error = Quoted(path) + ": " + read.error;
  // The reader takes any numbers for the lens; one that cannot be made is
  // this file's fault and is named with it, as every other fault of it is.
  if (read.setup) {
    if (const optics::LensBuild b = optics::MakeLens(read.setup->lens); !b.lens) {
      return refuse("the set-up's lens: " + b.error);
    }
  }
  return read;
}

}  // namespace lab
