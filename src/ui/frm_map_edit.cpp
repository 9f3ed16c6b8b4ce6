#include "ui/frm_map_edit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/errors.h"
#include "core/frontend.h"
#include "core/text.h"
#include "maps/map_choices.h"
#include "maps/map_texts.h"
#include "ui/accessible_names.h"
#include "ui/input_box.h"
#include "ui/number_box.h"
#include "ui/qt_text.h"

namespace zav {

namespace {

constexpr const char* kMVRSNote =
    "This option cause an 8-digit meter id to be mapped to the transponder id to allow automatic meter reading for "
    "meters otherwise configured to be read manually.";

// A list whose entries carry the codes stored in the map.
void FillCodes(QComboBox* box, const std::vector<std::int32_t>& codes, std::string (*text)(std::int32_t)) {
    box->clear();
    for (const std::int32_t code : codes) box->addItem(ToQt(text(code)), code);
}

// Selects the entry of `code`; nothing when no entry carries it.
void SelectCode(QComboBox* box, std::int32_t code) { box->setCurrentIndex(box->findData(code)); }

std::int32_t CodeOf(const QComboBox* box) { return box->currentData().toInt(); }

QComboBox* NewList(const char* name, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    return box;
}

// An editable list: its entries are offered, any typed text is taken as well.
QComboBox* NewEditableList(const char* name, const QStringList& entries, QWidget* parent) {
    QComboBox* box = NewList(name, parent);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->addItems(entries);
    return box;
}

// A form row of a caption and its control, the caption made the control's buddy.
QLabel* AddRow(QFormLayout* form, const char* caption, QWidget* control) {
    auto* label = new QLabel(caption);
    SetBuddy(label, control);
    form->addRow(label, control);
    return label;
}

}  // namespace

std::string MapNameFromAnswer(const std::string& answer) {
    std::string name(Trim(answer));
    for (char& c : name)
        if (c == '.' || c == '\\' || c == '/' || c == ':') c = '_';
    return name;
}

frmMapEdit::frmMapEdit(std::filesystem::path folder, QWidget* parent)
    : QDialog(parent), folder_(std::move(folder)), map_(folder_) {
    setObjectName("frmMapEdit");
    AskName = [this](const std::string& prompt, const std::string& title, const std::string& defaultText) {
        return AskInput(this, prompt, title, defaultText);
    };
    BuildControls();
    ConnectControls();
}

frmMapEdit::~frmMapEdit() = default;

void frmMapEdit::BuildControls() {
    // Left: the map's settings over its field list. Right: the selected field's mapping, or for the host
    // formats their options. Below: why a number was refused, and the buttons.
    auto* settings = new QWidget(this);
    mapForm_ = new QFormLayout(settings);
    mapForm_->setContentsMargins(0, 0, 0, 0);
    mapForm_->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    cboType_ = NewList("cboType", settings);
    cboDelimiter_ = NewEditableList("cboDelimiter", {"<tab>", ",", ";", "||"}, settings);
    cboQuote_ = NewEditableList("cboQuote", {"<none>", "\""}, settings);
    cboFilter_ = NewList("cboFilter", settings);
    FillCodes(cboFilter_, MapFilterChoices(), MapFilterText);
    cboTerminator_ = NewList("cboTerminator", settings);
    FillCodes(cboTerminator_, MapTerminatorChoices(), MapTerminatorText);
    txtLength_ = new NumberBox(settings);
    txtLength_->setObjectName("txtLength");
    AddRow(mapForm_, "Type:", cboType_);
    AddRow(mapForm_, "Delimiter", cboDelimiter_);
    AddRow(mapForm_, "Quote:", cboQuote_);
    AddRow(mapForm_, "Filter:", cboFilter_);
    AddRow(mapForm_, "Terminator:", cboTerminator_);
    AddRow(mapForm_, "Record Length", txtLength_);

    lblFields_ = new QLabel("ZAV Data Fields", this);
    lstFields_ = new QListWidget(this);
    lstFields_->setObjectName("lstFields");
    lstFields_->setSelectionMode(QAbstractItemView::SingleSelection);
    SetBuddy(lblFields_, lstFields_);

    fraField_ = new QGroupBox(this);
    fraField_->setObjectName("fraField");
    fieldForm_ = new QFormLayout(fraField_);
    fieldForm_->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    cboAction_ = NewList("cboAction", fraField_);
    txtPosition_ = new NumberBox(fraField_);
    txtPosition_->setObjectName("txtPosition");
    txtWidth_ = new NumberBox(fraField_);
    txtWidth_->setObjectName("txtWidth");
    txtConstant_ = new QLineEdit(fraField_);
    txtConstant_->setObjectName("txtConstant");
    cboAlign_ = NewList("cboAlign", fraField_);
    FillCodes(cboAlign_, MapAlignChoices(), MapAlignText);
    cboPad_ = NewList("cboPad", fraField_);
    FillCodes(cboPad_, MapPadChoices(), MapPadText);
    cboFormat_ = NewList("cboFormat", fraField_);
    AddRow(fieldForm_, "Action", cboAction_);
    lblPosition_ = AddRow(fieldForm_, "Position", txtPosition_);
    AddRow(fieldForm_, "Width", txtWidth_);
    AddRow(fieldForm_, "Constant", txtConstant_);
    AddRow(fieldForm_, "Align", cboAlign_);
    AddRow(fieldForm_, "Pad", cboPad_);
    AddRow(fieldForm_, "Format", cboFormat_);

    fraMVRS_ = new QGroupBox("MVRS Options", this);
    fraMVRS_->setObjectName("fraMVRS");
    chkRadio_ = new QCheckBox("Enable Special Radio Processing", fraMVRS_);
    chkRadio_->setObjectName("chkRadio");
    auto* note = new QLabel(kMVRSNote, fraMVRS_);
    note->setObjectName("lblMVRSNote");
    note->setWordWrap(true);
    auto* mvrs = new QVBoxLayout(fraMVRS_);
    mvrs->addWidget(chkRadio_);
    mvrs->addWidget(note);

    lblFixedLayout_ = new QLabel("The record layouts of this format are fixed by the format itself.", this);
    lblFixedLayout_->setObjectName("lblFixedLayout");
    lblFixedLayout_->setWordWrap(true);

    lblStatus_ = new QLabel(this);
    lblStatus_->setObjectName("lblStatus");
    lblStatus_->setWordWrap(true);
    lblStatus_->setStyleSheet("color: #a40000;");

    cmdSaveAs_ = new QPushButton("Save As", this);
    cmdSaveAs_->setObjectName("cmdSaveAs");
    cmdSave_ = new QPushButton("Save", this);
    cmdSave_->setObjectName("cmdSave");
    cmdSave_->setDefault(true);
    cmdDelete_ = new QPushButton("Delete", this);
    cmdDelete_->setObjectName("cmdDelete");

    auto* left = new QVBoxLayout;
    left->addWidget(settings);
    left->addSpacing(6);
    left->addWidget(lblFields_);
    left->addWidget(lstFields_, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(fraField_);
    right->addWidget(fraMVRS_);
    right->addWidget(lblFixedLayout_);
    right->addStretch(1);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addSpacing(8);
    columns->addLayout(right, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdSaveAs_);
    buttons->addWidget(cmdSave_);
    buttons->addWidget(cmdDelete_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addWidget(lblStatus_);
    layout->addLayout(buttons);
    NameButtons(this);

    // The keyboard walks the window as it reads: settings, fields, the field's mapping, the buttons.
    QWidget* order[] = {cboType_,   cboDelimiter_, cboQuote_,    cboFilter_, cboTerminator_, txtLength_,
                        lstFields_, cboAction_,    txtPosition_, txtWidth_,  txtConstant_,   cboAlign_,
                        cboPad_,    cboFormat_,    chkRadio_,    cmdSaveAs_, cmdSave_,       cmdDelete_};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);
    resize(680, 520);
}

void frmMapEdit::Edit(const std::function<void()>& write) {
    if (loading_) return;
    write();
}

void frmMapEdit::ConnectControls() {
    connect(cboType_, &QComboBox::currentIndexChanged, this, [this] {
        Edit([this] { map_.MapType(CodeOf(cboType_)); });
        UpdateVisibility();
    });
    connect(cboDelimiter_, &QComboBox::currentTextChanged, this,
            [this](const QString& text) { Edit([&] { map_.MapDelimiter(FromQt(text)); }); });
    connect(cboQuote_, &QComboBox::currentTextChanged, this,
            [this](const QString& text) { Edit([&] { map_.MapQuote(FromQt(text)); }); });
    connect(cboFilter_, &QComboBox::currentIndexChanged, this,
            [this] { Edit([this] { map_.MapFilter(CodeOf(cboFilter_)); }); });
    connect(cboTerminator_, &QComboBox::currentIndexChanged, this,
            [this] { Edit([this] { map_.MapTerminator(CodeOf(cboTerminator_)); }); });
    connect(txtLength_, &NumberBox::edited, this, [this](std::int16_t n) { Edit([&] { map_.MapLength(n); }); });
    connect(chkRadio_, &QCheckBox::toggled, this,
            [this](bool on) { Edit([&] { map_.MapOptions(1, on ? "Y" : "N"); }); });

    connect(lstFields_, &QListWidget::currentRowChanged, this, [this](int row) { ShowField(row + 1); });
    // Every field property is written to the selected field.
    auto field = [this](auto&& write) {
        return [this, write](auto&&... args) {
            const int f = CurrentField();
            if (f > 0) Edit([&] { write(f, args...); });
        };
    };
    connect(cboAction_, &QComboBox::currentIndexChanged, this, [this] {
        const int f = CurrentField();
        if (loading_ || f == 0) return;
        const std::int32_t action = CodeOf(cboAction_);
        map_.MapOption(f, action);
        if (action == kWriteToDestination) {
            // A field newly written to a destination starts with the first alignment and padding offered.
            if (map_.MapAlign(f) == 0) map_.MapAlign(f, MapAlignChoices().front());
            if (map_.MapPad(f) == 0) map_.MapPad(f, MapPadChoices().front());
            loading_ = true;
            SelectCode(cboAlign_, map_.MapAlign(f));
            SelectCode(cboPad_, map_.MapPad(f));
            loading_ = false;
        }
        UpdateVisibility();
    });
    connect(txtPosition_, &NumberBox::edited, this, field([this](int f, std::int16_t n) { map_.DataPosition(f, n); }));
    connect(txtWidth_, &NumberBox::edited, this, field([this](int f, std::int16_t n) { map_.DataWidth(f, n); }));
    connect(txtConstant_, &QLineEdit::textEdited, this,
            field([this](int f, const QString& text) { map_.MapConstant(f, FromQt(text)); }));
    connect(cboAlign_, &QComboBox::currentIndexChanged, this,
            field([this](int f, int) { map_.MapAlign(f, CodeOf(cboAlign_)); }));
    connect(cboPad_, &QComboBox::currentIndexChanged, this,
            field([this](int f, int) { map_.MapPad(f, CodeOf(cboPad_)); }));
    connect(cboFormat_, &QComboBox::currentIndexChanged, this,
            field([this](int f, int) { map_.MapFormat(f, CodeOf(cboFormat_)); }));

    // A refused number is explained below the controls until the next accepted one.
    for (NumberBox* box : {txtLength_, txtPosition_, txtWidth_}) {
        connect(box, &NumberBox::refused, lblStatus_, &QLabel::setText);
        connect(box, &NumberBox::edited, lblStatus_, &QLabel::clear);
    }

    connect(cmdSave_, &QPushButton::clicked, this, &frmMapEdit::Save);
    connect(cmdSaveAs_, &QPushButton::clicked, this, &frmMapEdit::SaveAs);
    connect(cmdDelete_, &QPushButton::clicked, this, &frmMapEdit::Delete);
}

void frmMapEdit::Open(std::int32_t mapUse, const std::string& mapName, const std::string& fileExtension) {
    use_ = mapUse;
    extension_ = fileExtension;
    result_ = mapName;
    const std::string useWord = MapUseTitle(mapUse);
    if (mapName.empty()) {
        setWindowTitle(ToQt("New " + useWord + " Map"));
        map_.NewMap("", mapUse);
        map_.MapType(kMapFixed);  // the type list's first entry, as a new map shows it
    } else {
        setWindowTitle(ToQt("Edit " + useWord + " Map: " + mapName));
        map_.LoadMap(mapName + fileExtension, mapUse);  // a map that fails to load opens with nothing mapped
    }
    FillMapControls();
}

std::string frmMapEdit::Display(std::int32_t mapUse, const std::string& mapName, const std::string& fileExtension) {
    Open(mapUse, mapName, fileExtension);
    exec();  // Esc and the close box leave the map file as it was
    return result_;
}

void frmMapEdit::FillMapControls() {
    loading_ = true;
    FillCodes(cboType_, MapTypeChoices(use_), MapTypeText);
    SelectCode(cboType_, map_.MapType());
    SelectCode(cboFilter_, map_.MapFilter());
    SelectCode(cboTerminator_, map_.MapTerminator());
    cboDelimiter_->setCurrentText(ToQt(map_.MapDelimiter()));
    cboQuote_->setCurrentText(map_.MapQuote().empty() ? QStringLiteral("<none>") : ToQt(map_.MapQuote()));
    txtLength_->SetValue(map_.MapLength());
    chkRadio_->setChecked(map_.MapOptions(1) == "Y");
    lstFields_->clear();
    for (int f = 1; f <= map_.FieldCount(); ++f) lstFields_->addItem(ToQt(map_.Prompt(f, true)));
    cmdDelete_->setEnabled(!map_.MapName().empty());
    lblStatus_->clear();
    loading_ = false;
    lstFields_->setCurrentRow(map_.FieldCount() > 0 ? 0 : -1);
    ShowField(CurrentField());
    UpdateVisibility();
}

int frmMapEdit::CurrentField() const { return lstFields_->currentRow() + 1; }

void frmMapEdit::ShowField(int number) {
    const bool was = loading_;
    loading_ = true;
    fraField_->setEnabled(number > 0);
    if (number > 0) {
        const MapField& f = map_.Fields()[static_cast<std::size_t>(number) - 1];
        fraField_->setTitle(ToQt(map_.Prompt(number, true)));
        FillCodes(cboAction_, MapOptionChoices(use_, f.FieldName), MapOptionText);
        SelectCode(cboAction_, f.MapOption);
        txtPosition_->SetValue(f.DataPosition);
        txtWidth_->SetValue(f.DataWidth);
        txtConstant_->setText(ToQt(f.MapConstant));
        SelectCode(cboAlign_, f.MapAlign);
        SelectCode(cboPad_, f.MapPad);
        FillCodes(cboFormat_, MapFormatChoices(f.DataType), MapFormatText);
        SelectCode(cboFormat_, f.MapFormat);
    } else {
        fraField_->setTitle(QString());
    }
    loading_ = was;
    UpdateVisibility();
}

void frmMapEdit::UpdateVisibility() {
    const std::int32_t type = map_.MapType();
    const bool hostFormat = type == kMapMVRS || type == kMapE5000;
    const bool delimited = type == kMapDelimited;
    mapForm_->setRowVisible(cboDelimiter_, delimited);
    mapForm_->setRowVisible(cboQuote_, delimited);
    mapForm_->setRowVisible(cboFilter_, use_ == kMapReading);
    mapForm_->setRowVisible(cboTerminator_, use_ != kMapRoute && !hostFormat);
    mapForm_->setRowVisible(txtLength_, use_ != kMapRoute && !hostFormat);
    lblFields_->setVisible(!hostFormat);
    lstFields_->setVisible(!hostFormat);
    fraField_->setVisible(!hostFormat);
    fraMVRS_->setVisible(use_ == kMapRoute && type == kMapMVRS);
    lblFixedLayout_->setVisible(hostFormat);

    lblPosition_->setText(delimited ? "Column" : "Position");
    SetBuddy(lblPosition_, txtPosition_);
    const int f = CurrentField();
    const std::int32_t action = f > 0 ? map_.MapOption(f) : 0;
    const std::int32_t dataType = f > 0 ? map_.DataType(f) : kText;
    const bool placed = action == kMapFromSource || action == kWriteToDestination;
    fieldForm_->setRowVisible(txtPosition_, placed);
    fieldForm_->setRowVisible(txtWidth_, placed);
    fieldForm_->setRowVisible(txtConstant_, action == kMapConstant);
    fieldForm_->setRowVisible(cboAlign_, action == kWriteToDestination);
    fieldForm_->setRowVisible(cboPad_, action == kWriteToDestination);
    fieldForm_->setRowVisible(cboFormat_, dataType == kDate || dataType == kTime);
}

bool frmMapEdit::RowShown(QWidget* control) const {
    for (QFormLayout* form : {mapForm_, fieldForm_}) {
        int row = -1;
        QFormLayout::ItemRole role;
        form->getWidgetPosition(control, &row, &role);
        if (row >= 0) return form->isRowVisible(row);
    }
    return false;
}

std::string frmMapEdit::NameWithoutExtension() const {
    const std::string& name = map_.MapName();
    if (name.size() >= extension_.size() &&
        name.compare(name.size() - extension_.size(), extension_.size(), extension_) == 0)
        return name.substr(0, name.size() - extension_.size());
    return name;
}

bool frmMapEdit::WriteMap() {
    try {
        if (map_.SaveMap()) return true;
        CurrentFrontend().ShowMessage("The map has no name to be saved under.", "Save Map");
    } catch (const RuntimeError& e) {
        CurrentFrontend().ShowMessage(e.Description(), "Error");
    }
    return false;
}

void frmMapEdit::Save() {
    if (map_.MapName().empty()) {
        SaveAs();
        return;
    }
    if (!WriteMap()) return;
    result_ = NameWithoutExtension();
    accept();
}

void frmMapEdit::SaveAs() {
    const std::optional<std::string> answer = AskName("Map Name", "Save Map", NameWithoutExtension());
    const std::string name = answer ? MapNameFromAnswer(*answer) : std::string();
    if (name.empty()) return;  // nothing asked for: nothing written, the editor stays open
    const std::string previous = map_.MapName();
    if (name + extension_ != previous) {
        std::error_code ec;
        if (std::filesystem::exists(folder_ / (name + extension_), ec) &&
            !CurrentFrontend().AskYesNo("Save Map", "A map named " + name + " exists already. Replace it?", true))
            return;
    }
    map_.MapName(name + extension_);
    if (!WriteMap()) {
        map_.MapName(previous);
        return;
    }
    result_ = name;
    accept();
}

void frmMapEdit::Delete() {
    if (map_.MapName().empty()) return;  // a map never saved has no file
    const std::string name = NameWithoutExtension();
    if (!CurrentFrontend().AskYesNo("Delete Map", "Delete the map " + name + "?", true)) return;
    std::error_code ec;
    if (!map_.DeleteMap() && std::filesystem::exists(map_.MapFileName(), ec)) {
        CurrentFrontend().ShowMessage("The map " + name + " could not be deleted.", "Error");
        return;
    }
    result_ = kMapDeleted;
    accept();
}

}  // namespace zav
