#include "lab/Controls.h"

#include "lab/Captions.h"
#include "text/Language.h"

#include "numeric/Colour.h"
#include "numeric/Single.h"

#include <algorithm>
#include <cmath>

namespace lab {

using text::LanguageRevision;
using text::Tr;

bool ShrinkCaptionsToFit() { return !text::LanguageInForce().empty(); }

Control::Control(const Surface& surface, PixelRect designTwips) : surface_(&surface), design_(designTwips) {
  restoreDesign();
}

void Control::restoreDesign() {
  px_ = {design_.left / kTwipsPerPixel, design_.top / kTwipsPerPixel, design_.width / kTwipsPerPixel,
         design_.height / kTwipsPerPixel};
}

float Control::Left() const { return static_cast<float>(surface_->frame().toWorld({px_.left, 0}).x); }
float Control::Top() const { return static_cast<float>(surface_->frame().toWorld({0, px_.top}).y); }
float Control::Width() const {
  return static_cast<float>(px_.width * std::abs(surface_->ScaleWidth()) / surface_->pixelSize().width);
}
float Control::Height() const {
  return static_cast<float>(px_.height * std::abs(surface_->ScaleHeight()) / surface_->pixelSize().height);
}

void Control::setLeft(double v) {
  const float f = numeric::RoundToSingle(v);
  if (!std::isfinite(f)) return;
  px_.left = surface_->frame().toPixel(f, 0).x;
}

void Control::setTop(double v) {
  const float f = numeric::RoundToSingle(v);
  if (!std::isfinite(f)) return;
  px_.top = surface_->frame().toPixel(0, f).y;
}

void Control::setWidth(double v) {
  const float f = numeric::RoundToSingle(v);
  if (!std::isfinite(f)) return;
  px_.width = std::abs(double{f}) * surface_->pixelSize().width / std::abs(surface_->ScaleWidth());
}

void Control::setHeight(double v) {
  const float f = numeric::RoundToSingle(v);
  if (!std::isfinite(f)) return;
  px_.height = std::abs(double{f}) * surface_->pixelSize().height / std::abs(surface_->ScaleHeight());
}

namespace {
// Design positions in twips: left, top, width, height. Controls that the
// start-up moves get their final place there; only what it keeps matters here.
PixelRect twips(double l, double t, double w, double h) { return {l, t, w, h}; }
constexpr double kButtonPt = 13.5;
constexpr double kDefaultPt = 8.25;

Button makeButton(const Surface& s, double pt, const char* key) {
  return {Control(s, twips(0, 0, 1500, 700)), key, pt};
}
Bar makeBar(const Surface& s, PixelRect design, BarRange range, int large, int small, int value, bool vertical) {
  return {Control(s, design), range, large, small, value, value, true, vertical};
}
Label makeLabel(const Surface& s, PixelRect design, double pt, const char* caption = "") {
  return Label(Control(s, design), caption, pt);
}
}  // namespace

Controls::Controls(const Surface& s)
    : Command1(makeButton(s, kButtonPt, "button.command1")),
      Command2(makeButton(s, kButtonPt, "button.command2")),
      Command3(makeButton(s, 9.75, "button.command3")),
      Command4(makeButton(s, kButtonPt, "button.command4")),
      Command5(makeButton(s, kButtonPt, "button.command5")),
      thesiy(makeBar(s, twips(0, 0, 255, 3000), kThesiyRange, 10, 1, 0, true)),
      arithmosaktinon(makeBar(s, twips(0, 1800, 495, 3735), kRaysRange, 10, 1, 10, true)),
      xronosmetato(makeBar(s, twips(0, 0, 1500, 495), kTimeRange, 5, 1, 5, false)),
      Label1(makeLabel(s, twips(0, 0, 1500, 1500), kButtonPt)),
      Label2(makeLabel(s, twips(0, 0, 1500, 852), 18.0)),
      Label3(makeLabel(s, twips(0, 0, 1500, 972), kButtonPt)),
      Label4(makeLabel(s, twips(0, 0, 1500, 1092), kButtonPt)),
      Label5(makeLabel(s, twips(0, 5520, 975, 735), kDefaultPt)),
      Label6(makeLabel(s, twips(0, 0, 1935, 615), kDefaultPt, "Label6")),
      shmeio(s, twips(4800, 4200, 132, 132)),
      kyklos(s, twips(2400, 4440, 132, 132)) {}

Bar& Controls::bar(BarId id) noexcept {
  return id == BarId::Height ? thesiy : id == BarId::Rays ? arithmosaktinon : xronosmetato;
}
const Bar& Controls::bar(BarId id) const noexcept {
  return id == BarId::Height ? thesiy : id == BarId::Rays ? arithmosaktinon : xronosmetato;
}

std::array<Label*, 6> Controls::labels() noexcept { return {&Label1, &Label2, &Label3, &Label4, &Label5, &Label6}; }
std::array<const Label*, 6> Controls::labels() const noexcept {
  return {&Label1, &Label2, &Label3, &Label4, &Label5, &Label6};
}
std::array<const Button*, 5> Controls::buttons() const noexcept {
  return {&Command1, &Command2, &Command3, &Command4, &Command5};
}

void Controls::restoreDesign(const Surface& s) {
  for (Button* b : {&Command1, &Command2, &Command3, &Command4, &Command5}) {
    b->place.attach(s);
    b->place.restoreDesign();
    b->enabled = true;
  }
  for (Bar* b : {&thesiy, &arithmosaktinon, &xronosmetato}) {
    b->place.attach(s);
    b->place.restoreDesign();
    b->value = b->designValue;
    b->enabled = true;
  }
  for (Label* l : labels()) {
    l->place.attach(s);
    l->place.restoreDesign();
    l->setCaption(l->designCaption);
  }
  for (Control* c : {&shmeio, &kyklos}) {
    c->attach(s);
    c->restoreDesign();
  }
}

std::string Button::caption() const { return Tr(key); }

const std::string& Label::caption() const {
  if (stale_ || revision_ != LanguageRevision()) {
    text_ = PhraseText(phrase_);
    stale_ = false;
    revision_ = LanguageRevision();
  }
  return text_;
}

PixelRect PlayButtonRect(const Controls& c) {
  const PixelRect& bar = c.xronosmetato.place.pixelRect();
  const double side = std::max(bar.height, kPlayButtonMinSide);
  return {std::max(0.0, bar.left - side - kPlayButtonGap), bar.top, side, side};
}

PixelPoint FingerPressAt(const Controls& c, PixelPoint at) {
  PixelPoint taken = at;
  double best = kTouchSlopPixels;
  for (const Control* m : {&c.shmeio, &c.kyklos}) {
    const PixelRect& r = m->pixelRect();
    const PixelPoint centre{r.left + r.width / 2, r.top + r.height / 2};
    const double d = std::hypot(at.x - centre.x, at.y - centre.y);
    if (d < best) {
      best = d;
      taken = centre;
    }
  }
  return taken;
}

ShapeCentre CentreOf(const Control& shape) {
  return {shape.Left() + shape.Width() / 2.0f, shape.Top() - shape.Height() / 2.0f};
}

void CentreOn(Control& s, float x, float y) {
  s.setLeft(x - s.Width() / 2.0f);
  s.setTop(y + s.Height() / 2.0f);
}

bool Hits(const Control& c, float x, float y) {
  const float l = c.Left(), t = c.Top();
  const float r = l + c.Width(), b = t - c.Height();
  return x > l && x < r && y < t && y > b;
}

}  // namespace lab
