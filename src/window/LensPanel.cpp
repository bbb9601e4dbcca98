#include "window/Words.h"
#include "window/LensPanel.h"

#include "lab/LensPanelRows.h"
#include "lab/LensText.h"
#include "window/Fermat.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>

#include <algorithm>
#include <cmath>

namespace app {
namespace {

using lab::LensPanelRow;

// Every number can be typed, so that one the lens cannot take is answered
// with why (a spin box's own range would silently keep the old value).
constexpr double kTypedReach = 1e6;

// The lab's mapping between a field and its slider, the page's too.
int sliderValue(const LensPanelRow& d, double v) { return lab::LensSliderPosition(d.field, v); }

}  // namespace

LensPanel::LensPanel(Fermat& window) : QWidget(&window, Qt::Tool), window_(window), status_(new QLabel(this)) {
  Word(this, "window.lens.title", "windowTitle");
  setObjectName(QStringLiteral("lensPanel"));
  auto* form = new QFormLayout(this);
  for (std::size_t i = 0; i < lab::LensPanelRows().size(); ++i) {
    const LensPanelRow& d = lab::LensPanelRows()[i];
    Row& r = rows_[i];
    r.box = new QDoubleSpinBox(this);
    r.box->setRange(d.curvature ? -kTypedReach : 0, kTypedReach);
    r.box->setSingleStep(d.step);
    r.box->setDecimals(d.decimals);
    // Typing applies on Enter or when the field is left, not at every digit.
    r.box->setKeyboardTracking(false);
    r.slider = new QSlider(Qt::Horizontal, this);
    const lab::SliderRange range = lab::LensSliderRange(d.field);
    r.slider->setRange(range.low, range.high);
    auto* line = new QHBoxLayout;
    line->addWidget(r.box);
    line->addWidget(r.slider, 1);
    if (d.toggle) {
      r.toggle = Word(new QCheckBox(this), d.toggle);
      line->addWidget(r.toggle);
      connect(r.toggle, &QCheckBox::toggled, this, [this, &r, &d](bool on) {
        r.box->setEnabled(!on);
        if (d.curvature) {
          // A flat face stands at the slider's middle, which stays live.
          const QSignalBlocker quiet(r.slider);
          r.slider->setValue(on ? 0 : sliderValue(d, r.box->value()));
        } else {
          r.slider->setEnabled(!on);
        }
        apply();
      });
    }
    // The label's mnemonic (Alt+N, ...) moves to its field.
    auto* label = Word(new QLabel(this), d.label);
    label->setBuddy(r.box);
    form->addRow(label, line);
    connect(r.box, &QDoubleSpinBox::valueChanged, this, [this, &r, &d](double v) {
      const QSignalBlocker quiet(r.slider);
      r.slider->setValue(sliderValue(d, v));
      apply();
    });
    // Live while dragged: every position the slider passes is applied.
    connect(r.slider, &QSlider::valueChanged, this, [this, &r, &d](int v) {
      const std::optional<double> value = lab::LensSliderValue(d.field, v);
      if (!d.curvature) {
        r.box->setValue(value.value_or(0));
        return;
      }
      if (!value) {
        r.toggle->setChecked(true);
        return;
      }
      const QSignalBlocker a(r.toggle), b(r.box);
      r.toggle->setChecked(false);
      r.box->setEnabled(true);
      r.box->setValue(*value);
      apply();
    });
  }
  status_->setWordWrap(true);
  status_->setObjectName(QStringLiteral("lensStatus"));
  form->addRow(status_);
  window.addLensFollower([this] { catchUp(); });
  catchUp();
}

optics::LensDesign LensPanel::fields() const {
  optics::LensDesign s;
  s.N = rows_[kIndex].box->value();
  s.First = rows_[kFirst].toggle->isChecked() ? optics::FaceDesign{.Flat = true}
                                              : optics::FaceDesign{.Radius = rows_[kFirst].box->value()};
  s.Second = rows_[kSecond].toggle->isChecked() ? optics::FaceDesign{.Flat = true}
                                                : optics::FaceDesign{.Radius = rows_[kSecond].box->value()};
  s.Thickness = rows_[kThickness].box->value();
  if (!rows_[kAperture].toggle->isChecked()) s.Aperture = rows_[kAperture].box->value();
  return s;
}

QString LensPanel::status() const { return status_->text(); }

void LensPanel::apply() {
  if (following_) return;
  // Every number typed reaches the lens (the boxes take any), which refuses
  // one out of range with the range it breaks.
  const std::string refused = window_.setLens(fields());
  if (!refused.empty()) {
    status_->setText(Tr("window.lens.notTaken", {{"why", refused}}));
    status_->setStyleSheet(QStringLiteral("color: #b00000"));
  }
}

void LensPanel::catchUp() {
  following_ = true;
  const optics::LensDesign& s = window_.lab().lensDesign();
  const optics::Lens& lens = window_.lab().lens();
  auto set = [&](Row& r, double v, bool toggled) {
    const LensPanelRow& d = lab::LensPanelRows()[static_cast<std::size_t>(&r - rows_.data())];
    const QSignalBlocker a(r.box), b(r.slider);
    r.box->setValue(v);
    r.slider->setValue(sliderValue(d, v));
    if (r.toggle) {
      const QSignalBlocker c(r.toggle);
      r.toggle->setChecked(toggled);
      r.box->setEnabled(!toggled);
      r.slider->setEnabled(d.curvature || !toggled);
      if (d.curvature && toggled) r.slider->setValue(0);
    }
  };
  set(rows_[kIndex], s.N, false);
  set(rows_[kFirst], s.First.Flat ? optics::LensDesign{}.First.Radius : s.First.Radius, s.First.Flat);
  set(rows_[kSecond], s.Second.Flat ? optics::LensDesign{}.Second.Radius : s.Second.Radius, s.Second.Flat);
  set(rows_[kThickness], s.Thickness, false);
  // Where the faces meet, the field shows that height.
  set(rows_[kAperture], s.Aperture.value_or(lens.HalfAperture), !s.Aperture);
  const std::string note = lab::LensTakenNote(window_.lab());
  status_->setText(QString::fromStdString(lab::LensSummary(s, lens) + (note.empty() ? "" : "\n" + note)));
  status_->setStyleSheet({});
  following_ = false;
}

}  // namespace app
