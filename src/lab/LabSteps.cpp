// The lab's queue of steps: the drawing operations and procedures a press
// queues, run in order until a message stops them, and the message's
// dismissal that lets them go on.
#include "lab/Captions.h"
#include "lab/Lab.h"

#include <iterator>
#include <utility>

namespace lab {

void Lab::draw(const core::Drawing& drawing) {
  if (inserting_) {
    inserting_->insert(inserting_->end(), drawing.ops.begin(), drawing.ops.end());
  } else {
    queue_.insert(queue_.end(), drawing.ops.begin(), drawing.ops.end());
  }
}

void Lab::then(std::function<void()> step) {
  if (inserting_) {
    inserting_->emplace_back(std::move(step));
  } else {
    queue_.emplace_back(std::move(step));
  }
}

// Runs the queued steps in order until a message stops them. A step that
// queues more (a procedure called from a step) has them run right after it,
// before the steps queued earlier: the order of plain nested calls.
void Lab::run() {
  if (running_) return;
  running_ = true;
  while (!message_ && !queue_.empty()) {
    Step s = std::move(queue_.front());
    queue_.pop_front();
    if (const auto* op = std::get_if<core::DrawOp>(&s)) {
      apply(*op);
      continue;
    }
    std::vector<Step> inserted;
    std::vector<Step>* outer = std::exchange(inserting_, &inserted);
    std::get<std::function<void()>>(s)();
    inserting_ = outer;
    queue_.insert(queue_.begin(), std::make_move_iterator(inserted.begin()), std::make_move_iterator(inserted.end()));
  }
  running_ = false;
}

void Lab::apply(const core::DrawOp& op) {
  Surface& c = surface_;
  using K = core::DrawOp::Kind;
  switch (op.kind) {
    case K::Line: c.Line(op.x1, op.y1, op.x2, op.y2, op.colour); break;
    case K::LineTo: c.LineTo(op.x2, op.y2, op.colour); break;
    case K::Circle: c.Circle(op.x1, op.y1, op.r, op.colour); break;
    case K::Arc: c.Circle(op.x1, op.y1, op.r, op.colour, op.start, op.end); break;
    case K::PSet: c.PSet(op.x1, op.y1, op.colour); break;
    case K::DrawWidth: c.DrawWidth = op.value; break;
    case K::DrawStyle: c.DrawStyle = op.value; break;
    case K::FillStyle: c.FillStyle = op.value; break;
    case K::Caption: CaptionLabel(controls_, op.caption).show(op.caption, op.a, op.b); break;
    case K::Message:
      ++messageCount_;
      if (holding_) {
        held_.emplace_back(MessageText(op.text));
      } else {
        message_ = MessageText(op.text);
      }
      break;
    case K::MoveEntry:
      controls_.shmeio.setLeft(op.x1 - controls_.shmeio.Width() / 2.0);
      controls_.shmeio.setTop(op.y1 + controls_.shmeio.Height() / 2.0);
      break;
  }
}

void Lab::dismissMessage() {
  const FollowChallenge following{*this};
  if (!message_) return;
  message_.reset();
  run();
}

}  // namespace lab
