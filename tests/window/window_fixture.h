#pragma once
// The real main window on the offscreen platform, over temporary drives and a
// scripted dialog service, started as the program starts it.
#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QApplication>
#include <QTest>

#include <memory>
#include <optional>

#include "primitives/codepage.h"
#include "support/scripted_services.h"
#include "support/temp_drives.h"
#include "ui/main_window_qt.h"
#include "ui/qt_text.h"
#include "ui/routing.h"

namespace windowtest {

using prim::Text;
using prim::U8;

class WindowTest : public ::testing::Test {
  protected:
    // Drives and files may be prepared before Start(); tests that need nothing
    // special call Start() first.
    void SetUp() override { drives_.emplace(DriveOptions()); }
    void TearDown() override {
        if (window_)
            window_->close();
        window_.reset();
        drives_.reset();
    }
    virtual testsupport::TempDrives::Options DriveOptions() { return {}; }

    void Start() {
        window_ = std::make_unique<ui::QtMainWindow>();
        ui::BindRoutes(*window_);
        window_->RaiseCreated();
        window_->show();
        QApplication::processEvents();
    }

    app::MainWindow& W() { return window_->Window(); }
    testsupport::TempDrives& Drives() { return *drives_; }

    template <class T = QWidget>
    T* Find(const char* name) {
        return window_->findChild<T*>(QString::fromUtf8(name));
    }
    void Click(const char* name) {
        QAbstractButton* b = Find<QAbstractButton>(name);
        ASSERT_NE(b, nullptr) << name;
        QTest::mouseClick(b, Qt::LeftButton);
    }

    // A person's double click: a click first, so the view knows the pressed item.
    static void DoubleClick(QWidget* viewport, QPoint at) {
        QTest::mouseClick(viewport, Qt::LeftButton, {}, at);
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, at);
    }

    testsupport::ScriptedServices services_;
    std::optional<testsupport::TempDrives> drives_;
    std::unique_ptr<ui::QtMainWindow> window_;
};

}  // namespace windowtest
