#pragma once

#include <QDockWidget>
#include <QString>

#include "lab/Describe.h"

class QLabel;
class QMainWindow;

namespace lab {
class Lab;
}

namespace app {

// The Describe panel: the lab's words for the picture (lab::Describe), for
// a screen reader or anyone who wants them. After each complete action it
// says what changed; Help > Describe the picture shows it with the whole
// picture. The picture widget's accessible description is kept to the
// lab's paragraph, so a screen reader reads the picture as the page's does.
class DescribePanel final : public QDockWidget {
 public:
  DescribePanel(QMainWindow& window, QWidget& picture);

  // After every call of the lab: what a complete action changed, said once.
  void follow(const lab::Lab& lab);
  // Help > Describe the picture: the panel shown, the whole picture said.
  void describeWhole(const lab::Lab& lab);
  // The words said last.
  [[nodiscard]] QString said() const;

 private:
  void say(const QString& text);

  QWidget& picture_;
  QLabel* text_;
  lab::ChangeDescriber described_;
};

}  // namespace app
