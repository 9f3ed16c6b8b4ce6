#include "ui/frm_unit_install.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/errors.h"
#include "core/frontend.h"
#include "core/identity.h"
#include "install/hotsync.h"
#include "install/palm_users.h"
#include "install/unit_install.h"
#include "ui/accessible_names.h"
#include "ui/qt_text.h"

namespace zav {

frmUnitInstall::frmUnitInstall(std::filesystem::path home, std::string programFile, QWidget* parent)
    : QDialog(parent),
      home_(std::move(home)),
      programFile_(std::move(programFile)),
      List1_(new QListWidget(this)),
      chkMeazura_(new QCheckBox("Include files required for Meazura", this)),
      btnInstall_(new QPushButton("&Install Unit(s)", this)),
      btnCancel_(new QPushButton("&Cancel", this)) {
    setObjectName("frmUnitInstall");
    setWindowTitle("Install to Unit(s)");
    List1_->setObjectName("List1");
    List1_->setSelectionMode(QAbstractItemView::SingleSelection);
    chkMeazura_->setObjectName("chkMeazura");
    btnInstall_->setObjectName("btnAction0");
    btnInstall_->setProperty("tag", "INSTALL");
    btnInstall_->setEnabled(false);
    btnCancel_->setObjectName("btnAction1");
    btnCancel_->setProperty("tag", "CANCEL");
    for (QPushButton* button : {btnInstall_, btnCancel_}) {
        button->setAutoDefault(false);  // Enter in the list must not install
        connect(button, &QPushButton::clicked, this, [this, button] {
            tag_ = button->property("tag").toString().toStdString();
            hide();
            done(tag_ == "INSTALL" ? Accepted : Rejected);
        });
    }
    connect(List1_, &QListWidget::itemChanged, this, [this] { btnInstall_->setEnabled(!TickedUnits().empty()); });

    auto* label = new QLabel("&Units:", this);
    SetBuddy(label, List1_);
    NameButtons(this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnInstall_);
    buttons->addWidget(btnCancel_);
    auto* column = new QVBoxLayout(this);
    column->addWidget(label);
    column->addWidget(List1_, 1);
    column->addWidget(chkMeazura_);
    column->addSpacing(4);
    column->addLayout(buttons);
    resize(340, 300);
}

void frmUnitInstall::FillUnits(std::vector<std::string> names) {
    List1_->clear();
    names_ = std::move(names);
    for (const std::string& name : names_) {
        auto* item = new QListWidgetItem(ToQt(name), List1_);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    if (List1_->count() > 0) List1_->setCurrentRow(0);
    btnInstall_->setEnabled(false);
}

std::vector<std::string> frmUnitInstall::TickedUnits() const {
    std::vector<std::string> units;
    for (int i = 0; i < List1_->count(); ++i)
        if (List1_->item(i)->checkState() == Qt::Checked) units.push_back(names_[static_cast<std::size_t>(i)]);
    return units;
}

void frmUnitInstall::Display() {
    try {
        tag_.clear();
        const HotSyncDesktop desktop(home_);
        const clsPalmUsers users(desktop);
        FillUnits(users.Names());
        if (users.UserCount() == 0) {
            CurrentFrontend().ShowMessage(kNoUnitsMessage, kAppTitle);
            return;
        }
        List1_->setFocus();
        exec();
        if (tag_ == "INSTALL") InstallUnits();
    } catch (const RuntimeError& e) {
        CurrentFrontend().ShowMessage(e.Description(), "Error");
    } catch (const std::exception& e) {
        CurrentFrontend().ShowMessage(e.what(), "Error");
    }
}

void frmUnitInstall::InstallUnits() { zav::InstallUnits(TickedUnits(), chkMeazura_->isChecked(), programFile_, home_); }

}  // namespace zav
