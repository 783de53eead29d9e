#pragma once

#include <QWidget>
#include <string>
#include <vector>

class QComboBox;

namespace folimo {

class AppModel;
class FormSection;
class NumberField;

// The sizes page: the pixel size and format of every image preset, the preview PDF's sheet
// size, the video's frame size and rate, and "Reset to Defaults". Every field writes straight
// into the model's settings, which saves them.
class SizesView : public QWidget {
    Q_OBJECT
public:
    explicit SizesView(AppModel& model, QWidget* parent = nullptr);

private:
    struct PresetRow {
        NumberField* width;
        NumberField* height;
        QComboBox* format;
    };

    void buildPresetRows();
    void showSettings();
    void setFps(std::int64_t fps);

    AppModel& model_;
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
