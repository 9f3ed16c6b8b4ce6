// The small widget helpers windows share: accessible names, the file dialog from the program's filter
// form, the input box.
#include <gtest/gtest.h>

#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "support/temp_dir.h"
#include "ui/accessible_names.h"
#include "ui/input_box.h"
#include "ui/qt_file_dialog.h"
#include "ui_support.h"

namespace zav {
namespace {

TEST(AccessibleNames, CaptionsLabelsAndTooltipsNameTheControls) {
    EXPECT_EQ(PlainCaption("&Browse ..."), "Browse ...");
    EXPECT_EQ(PlainCaption("Save && Close"), "Save & Close");
    EXPECT_EQ(PlainCaption("E&xit&"), "Exit&");

    QWidget window;
    auto* label = new QLabel("&Route Source:", &window);
    auto* box = new QLineEdit(&window);
    SetBuddy(label, box);
    EXPECT_EQ(label->buddy(), box);
    EXPECT_EQ(box->accessibleName(), "Route Source:");

    auto* captioned = new QPushButton("&Apply", &window);
    auto* picture = new QPushButton(&window);
    picture->setToolTip("Edit the file");
    auto* named = new QPushButton("OK", &window);
    named->setAccessibleName("Accept");
    NameButtons(&window);
    EXPECT_EQ(captioned->accessibleName(), "Apply");
    EXPECT_EQ(picture->accessibleName(), "Edit the file");
    EXPECT_EQ(named->accessibleName(), "Accept");  // a name given stays
}

TEST(FileDialogs, TheRequestSetsUpTheQtDialog) {
    test::TempDir folder;
    QFileDialog dialog;
    FileDialogRequest request;
    request.save = true;
    request.title = "Route";
    request.filter = "ZAV Files (*.zav)|*.zav|Palm Database Files (*.pdb)|*.pdb|All Files(*.*)|*.*";
    request.filterIndex = 2;
    request.defaultExtension = ".txt";
    request.initialFile = (folder / "RouteZAV.pdb").string();
    ConfigureFileDialog(dialog, request);
    EXPECT_EQ(dialog.windowTitle(), "Route");
    EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_TRUE(dialog.testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_EQ(dialog.nameFilters(),
              (QStringList{"ZAV Files (*.zav *.ZAV)", "Palm Database Files (*.pdb *.PDB)", "All Files (*)"}));
    EXPECT_EQ(dialog.selectedNameFilter(), "Palm Database Files (*.pdb *.PDB)");
    EXPECT_EQ(dialog.defaultSuffix(), "txt");
    EXPECT_EQ(dialog.directory().absolutePath(), QString::fromStdString(folder.Path().string()));

    QFileDialog open;
    request = {};
    request.title = "Reading";
    request.filter = "All Files(*.*)|*.*";
    request.initialFolder = folder.Path().string();
    ConfigureFileDialog(open, request);
    EXPECT_EQ(open.acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_EQ(open.fileMode(), QFileDialog::ExistingFile);
    EXPECT_EQ(open.directory().absolutePath(), QString::fromStdString(folder.Path().string()));
}

TEST(InputBoxes, AnswerTheTextOrNothingWhenCancelled) {
    for (const bool cancel : {false, true}) {
        InputBox box("Map Name", "Save Map", "Billing", nullptr);
        EXPECT_EQ(box.windowTitle(), "Save Map");
        EXPECT_EQ(box.Box()->accessibleName(), "Map Name");
        test::WhenModal<InputBox>([cancel](InputBox* b) {
            QTest::keyClicks(b->Box(), "Annual");  // the offered text is selected: typing replaces it
            QTest::keyClick(b->Box(), cancel ? Qt::Key_Escape : Qt::Key_Return);
        });
        const std::optional<std::string> answer = box.Display();
        if (cancel)
            EXPECT_FALSE(answer.has_value());
        else
            EXPECT_EQ(answer, "Annual");
    }
}

}  // namespace
}  // namespace zav
