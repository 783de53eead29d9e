// The brand presets page through its widgets, on a real model with a real store; previews are
// the model's real brand samples drawn from the built-in sample pack.

#include "model/brand_advice.hpp"
#include "model_test_support.hpp"
#include "view_shots.hpp"
#include "views/brand_editor.hpp"
#include "views/brands_view.hpp"
#include "views/picture_view.hpp"

#include <QAbstractItemView>
#include <QColorDialog>
#include <QComboBox>
#include <QCompleter>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using namespace folimo;

namespace {

const QString classicFooter = "Classic is built in. Choose + to make your own from it.";
const QString badgeFooter = "In the badge, {pages} becomes the page count, like “12 pages”. "
                            "Leave it empty for no badge.";

// The brands page on a model with its own store, shown on the offscreen screen.
struct BrandsPage : test::ModelFixture {
    BrandsView view{model.session(), model.previews()};

    BrandsPage() {
        view.resize(1000, 640);
        view.show();
    }
    BrandEditor& editor() { return *view.editor(); }
    // The page's control of that type with this accessible name, the editor's first.
    template <typename T> T* field(const QString& name) {
        for (QWidget* in : {static_cast<QWidget*>(&editor()), static_cast<QWidget*>(&view)})
            for (T* each : in->findChildren<T*>())
                if (each->accessibleName() == name) return each;
        return nullptr;
    }
    // The button of one of the brand's colours, which is read as "Badge colour, #1A2B3C".
    QPushButton* colourButton(const QString& name) {
        for (auto* each : editor().findChildren<QPushButton*>())
            if (each->accessibleName().startsWith(name + " colour, #")) return each;
        return nullptr;
    }
    QToolButton* button(const QString& name) { return field<QToolButton>(name); }
    QListWidget* list() { return view.findChild<QListWidget*>(); }
    // What a fresh start of the program would read back from the store.
    std::vector<Brand> stored() {
        AppModel reread(store, nullptr);
        return reread.session().brands();
    }
    // The page's dialog of that type while it is on screen: a colour button's, or a question.
    template <typename T> T* shown() {
        for (auto* dialog : view.findChildren<T*>())
            if (dialog->isVisible()) return dialog;
        return nullptr;
    }
    // The editor's label showing text.
    QLabel* label(const QString& text) {
        for (auto* each : editor().findChildren<QLabel*>())
            if (each->text() == text) return each;
        return nullptr;
    }
    QImage shownPreview() { return editor().findChild<PictureView*>()->picture(); }
};

} // namespace

class BrandsViewTest : public QObject {
    Q_OBJECT
private slots:
    void classicIsReadOnlyAndACopyIsEditable() {
        BrandsPage page;
        QVERIFY(!page.button("Delete brand")->isEnabled());
        QVERIFY(!page.field<QLineEdit>("Name")->isEnabled());
        QVERIFY(!page.field<QComboBox>("Font")->isEnabled());
        QVERIFY(!page.colourButton("Background")->isEnabled());
        QVERIFY(!page.field<QLineEdit>("Corner badge")->isEnabled());
        QVERIFY(page.label(classicFooter));
        QTRY_VERIFY(!page.shownPreview().isNull());
        viewShot(page.view, "brands-classic");

        page.button("New brand")->click();
        QCOMPARE(page.list()->count(), 2);
        QCOMPARE(page.list()->currentRow(), 1);
        QCOMPARE(page.field<QLineEdit>("Name")->text(), "My Brand");
        QVERIFY(page.colourButton("Title")->isEnabled());
        QVERIFY(page.button("Delete brand")->isEnabled());
        QVERIFY(page.label(badgeFooter));

        // Another brand chosen, the editor is built afresh for it, and back again.
        QTest::keyClicks(page.field<QLineEdit>("Corner badge"), " extra");
        const QString badge = page.field<QLineEdit>("Corner badge")->text();
        page.list()->setCurrentRow(0);
        QCOMPARE(page.model.session().brandID(), Brand::classic().id);
        QVERIFY(!page.field<QLineEdit>("Name")->isEnabled());
        QVERIFY(page.label(classicFooter));
        page.list()->setCurrentRow(1);
        QCOMPARE(page.field<QLineEdit>("Corner badge")->text(), badge);
        QCOMPARE(page.stored().back().badge, badge.toStdString());

        // Deleting asks first; Cancel, the default, keeps the brand.
        page.button("Delete brand")->click();
        QMessageBox* question = page.shown<QMessageBox>();
        QVERIFY(question);
        QCOMPARE(question->defaultButton(), question->button(QMessageBox::Cancel));
        question->defaultButton()->click();
        QTRY_VERIFY(!page.shown<QMessageBox>());
        QCOMPARE(page.list()->count(), 2);

        page.button("Delete brand")->click();
        QTRY_VERIFY(page.shown<QMessageBox>());
        for (QAbstractButton* button : page.shown<QMessageBox>()->buttons())
            if (button->text() == "Delete Brand") button->click();
        QCOMPARE(page.shown<QMessageBox>(), nullptr);
        QCOMPARE(page.list()->count(), 1);
        QCOMPARE(page.model.session().brandID(), Brand::classic().id);
    }

