// frmAdvFavorite: the readings file of one handheld unit.
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "advanced/advanced.h"
#include "core/home.h"
#include "ui/frm_adv_dialogs.h"
#include "ui/path_text.h"
#include "ui/qt_file_dialog.h"
#include "ui/qt_text.h"

namespace zav {

frmAdvFavorite::frmAdvFavorite(clsAdvanced& advanced, std::filesystem::path home, QWidget* parent)
    : AdvEditDialog(advanced, "frmAdvFavorite", "Favorite", "Delete Favorite", parent),
      home_(std::move(home)),
      cmdBrowse_(new QPushButton("Browse...", this)) {
    txtUnitId_ = AddTextField("txtUnitID", "UnitID:");
    txtPathName_ = new QLineEdit(this);
    txtPathName_->setObjectName("txtPathName");
    txtPathName_->setMinimumWidth(txtPathName_->fontMetrics().averageCharWidth() * 48);
    cmdBrowse_->setObjectName("cmdBrowse");
    auto* label = new QLabel("PathName:", this);
    label->setBuddy(txtPathName_);
    auto* path = new QHBoxLayout;
    path->addWidget(txtPathName_, 1);
    path->addWidget(cmdBrowse_);
    Form()->addRow(label, path);
    ChooseFile = [this](const FileDialogRequest& request) { return RunFileDialog(this, request); };
    connect(cmdBrowse_, &QPushButton::clicked, this, &frmAdvFavorite::OnBrowse);
}

std::string frmAdvFavorite::Display(AdvMode mode, const std::string& UnitID) {
    std::string unit = UnitID, path;
    // A unit listed without a favorite (a HotSync user's bare name) is edited with an empty path.
    const bool stored = mode == AdvMode::Edit && advanced_.GetFavorite(AdvIndex(UnitID), unit, path) >= 0;
    txtUnitId_->setText(ToQt(mode == AdvMode::Edit ? unit : std::string()));
    txtPathName_->setText(PathToQt(path));
    return Run(mode, {txtUnitId_}, stored);
}

void frmAdvFavorite::OnBrowse() {
    FileDialogRequest request;
    request.title = "Readings File";
    request.filter = "Palm Database Files (*.pdb)|*.pdb|All Files(*.*)|*.*";
    request.defaultExtension = ".pdb";
    request.initialFolder = home_.string();
    const std::string current = PathFromQt(txtPathName_->text());
    if (!current.empty()) request.initialFile = ResolveAgainst(home_, current).string();
    const std::string chosen = ChooseFile(request);
    if (!chosen.empty()) txtPathName_->setText(PathToQt(chosen));
}

bool frmAdvFavorite::CheckSave() {
    if (!Required(txtUnitId_, "UnitID is required")) return false;
    if (!Required(txtPathName_, "PathName is required")) return false;
    std::string unit, path;
    if (!IsEdit() && advanced_.GetFavorite(AdvIndex(Typed(txtUnitId_)), unit, path) >= 0)
        return Refuse(txtUnitId_, "Already have this UnitID");
    return true;
}

void frmAdvFavorite::Apply(const std::string& result) {
    const std::string unit = Typed(txtUnitId_);
    if (result == "Delete")
        advanced_.DeleteFavorite(unit);
    else if (IsEdit())
        advanced_.UpdateFavorite(unit, PathFromQt(txtPathName_->text()));  // adds it when the unit has none
    else
        advanced_.AddFavorite(unit, PathFromQt(txtPathName_->text()));
}

}  // namespace zav
