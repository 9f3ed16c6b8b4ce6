// The map editor: the title and lists of a new and an existing map, what each type and action shows,
// every change going into the map, "Save", "Save As", "Delete", and the refused numbers.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <fstream>

#include "accessibility_support.h"
#include "core/file_io.h"
#include "maps/map_use.h"
#include "support/fake_frontend.h"
#include "support/temp_dir.h"
#include "ui_support.h"
#include "ui/frm_map_edit.h"
#include "ui/number_box.h"

namespace zav {
namespace {

using test::Items;

class MapEditorTest : public ::testing::Test {
  protected:
    // An editor on the test folder whose "Save Map" question answers from `names_`.
    std::unique_ptr<frmMapEdit> Open(int use, const std::string& name) {
        auto w = std::make_unique<frmMapEdit>(folder_.Path());
        w->AskName = [this](const std::string& prompt, const std::string& title, const std::string& defaultText) {
            asked_.push_back(title + "|" + prompt + "|" + defaultText);
            std::optional<std::string> answer;
            if (!names_.empty()) {
                answer = names_.front();
                names_.pop_front();
            }
            return answer;
        };
        w->Open(use, name, MapUseExtension(use));
        w->show();
        return w;
    }
    // Selects field `name` in the list.
    static void Select(frmMapEdit& w, const QString& name) {
        const QList<QListWidgetItem*> found = w.Fields()->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << name.toStdString();
        w.Fields()->setCurrentItem(found.front());
    }
    static void Choose(QComboBox* box, const QString& text) {
        const int index = box->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        box->setCurrentIndex(index);
    }
    // Types into a box as the user does: the whole text replaced by `text`, key by key.
    static void Type(QLineEdit* box, const QString& text) {
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, text);
    }
    std::string FileText(const std::string& name) { return ReadFileBytes(folder_ / name); }

