#include "headless/Start.h"

#include "headless/Files.h"
#include "lab/Describe.h"
#include "lab/Lessons.h"
#include "lab/MediumRun.h"
#include "lab/Run.h"
#include "lab/SetupRun.h"
#include "lab/Sound.h"

#include <ostream>

namespace headless {
namespace {

Ending failed(std::string error) { return {2, std::move(error)}; }

std::string prefixed(const char* option, const std::string& reason) {
  std::string e = option;
  e += ": ";
  e += reason;
  return e;
}

// The session's files from the lab as the actions left it.
std::string addSessionOutputs(const Session& s, const lab::Lab& lab, const std::vector<float>& heard, OutputFiles& files) {
  for (const NamedOutput& o : SessionOutputs(s)) {
    const std::string_view option = o.option;
    const std::string bytes = option == "--trace"   ? lab::TraceText(lab)
                              : option == "--curve"  ? lab::CurveFile(lab)
                              : option == "--bundle" ? lab::BundleFile(lab)
                              : option == "--save"   ? lab::SetupJson(lab::CurrentSetup(lab))
                              : option == "--stationary" ? lab::StationaryFile(lab)
                              : option == "--paths"  ? lab::PathsFile(lab)
                              : option == "--sound"  ? lab::WavFile(heard, lab::kWavSampleRate)
                                                     : lab::EqualTimeFile(lab, s.equalTimeAt);
    if (std::string e = files.add(o.path, bytes); !e.empty()) return e;
  }
  return {};
}

}  // namespace

Ending RunSession(const Session& s, Program& program, std::ostream& out) {
  lab::Lab& lab = program.build(s);
  // The lens was read as one that can exist; what the lab still refuses (a
  // message open) ends the run as a bad lens does.
  if (s.lens) {
    if (std::string e = program.setLens(*s.lens); !e.empty()) return failed(prefixed("--lens", e));
  }
  if (s.setup) {
    if (std::string e = program.openSetup(*s.setup); !e.empty()) return failed(prefixed("--open", e));
  }
  if (!s.lesson.empty()) {
    if (std::string e = program.openLesson(*lab::FindLesson(s.lesson)); !e.empty())
      return failed(prefixed("--lesson", e));
  }
  if (s.mirror) {
    if (std::string e = program.setMirror(*s.mirror); !e.empty()) return failed(prefixed("--mirror", e));
  }
  if (s.medium) {
    if (std::string e = program.setMedium(*s.medium); !e.empty()) return failed(prefixed("--medium", e));
  }
  if (s.classic) program.setLive(false);
  if (s.challenge) program.startChallenge();
  // What each action changed, as a screen reader hears it after that action.
  // Only when asked for: each look at the start costs a least-time search.
  lab::ChangeDescriber described;
  if (s.describe) (void)described.next(lab);  // the start is the picture's, printed last
  // What each action makes heard, one cue after another.
  lab::SoundFollower sound;
  if (!s.sound.empty()) (void)sound.next(lab);
  std::vector<float> heard;
  for (const lab::Action& a : s.actions) {
    program.run(a);
    if (!s.sound.empty()) {
      const std::vector<float> cue = lab::CueSamples(sound.next(lab), lab::kWavSampleRate);
      heard.insert(heard.end(), cue.begin(), cue.end());
    }
    if (!s.describe) continue;
    if (const std::string said = described.next(lab); !said.empty()) out << "Described\t" << said << "\n" << std::flush;
  }
  if (const std::optional<int> status = program.handOver()) return {*status, {}};

  if (s.printLabels) out << lab::LabelLines(lab) << std::flush;
  if (s.describe) out << "Picture\t" << lab::DescribePicture(lab) << "\n" << std::flush;
  if (s.challenge) {
    const std::optional<lab::ChallengeReveal>& r = program.revealChallenge();
    out << "Challenge\t" << (r ? lab::ChallengeText(*r) : std::string("no answer: challenge mode is off")) << "\n"
        << std::flush;
    // What a course platform is told of this answer (the one-file page's SCORM report).
    if (const std::optional<lab::ChallengeScore> score = r ? lab::ScoreOf(*r) : std::nullopt) {
      out << "Score\t" << score->score << " of 100, " << (score->hit ? "found" : "not found") << "\n" << std::flush;
    }
  }
  // Every output is made and written to a temporary first; only when all are
  // complete do they replace their targets, so a failure leaves none behind.
  OutputFiles files;
  if (std::string e = addSessionOutputs(s, lab, heard, files); !e.empty()) return failed(e);
  if (std::string e = program.addOutputs(files); !e.empty()) return failed(e);
  if (std::string e = files.commit(); !e.empty()) return failed(e);
  return {};
}

// ---------------------------------------------------------------- fermat-lab

lab::Lab& LabProgram::build(const Session& s) {
  // fermat-lens's size without a display.
  const auto [width, height] = s.size.value_or(std::pair{1280, 800});
  lab_.emplace(lab::Size{width, height});
  lab_->setLogging(!s.trace.empty());
  lab_->buildScene();
  return *lab_;
}

std::string LabProgram::setLens(const optics::LensDesign& design) { return lab_->setLens(design); }
std::string LabProgram::setMirror(const optics::MirrorDesign& design) { return lab_->setMirror(design); }
std::string LabProgram::setMedium(const optics::MediumDesign& design) { return lab_->setMedium(design); }
std::string LabProgram::openSetup(const lab::Setup& setup) { return lab::OpenSetup(*lab_, setup); }
std::string LabProgram::openLesson(const lab::Lesson& lesson) { return lab::OpenLesson(*lab_, lesson); }
void LabProgram::setLive(bool on) { lab_->setLive(on); }
void LabProgram::startChallenge() { lab_->challenge().start(*lab_); }

void LabProgram::run(const lab::Action& action) {
  // No one to press OK: the message is written out and counts as dismissed.
  lab::RunAction(*lab_, action, [this](const std::string& text) { out_ << "MsgBox\t" << text << std::endl; });
}

const std::optional<lab::ChallengeReveal>& LabProgram::revealChallenge() { return lab_->challenge().reveal(*lab_); }

}  // namespace headless
