#pragma once

#include "folimo/settings.hpp"

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

class QComboBox;

namespace folimo {

class ListingSession;
class FormSection;
class NumberField;

// The sizes page: the pixel size and format of every image preset, the preview PDF's sheet
// size, the video's frame size and rate, and "Reset to Defaults" (asked first). Every field writes
// straight into the model's settings, which saves them.
class SizesView : public QWidget {
    Q_OBJECT
public:
    explicit SizesView(ListingSession& session, QWidget* parent = nullptr);

private:
    struct PresetRow {
        NumberField* width;
        NumberField* height;
        QComboBox* format;
    };

    void buildPresetRows();
    void showSettings();
    // Hands each number a person enters in field to the model as change, one step of Undo
    // per field while typing.
    void numberEdits(NumberField* field, const std::function<void(ListingSettings&)>& change);

    ListingSession& session_;
    FormSection* images_;
    std::vector<std::string> presetIDs_; // the presets the rows were built for, in order
    std::vector<PresetRow> presetRows_;
    NumberField* sheetWidth_;
    NumberField* sheetHeight_;
    NumberField* videoWidth_;
    NumberField* videoHeight_;
    QComboBox* fps_;
};

} // namespace folimo
