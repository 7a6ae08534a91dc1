#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <string>
#include <vector>

#include "support/TestApplication.h"
#include "support/ToolkitTestForm.h"
#include "toolkit/Application.h"
#include "toolkit/qt/QtNative.h"

using support::TestForm;

// A shown, active TestForm for each test.
class ToolkitTest : public ::testing::Test {
 protected:
  ToolkitTest() : App(support::TestApplication()), Form(App.CreateForm<TestForm>()) {}
  ~ToolkitTest() override { App.DestroyForm(Form); }

  void SetUp() override {
    Form.Show();
    QWidget* window = toolkit::qt::WidgetOf(Form);
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  }

  static QWidget* Widget(const toolkit::TControl& control) {
    return toolkit::qt::WidgetOf(control);
  }

  toolkit::TApplication& App;
  TestForm& Form;
};