    test::TempDir folder_;
    test::FakeFrontend fake_;
    ScopedFrontend scoped_{fake_};
    std::deque<std::optional<std::string>> names_;
    std::vector<std::string> asked_;
};

TEST_F(MapEditorTest, ANewReadingMapOpensFixedWithCrLfAllEntriesAndNothingMapped) {
    auto w = Open(kMapReading, "");
    EXPECT_EQ(w->windowTitle(), "New Reading Map");
    EXPECT_EQ(w->TypeList()->currentText(), "Fixed");
    EXPECT_EQ(w->TerminatorList()->currentText(), "<crlf>");
    EXPECT_EQ(w->FilterList()->currentText(), "All Entries");
    EXPECT_EQ(w->Map().MapType(), 1);
    EXPECT_EQ(w->Fields()->count(), 38);
    for (int row = 0; row < w->Fields()->count(); ++row) {
        w->Fields()->setCurrentRow(row);
        EXPECT_EQ(w->ActionList()->currentText(), "Do Not Map") << row;
        EXPECT_EQ(Items(w->ActionList()), (QStringList{"Do Not Map", "Write to Destination"}));
    }
    EXPECT_TRUE(w->RowShown(w->FilterList()));
    EXPECT_TRUE(w->RowShown(w->TerminatorList()));
    EXPECT_TRUE(w->RowShown(w->LengthBox()));
    EXPECT_FALSE(w->RowShown(w->DelimiterList()));
    EXPECT_FALSE(w->RowShown(w->QuoteList()));
    EXPECT_FALSE(w->DeleteButton()->isEnabled());  // nothing to delete yet
    EXPECT_EQ(Items(w->TypeList()), (QStringList{"Fixed", "Delimited", "MVRS", "E5000"}));
    EXPECT_EQ(Items(w->FilterList()), (QStringList{"All Entries", "Only Readings", "Readings/Exceptions", "Unread"}));
    EXPECT_EQ(Items(w->TerminatorList()), (QStringList{"<none>", "<cr>", "<lf>", "<crlf>", "<null>"}));
    EXPECT_EQ(Items(w->DelimiterList()), (QStringList{"<tab>", ",", ";", "||"}));
    EXPECT_EQ(Items(w->QuoteList()), (QStringList{"<none>", "\""}));
    EXPECT_EQ(Items(w->AlignList()), (QStringList{"Left", "Right"}));
    EXPECT_EQ(Items(w->PadList()), (QStringList{"Spaces", "Zeros"}));
    Select(*w, "ReadingTime");
    EXPECT_EQ(Items(w->FormatList()), (QStringList{"HHMM", "HH:MM", "HHMMSS", "HH:MM:SS"}));
    Select(*w, "ReadingDate");
    EXPECT_EQ(w->FormatList()->count(), 18);
    EXPECT_EQ(w->FormatList()->itemText(3), "YYYYMMDD");
    EXPECT_EQ(w->FormatList()->itemData(3).toInt(), 14);
    Select(*w, "Status");
    EXPECT_FALSE(w->RowShown(w->FormatList()));
}

TEST_F(MapEditorTest, TitlesAndTypeListsFollowTheUse) {
    std::ofstream(folder_ / "Billing.zcm") << "MAPTYPE=2\r\nMAPDELIMITER=;\r\nMAPQUOTE=\"\r\n";
    auto w = Open(kMapReRead, "Billing");
    EXPECT_EQ(w->windowTitle(), "Edit ReRead Map: Billing");
    EXPECT_EQ(w->TypeList()->currentText(), "Delimited");
    EXPECT_EQ(w->DelimiterList()->currentText(), ";");
    EXPECT_EQ(w->QuoteList()->currentText(), "\"");
    EXPECT_TRUE(w->RowShown(w->TerminatorList()));  // re-read maps have a terminator, route maps do not
    EXPECT_FALSE(w->RowShown(w->FilterList()));
    EXPECT_TRUE(w->DeleteButton()->isEnabled());
    w = Open(kMapRoute, "Billing");
    EXPECT_EQ(w->windowTitle(), "Edit Route Map: Billing");
    EXPECT_FALSE(w->RowShown(w->TerminatorList()));
    EXPECT_FALSE(w->RowShown(w->LengthBox()));
    w = Open(kMapOrphan, "");
    EXPECT_EQ(w->windowTitle(), "New Orphan Map");
    EXPECT_EQ(Items(w->TypeList()), (QStringList{"Fixed", "Delimited"}));
    EXPECT_EQ(w->Fields()->item(6)->text(), "NearbyTagNbr1");  // labels stand for their fields

    std::ofstream(folder_ / "Odd.zrm") << "MAPTYPE=9\r\nMAPFILTER=7\r\n";
    w = Open(kMapReading, "Odd");  // unknown codes select nothing
    EXPECT_EQ(w->TypeList()->currentIndex(), -1);
    EXPECT_EQ(w->FilterList()->currentIndex(), -1);
    w = Open(kMapReading, "Missing");  // a map that cannot be loaded opens with nothing mapped
    EXPECT_EQ(w->windowTitle(), "Edit Reading Map: Missing");
    EXPECT_EQ(w->Fields()->count(), 38);
}

TEST_F(MapEditorTest, SequenceOffersAutonumberWhereOtherRouteFieldsOfferConstantAndPrompt) {
    auto w = Open(kMapRoute, "");
    EXPECT_EQ(w->windowTitle(), "New Route Map");
    EXPECT_EQ(w->Fields()->item(0)->text(), "RouteNbr(Required)");
    Select(*w, "Sequence(Required)");
    EXPECT_EQ(Items(w->ActionList()), (QStringList{"Do Not Map", "Map from Source", "Autonumber"}));
    Select(*w, "BillingName");
    EXPECT_EQ(Items(w->ActionList()), (QStringList{"Do Not Map", "Map from Source", "Map Constant", "Prompt"}));
    Select(*w, "Pulse Scaling (434)");
    EXPECT_EQ(w->findChild<QGroupBox*>("fraField")->title(), "Pulse Scaling (434)");
}

TEST_F(MapEditorTest, HostFormatsHideTheFieldsAndMvrsRouteMapsShowTheirOptions) {
    auto w = Open(kMapRoute, "");
    Choose(w->TypeList(), "MVRS");
    EXPECT_EQ(w->Map().MapType(), 3);
    EXPECT_TRUE(w->Fields()->isHidden());
    EXPECT_FALSE(w->MVRSFrame()->isHidden());
    EXPECT_EQ(w->MVRSFrame()->title(), "MVRS Options");
    w->RadioBox()->setChecked(true);
    EXPECT_EQ(w->Map().MapOptions(1), "Y");
    w->RadioBox()->setChecked(false);
    EXPECT_EQ(w->Map().MapOptions(1), "N");
    Choose(w->TypeList(), "E5000");
    EXPECT_TRUE(w->Fields()->isHidden());
    EXPECT_TRUE(w->MVRSFrame()->isHidden());
    Choose(w->TypeList(), "Fixed");
    EXPECT_FALSE(w->Fields()->isHidden());

    w = Open(kMapReading, "");
    Choose(w->TypeList(), "MVRS");
    EXPECT_TRUE(w->Fields()->isHidden());
    EXPECT_TRUE(w->MVRSFrame()->isHidden());  // the options are the route conversion's
    EXPECT_FALSE(w->RowShown(w->TerminatorList()));
    EXPECT_FALSE(w->RowShown(w->LengthBox()));
    EXPECT_TRUE(w->RowShown(w->FilterList()));
}

TEST_F(MapEditorTest, TheActionDecidesWhichBoxesShowAndEveryChangeReachesTheMap) {
    auto w = Open(kMapReading, "");
    Select(*w, "MeterTagNbr");
    EXPECT_FALSE(w->RowShown(w->PositionBox()));
    Choose(w->ActionList(), "Write to Destination");
    EXPECT_EQ(w->Map().MapOption("MeterTagNbr"), 5);
    EXPECT_TRUE(w->RowShown(w->PositionBox()));
    EXPECT_TRUE(w->RowShown(w->WidthBox()));
    EXPECT_TRUE(w->RowShown(w->AlignList()));
    EXPECT_TRUE(w->RowShown(w->PadList()));
    EXPECT_FALSE(w->RowShown(w->ConstantBox()));
    EXPECT_EQ(w->AlignList()->currentText(), "Left");  // the first entries, in the map too
    EXPECT_EQ(w->Map().MapAlign("MeterTagNbr"), 1);
    EXPECT_EQ(w->Map().MapPad("MeterTagNbr"), 2);
    Type(w->PositionBox(), "11");
    Type(w->WidthBox(), "8");
    Choose(w->AlignList(), "Right");
    Choose(w->PadList(), "Zeros");
    Select(*w, "ReadingDate");
    Choose(w->ActionList(), "Write to Destination");
    Choose(w->FormatList(), "MM/DD/YYYY");
    Choose(w->TypeList(), "Delimited");
    EXPECT_EQ(w->PositionLabel()->text(), "Column");
    EXPECT_EQ(w->PositionBox()->accessibleName(), "Column");
    w->DelimiterList()->setCurrentText("~~");  // typed text is taken as it stands
    w->QuoteList()->setCurrentText("\"");
    EXPECT_EQ(w->Map().MapQuote(), "\"");
    Choose(w->QuoteList(), "<none>");  // stored as shown; a map file's "<none>" loads as no quote
    Choose(w->TerminatorList(), "<lf>");
    Choose(w->FilterList(), "Unread");
    Type(w->LengthBox(), "120");

    clsExchMap& map = w->Map();
    EXPECT_EQ(map.DataPosition("MeterTagNbr"), 11);
    EXPECT_EQ(map.DataWidth("MeterTagNbr"), 8);
    EXPECT_EQ(map.MapAlign("MeterTagNbr"), 2);
    EXPECT_EQ(map.MapPad("MeterTagNbr"), 1);
    EXPECT_EQ(map.MapFormat("ReadingDate"), 26);
    EXPECT_EQ(map.MapType(), 2);
    EXPECT_EQ(map.MapDelimiter(), "~~");
    EXPECT_EQ(map.MapQuote(), "<none>");
    EXPECT_EQ(map.MapTerminator(), 2);
    EXPECT_EQ(map.MapFilter(), 3);
    EXPECT_EQ(map.MapLength(), 120);
    Select(*w, "MeterTagNbr");  // coming back shows what was set
    EXPECT_EQ(w->PositionBox()->text(), "11");
    EXPECT_EQ(w->AlignList()->currentText(), "Right");

    w = Open(kMapRoute, "");
    Select(*w, "BillingName");
    Choose(w->ActionList(), "Map Constant");
    EXPECT_TRUE(w->RowShown(w->ConstantBox()));
    EXPECT_FALSE(w->RowShown(w->PositionBox()));
    Type(w->ConstantBox(), "Demo Utility");
    EXPECT_EQ(w->Map().MapConstant("BillingName"), "Demo Utility");
    Choose(w->ActionList(), "Map from Source");
    EXPECT_TRUE(w->RowShown(w->PositionBox()));
    EXPECT_FALSE(w->RowShown(w->AlignList()));
}

TEST_F(MapEditorTest, NumbersOutOfRangeOrNotNumbersAreRefusedInTheBox) {
    auto w = Open(kMapReading, "");
    Type(w->LengthBox(), "80");
    EXPECT_EQ(w->Map().MapLength(), 80);
    EXPECT_EQ(w->StatusLabel()->text(), "");
    for (const char* bad : {"40000", "-1", "x", "1.5", "1e3"}) {  // pasted over the whole text
        SCOPED_TRACE(bad);
        QGuiApplication::clipboard()->setText(bad);
        w->LengthBox()->selectAll();
        QTest::keyClick(w->LengthBox(), Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(w->LengthBox()->text(), "80");
        EXPECT_EQ(w->Map().MapLength(), 80);
        EXPECT_EQ(w->StatusLabel()->text().toStdString(),
                  std::string("Record Length takes a whole number from 0 to 32767; \"") + bad + "\" was not taken.");
    }
    w->LengthBox()->setFocus();
    w->LengthBox()->end(false);
    QTest::keyClicks(w->LengthBox(), "000");  // 80000 is refused at the third zero: 8000 stays
    EXPECT_EQ(w->LengthBox()->text(), "8000");
    EXPECT_EQ(w->Map().MapLength(), 8000);
    EXPECT_EQ(w->StatusLabel()->text(), "Record Length takes a whole number from 0 to 32767; \"80000\" was not taken.");
    QTest::keyClick(w->LengthBox(), Qt::Key_Backspace);
    EXPECT_EQ(w->StatusLabel()->text(), "");
    EXPECT_EQ(w->Map().MapLength(), 800);

    Select(*w, "MeterTagNbr");
    Choose(w->ActionList(), "Write to Destination");
    Type(w->PositionBox(), "32767");
    QTest::keyClicks(w->PositionBox(), "9");
    EXPECT_EQ(w->PositionBox()->text(), "32767");
    EXPECT_EQ(w->Map().DataPosition("MeterTagNbr"), 32767);
    w->WidthBox()->setFocus();
    QTest::keyClicks(w->WidthBox(), "a");
    EXPECT_EQ(w->WidthBox()->text(), "0");
    EXPECT_EQ(w->WidthBox()->Refusal(), "Width takes a whole number from 0 to 32767; \"0a\" was not taken.");

    struct Case {
        const char* text;
        std::optional<std::int16_t> value;
    };
    for (const Case& c :
         {Case{"", 0}, Case{" 12 ", 12}, Case{"32767", 32767}, Case{"32768", std::nullopt}, Case{"-0", std::nullopt},
          Case{"1e3", std::nullopt}, Case{"&H10", std::nullopt}, Case{"0000012", std::nullopt}})
        EXPECT_EQ(NumberBox::Parse(c.text, 0, 32767), c.value) << c.text;
    EXPECT_EQ(NumberBox::Parse("-5", -10, 10), -5);
}

TEST_F(MapEditorTest, NullTerminatorSurvivesSaveAndReopen) {
    std::ofstream(folder_ / "Upload.zrm") << "ZAV=1.1\r\nMAPTYPE=1\r\n";
    auto w = Open(kMapReading, "Upload");
    Choose(w->TerminatorList(), "<null>");
    EXPECT_EQ(w->Map().MapTerminator(), 4);
    QTest::mouseClick(w->SaveButton(), Qt::LeftButton);
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(w->Result(), "Upload");
    EXPECT_NE(FileText("Upload.zrm").find("MAPTERMINATOR= 4 \r\n"), std::string::npos);
    w = Open(kMapReading, "Upload");
    EXPECT_EQ(w->TerminatorList()->currentText(), "<null>");
    EXPECT_TRUE(asked_.empty());
}

TEST_F(MapEditorTest, SaveAsReplacesSeparatorsAndWritesTheNamedFile) {
    auto w = Open(kMapRoute, "");
    names_ = {"A.B/C"};
    QTest::mouseClick(w->SaveButton(), Qt::LeftButton);  // a map without a name asks for one
    EXPECT_EQ(asked_, (std::vector<std::string>{"Save Map|Map Name|"}));
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(w->Result(), "A_B_C");
    EXPECT_EQ(FileText("A_B_C.zcm").rfind("ZAV=1.1\r\nMAPNAME=A_B_C.zcm\r\n", 0), 0u);
    EXPECT_EQ(MapNameFromAnswer(" x:y\\z. "), "x_y_z_");

    w = Open(kMapRoute, "A_B_C");
    names_ = {"Copy"};
    QTest::mouseClick(w->SaveAsButton(), Qt::LeftButton);
    EXPECT_EQ(asked_.back(), "Save Map|Map Name|A_B_C");
    EXPECT_EQ(w->Result(), "Copy");
    EXPECT_TRUE(std::filesystem::exists(folder_ / "Copy.zcm"));
    EXPECT_TRUE(std::filesystem::exists(folder_ / "A_B_C.zcm"));

    // Saving over another map asks first; No keeps both files as they were.
    w = Open(kMapRoute, "Copy");
    names_ = {"A_B_C"};
    fake_.yesNoAnswers = {false};
    QTest::mouseClick(w->SaveAsButton(), Qt::LeftButton);
    EXPECT_EQ(fake_.calls.back(), "AskYesNo(Save Map|A map named A_B_C exists already. Replace it?)");
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->Map().MapName(), "Copy.zcm");
}

TEST_F(MapEditorTest, AnEmptyOrCancelledNameSavesNothing) {
    auto w = Open(kMapReading, "");
    names_ = {std::nullopt, std::string(), std::string("   ")};
    for (int i = 0; i < 3; ++i) QTest::mouseClick(w->SaveAsButton(), Qt::LeftButton);
    EXPECT_EQ(asked_.size(), 3u);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->Result(), "");
    EXPECT_TRUE(std::filesystem::is_empty(folder_.Path()));  // no ".zrm" named by the extension alone
    EXPECT_TRUE(fake_.calls.empty());
}

