// The interactive start-up: the window is shown maximised first and the scene
// is built on its central area once the window is exposed.
#include "window/Fermat.h"
#include "window/StartUp.h"

#include "TestWindow.h"

#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>

#include <gtest/gtest.h>

namespace {

TEST(MaximisedStartUp, BuildsTheSceneOnTheCentralAreaOfTheMaximisedWindow) {
  const std::unique_ptr<app::Fermat> window = app::MainMaximised();
  ASSERT_TRUE(window->isVisible());
  EXPECT_TRUE(window->isMaximized());
  const QSize central = window->centralWidget()->size();
  EXPECT_EQ(window->form().canvas.pixelSize(), central);
  EXPECT_EQ(window->form().size(), central);
  // The picture fits: no scroll bars.
  const auto* area = static_cast<const QScrollArea*>(window->centralWidget());
  EXPECT_FALSE(area->horizontalScrollBar()->isVisible());
  EXPECT_FALSE(area->verticalScrollBar()->isVisible());
  EXPECT_LE(central.width(), QGuiApplication::primaryScreen()->availableGeometry().width());
}

// Built after the window is shown or before: the same scene, pixel for pixel.
TEST(MaximisedStartUp, DrawsTheSameSceneAsAStartAtThatSize) {
  const std::unique_ptr<app::Fermat> maximised = app::MainMaximised();
  const QSize client = maximised->form().canvas.pixelSize();
  const std::unique_ptr<app::Fermat> sized = app::Main(client);
  EXPECT_TRUE(maximised->form().canvas.image() == sized->form().canvas.image());
  EXPECT_EQ(testing_support::WorldBoxOf(maximised->form().Command1).left, testing_support::WorldBoxOf(sized->form().Command1).left);
  EXPECT_EQ(testing_support::WorldBoxOf(maximised->form().xronosmetato).top, testing_support::WorldBoxOf(sized->form().xronosmetato).top);
  EXPECT_EQ(maximised->scene().XMax, sized->scene().XMax);
  EXPECT_EQ(maximised->scene().FillSeedX, sized->scene().FillSeedX);
  // The model starts with the same path: the graph view opened first shows it.
  const app::SceneModel::Path &a = maximised->model().path(), &b = sized->model().path();
  EXPECT_EQ(a.Source, b.Source);
  EXPECT_EQ(a.Entry, b.Entry);
  EXPECT_EQ(a.Target.x, b.Target.x);
  EXPECT_EQ(a.Target.y, b.Target.y);
  EXPECT_NE(a.Source, core::SourcePoint{}) << "the source marker is not at the origin";
}

}  // namespace