    void editsAreSavedOnEveryKeystroke() {
        BrandsPage page;
        page.button("New brand")->click();
        auto* name = page.field<QLineEdit>("Name");
        name->selectAll();
        QString typed;
        for (const QChar c : QString("Shop")) {
            QTest::keyClick(name, c.toLatin1());
            typed += c;
            QCOMPARE(QString::fromStdString(page.stored().back().name), typed);
        }
        // The list follows the name without losing the choice.
        QCOMPARE(page.list()->currentItem()->text(), "Shop");
        QCOMPARE(page.list()->currentRow(), 1);
        // Undone, the typing goes as one step, and the form follows the stored brand.
        page.model.session().undoStack().undo();
        QCOMPARE(name->text(), "My Brand");
        page.model.session().undoStack().redo();
        QCOMPARE(name->text(), "Shop");

        auto* font = page.field<QComboBox>("Font");
        const int rockwell = font->findData("Rockwell");
        font->setCurrentIndex(rockwell);
        QCOMPARE(page.stored().back().fontFamily, "Rockwell");
        // The entry is drawn in the family the listing images use for it.
        QCOMPARE(font->itemData(rockwell, Qt::FontRole).value<QFont>().family(), "Roboto Slab");
        // Typing searches every installed family; only the one chosen is stored.
        font->setFocus();
        font->lineEdit()->selectAll();
        QTest::keyClicks(font->lineEdit(), "dejavu ser");
        QAbstractItemView* found = font->completer()->popup();
        QTRY_VERIFY(found->isVisible());
        QCOMPARE(page.stored().back().fontFamily, "Rockwell");
        QTest::keyClick(found, Qt::Key_Down);
        QTest::keyClick(found, Qt::Key_Return);
        QCOMPARE(page.stored().back().fontFamily, "DejaVu Serif");
        QVERIFY(!page.label(BrandAdvice::missingFontNotice("Garamond Pro")));

        // A family this system lacks is kept, and the editor says what draws in its place.
        Brand garamond = page.model.session().brand();
        garamond.fontFamily = "Garamond Pro";
        page.model.session().updateBrand(garamond);
        page.list()->setCurrentRow(0);
        page.list()->setCurrentRow(1);
        QCOMPARE(page.field<QComboBox>("Font")->currentData().toString(), "Garamond Pro");
        QTRY_VERIFY(page.label(BrandAdvice::missingFontNotice("Garamond Pro"))->isVisible());
        // The preview follows: it ends up showing the brand as now stored.
        QTRY_VERIFY(!page.shownPreview().isNull() &&
                    page.shownPreview() ==
                        page.model.previews().requestBrandPreview(page.model.session().brand()));
        viewShot(page.view, "brands-copy-edited");
    }

    void colourPickedLiveAndCancelPutsItBack() {
        BrandsPage page;
        page.button("New brand")->click();
        const RGBColor before = page.model.session().brand().background;
        QPushButton* background = page.colourButton("Background");
        background->click();
        auto* dialog = page.shown<QColorDialog>();
        QVERIFY(dialog);
        QVERIFY(!dialog->testOption(QColorDialog::ShowAlphaChannel));
        dialog->setCurrentColor(QColor(255, 0, 0));
        QCOMPARE(page.stored().back().background, (RGBColor{1, 0, 0}));
        QCOMPARE(background->accessibleName(), "Background colour, #FF0000");
        // The preview follows the brand as it is edited, not only when the editor is built.
        QTRY_VERIFY(!page.shownPreview().isNull() &&
                    page.shownPreview() ==
                        page.model.previews().requestBrandPreview(page.model.session().brand()));
        viewShot(page.view, "brands-copy-red");
        dialog->reject();
        QCOMPARE(page.stored().back().background, before);
        QCOMPARE(background->accessibleName(),
                 "Background colour, " + QString::fromStdString(before.hex()));

        page.colourButton("Badge")->click();
        dialog = page.shown<QColorDialog>();
        dialog->setCurrentColor(QColor(0, 0, 255));
        dialog->accept();
        QCOMPARE(page.stored().back().accent, (RGBColor{0, 0, 1}));
    }
};

QTEST_MAIN(BrandsViewTest)
#include "brands_view_test.moc"