TEST_F(MapEditorTest, DeleteAsksThenRemovesTheFileAndAnswersDeleted) {
    std::ofstream(folder_ / "Old.zom") << "ZAV=1.1\r\n";
    auto w = Open(kMapOrphan, "Old");
    fake_.yesNoAnswers = {false, true};
    QTest::mouseClick(w->DeleteButton(), Qt::LeftButton);
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(std::filesystem::exists(folder_ / "Old.zom"));
    QTest::mouseClick(w->DeleteButton(), Qt::LeftButton);
    EXPECT_FALSE(w->isVisible());
    EXPECT_FALSE(std::filesystem::exists(folder_ / "Old.zom"));
    EXPECT_EQ(w->Result(), kMapDeleted);
    EXPECT_EQ(fake_.calls, (std::vector<std::string>{"AskYesNo(Delete Map|Delete the map Old?)",
                                                     "AskYesNo(Delete Map|Delete the map Old?)"}));
}

TEST_F(MapEditorTest, ClosingWithoutSavingAnswersTheNameItWasGiven) {
    std::ofstream(folder_ / "Keep.zcm") << "ZAV=1.1\r\nMAPTYPE=1\r\n";
    auto w = Open(kMapRoute, "Keep");
    Choose(w->TypeList(), "Delimited");
    w->reject();
    EXPECT_EQ(w->Result(), "Keep");
    EXPECT_EQ(FileText("Keep.zcm"), "ZAV=1.1\r\nMAPTYPE=1\r\n");
}

TEST_F(MapEditorTest, EveryControlHasANameAndTheKeyboardReadsTheWindowInOrder) {
    auto w = Open(kMapReading, "");
    Choose(w->TypeList(), "Delimited");
    Select(*w, "ReadingDate");
    Choose(w->ActionList(), "Write to Destination");
    EXPECT_EQ(test::UnnamedControls(w.get()), QStringList{});
    EXPECT_EQ(w->Fields()->accessibleName(), "ZAV Data Fields");
    EXPECT_EQ(w->LengthBox()->accessibleName(), "Record Length");
    EXPECT_EQ(test::TabOrder(w->TypeList()),
              (QStringList{"cboType", "cboDelimiter", "cboQuote", "cboFilter", "cboTerminator", "txtLength",
                           "lstFields", "cboAction", "txtPosition", "txtWidth", "cboAlign", "cboPad", "cboFormat",
                           "cmdSaveAs", "cmdSave"}));  // "Delete" waits for a saved map
}

}  // namespace
}  // namespace zav
