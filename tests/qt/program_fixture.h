// The whole program on real widgets, in a fresh folder with the shipped language files.
#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/event_loop.h"
#include "app/gadget_ids.h"
#include "qt_fixture.h"
#include "ui/qt/qt_text.h"

namespace fs = std::filesystem;

inline fs::path FreshFolder() {
    std::random_device rd;
    const fs::path dir =
        fs::temp_directory_path() / ("loopsmith-qt-" + std::to_string(rd()) + std::to_string(rd()));
    fs::create_directories(dir);
    return dir;
}

// The language files beside the test program when the build put them there, so that a kept
// build runs on its own; else those of the source tree.
inline fs::path ShippedLanguageFolder() {
    const fs::path beside =
        fs::path(QCoreApplication::applicationDirPath().toStdString()) / "Language";
    return fs::is_directory(beside) ? beside : fs::path(LOOPSMITH_SOURCE_DIR) / "Language";
}

class ProgramFixture : public QtWindowTest {
  protected:
    void SetUp() override {
        QtWindowTest::SetUp();
        folder = FreshFolder();
        fs::copy(ShippedLanguageFolder(), folder / "Language");
        app = std::make_unique<AppState>(*gadgets, folder, PortableLocations(folder));
        // A message box would wait for a person: note it and close it instead.
        QObject::connect(&guard, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                messages.push_back(ui::qt::FromQ(box->text()));
                box->reject();
            }
        });
        guard.start(50);
    }
    void TearDown() override {
        guard.stop();
        app.reset();
        std::error_code ec;
        fs::remove_all(folder, ec);
    }

    void Pump() {
        while (gadgets->HasPendingEvent())
            Dispatch(*app, gadgets->WaitEvent());
    }
    void ClickCalculatorCheck() {
        QTest::mouseClick(W(gadget::kCalculatorCheck), Qt::LeftButton, {}, QPoint(6, 7));
        Pump();
    }
    QColor TextRole(int gadget) const {
        return W(gadget)->palette().color(QPalette::Active, QPalette::Text);
    }

    fs::path folder;
    std::unique_ptr<AppState> app;
    QTimer guard;
    std::vector<std::string> messages;
};
