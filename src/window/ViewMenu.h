#pragma once

#include <QObject>
#include <QPointer>

#include <optional>

class QAction;

namespace views {
class GraphView;
}

namespace app {

class Fermat;

// The window's View menu with its one entry, "Travel time" (Ctrl+G), which
// opens the graph view in a tool window owned by the main window, which stays
// above it. The view is fed from the
// scene model when it opens and whenever the model's path or bundle changes;
// it closes freely and is made anew the next time.
class ViewMenu final : public QObject {
 public:
  // Adds the menu bar and its View menu to the window.
  explicit ViewMenu(Fermat& window);
  ~ViewMenu() override;
  ViewMenu(const ViewMenu&) = delete;
  ViewMenu& operator=(const ViewMenu&) = delete;

  [[nodiscard]] QAction* travelTime() const noexcept { return travelTime_; }
  // The open graph view, null while closed.
  [[nodiscard]] views::GraphView* graphView() const noexcept;

  // Opens the view (or raises it) and feeds it.
  void openGraphs();
  // Feeds the open view from the scene model; nothing while closed.
  void refresh();
  void refreshCurve();
  void refreshBundle();
  // After a change of language: an open view is made anew where it stood,
  // with every word in the new language.
  void reword();

 private:
  // Puts a new view where it leaves the lens, the controls and the axis
  // right of the lens (where the rays meet) uncovered.
  void place(views::GraphView& view) const;

  Fermat& window_;
  QAction* travelTime_;
  QPointer<views::GraphView> view_;
  std::optional<double> equalTimeAt_;  // the equal-time view's chosen point; none: where the spread is least
};

}  // namespace app
