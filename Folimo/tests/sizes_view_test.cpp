// The sizes page through its widgets, on a real model with a real store.

#include "model/app_model.hpp"
#include "model_test_support.hpp"
#include "view_shots.hpp"
#include "views/number_field.hpp"
#include "views/sizes_view.hpp"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

using namespace folimo;

namespace {

// The sizes page on a model with its own store, shown on the offscreen screen.
struct SizesPage : test::ModelFixture {
    SizesView view{model.session()};

    SizesPage() {
        view.resize(800, 700);
        view.show();
    }
    // The control of that type with this accessible name.
    template <typename T> T* control(const QString& name) {
        for (T* each : view.findChildren<T*>())
            if (each->accessibleName() == name) return each;
        return nullptr;
    }
    NumberField* field(const QString& name) { return control<NumberField>(name); }
    QList<QComboBox*> formats() {
        QList<QComboBox*> boxes;
        for (auto* box : view.findChildren<QComboBox*>())
            if (box->accessibleName() == "Format") boxes << box;
        return boxes;
    }
    void type(const QString& field, const QString& text) {
        auto* edit = this->field(field);
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    // Replaces the field's text at once, as pasting does.
    void paste(const QString& field, const QString& text) {
        auto* edit = this->field(field);
        QGuiApplication::clipboard()->setText(text);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(edit->text(), text);
    }
    ListingSettings stored() {
        AppModel reread(store, nullptr);
        return reread.session().settings();
    }
};

} // namespace

class SizesViewTest : public QObject {
    Q_OBJECT
private slots:
    void resetRestoresEveryDefault() {
        SizesPage page;
        ListingSettings odd = page.model.session().settings();
        odd.images.pop_back();
        odd.images[0].size = {1, 99999};
        odd.images[1].format = ImageFormat::png;
        odd.preview.sheetWidth = 4.125;
        odd.video.fps = 60;
        odd.preview.watermark = "MINE";
        page.model.session().setSettings(odd);
        QCOMPARE(page.formats().size(), 2);
        QCOMPARE(page.field("Square thumbnails height")->text(), "99999");
        QCOMPARE(page.field("Sheet width")->text(), "4.13");
        // A stored rate other than the three offered is shown as it is, not as a blank.
        QCOMPARE(page.control<QComboBox>("Frame rate")->currentText(), "60 fps");
        viewShot(page.view, "sizes-odd-values");

        // Asked first: "Reset to Defaults" is the button that resets.
        page.view.findChild<QPushButton*>()->click();
        auto* question = page.view.findChild<QMessageBox*>();
        QVERIFY(question && question->isVisible());
        QCOMPARE(question->text(), "Reset every size to its default?");
        QCOMPARE(question->defaultButton(), question->button(QMessageBox::Cancel));
        for (QAbstractButton* button : question->buttons())
            if (button->text() == "Reset to Defaults") button->click();
        // The page follows the model's reset (what it resets is listing_session_test's).
        QCOMPARE(page.formats().size(), 3);
        QCOMPARE(page.field("Square thumbnails height")->text(), "750");
        QCOMPARE(page.field("Sheet width")->text(), "11");
        QCOMPARE(page.control<QComboBox>("Frame rate")->currentText(), "30 fps");
        viewShot(page.view, "sizes-after-reset");
    }

    void numbersAreStoredAsTyped() {
        SizesPage page;
        page.type("Square thumbnails width", "10");
        QCOMPARE(page.stored().images[0].size.width, 10);
        page.type("Video height", "-4");
        QCOMPARE(page.stored().video.size.height, -4);
        page.type("Sheet height", "8.25");
        QCOMPARE(page.stored().preview.sheetHeight, 8.25);
        auto* fps = page.control<QComboBox>("Frame rate");
        fps->setCurrentIndex(0);
        QCOMPARE(page.stored().video.fps, 24);
        page.formats()[1]->setCurrentIndex(page.formats()[1]->findText("PNG"));
        QCOMPARE(page.stored().images[1].format, ImageFormat::png);
    }

    void textThatIsNotANumberKeepsTheValue() {
        SizesPage page;
        for (const QString text : {"1,000", "12.5", "abc", "", "99999999999999999999"}) {
            page.paste("Video width", text);
            QCOMPARE(page.stored().video.size.width, 1080);
        }
        for (const QString text : {"nan", "inf", "1e999", "8,,5", "1,000.5"}) {
            page.paste("Sheet width", text);
            QCOMPARE(page.stored().preview.sheetWidth, 11.0);
        }
        // Leaving the field shows the stored value again.
        emit page.field("Sheet width")->editingFinished();
        QCOMPARE(page.field("Sheet width")->text(), "11");
    }
};

QTEST_MAIN(SizesViewTest)
#include "sizes_view_test.moc"
