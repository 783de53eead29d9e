#pragma once
// What the model's tests share: scripted answers for the panels, a real QSettings file in a
// temporary folder, and the real PDFs they open.

#include "model/app_model.hpp"
#include "model/panels.hpp"

#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>
#include <deque>
#include <filesystem>
#include <memory>

namespace folimo::test {

// Answers each question with the next scripted answer (nothing once they run out) and
// records the questions asked.
class ScriptedPanels : public Panels {
public:
    std::deque<std::optional<std::filesystem::path>> answers;
    QStringList asked; // each question's message, and its prompt for folders

    std::optional<std::filesystem::path> choosePDF(const QString& message) override {
        asked << message;
        return next();
    }
    std::optional<std::filesystem::path> chooseFolder(const QString& message,
                                                      const QString& prompt) override {
        asked << message << prompt;
        return next();
    }

private:
    std::optional<std::filesystem::path> next() {
        if (answers.empty()) return std::nullopt;
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

// A model on a fresh store file in its own temporary folder, with scripted panels, and its
// parts.
struct ModelFixture {
    QTemporaryDir dir;
    QSettings store{dir.filePath("store.ini"), QSettings::IniFormat};
    ScriptedPanels panels;
    AppModel model{store, &panels};
    ListingSession& session = model.session();
    SetWork& work = model.work();
    Previews& previews = model.previews();

    std::filesystem::path path(const char* name) const { return dir.filePath(name).toStdString(); }
};

// Debian's documentation PDFs: the 7-page CAD manual, the 3-page reference card, and the
// 11-page "The asymptote package" (its title in the document).
inline std::filesystem::path outside(const char* name) {
    return std::filesystem::path("/usr/share/doc/asymptote") / name;
}

// Settings that make a small, quick set: one 300 x 200 JPEG preset in the grid and cover
// layouts, the preview PDF of the first two pages, no video.
inline ListingSettings quickSettings() {
    ListingSettings settings;
    settings.images = {ImagePreset::listing4x3()};
    settings.images[0].size = {300, 200};
    settings.layouts = {ImageLayout::grid, ImageLayout::cover};
    settings.preview.pages = "1-2";
    settings.video.isOn = false;
    return settings;
}

} // namespace folimo::test
