#include "constructions/Draw.h"

#include "canvas/Form.h"
#include "constructions/Captions.h"

namespace constructions {

void Draw(canvas::Form& f, const core::Drawing& drawing) {
  canvas::Canvas& c = f.canvas;
  using K = core::DrawOp::Kind;
  for (const core::DrawOp& op : drawing.ops) {
    switch (op.kind) {
      case K::Line: c.Line(op.x1, op.y1, op.x2, op.y2, op.colour); break;
      case K::LineTo: c.LineTo(op.x2, op.y2, op.colour); break;
      case K::Circle: c.Circle(op.x1, op.y1, op.r, op.colour); break;
      case K::PSet: c.PSet(op.x1, op.y1, op.colour); break;
      case K::DrawWidth: c.DrawWidth = op.value; break;
      case K::DrawStyle: c.DrawStyle = op.value; break;
      case K::FillStyle: c.FillStyle = op.value; break;
      case K::Caption: CaptionLabel(f, op.caption).setCaption(CaptionText(op.caption, op.a, op.b)); break;
      case K::Message: f.MsgBox(QString::fromUtf8(op.text)); break;
      case K::MoveEntry:
        f.shmeio.setLeft(op.x1 - f.shmeio.Width() / 2.0);
        f.shmeio.setTop(op.y1 + f.shmeio.Height() / 2.0);
        break;
    }
  }
}

}  // namespace constructions
