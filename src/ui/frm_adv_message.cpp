// frmAdvMessage: a message shown on the handheld at one meter, on one route or on every route ("Any").
#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

#include "advanced/advanced.h"
#include "core/text.h"
#include "ui/frm_adv_dialogs.h"
#include "ui/qt_text.h"

namespace zav {

namespace {
constexpr const char* kAnyRoute = "ANY";
}

frmAdvMessage::frmAdvMessage(clsAdvanced& advanced, QWidget* parent)
    : AdvEditDialog(advanced, "frmAdvMessage", "Message", "Delete Message", parent),
      txtRoute_(new QLineEdit(this)),
      chkAny_(new QCheckBox("Any", this)),
      lblMeterId_(new QLabel("Meter ID", this)),
      txtMeterId_(new QLineEdit(this)),
      txtMessage_(new QLineEdit(this)) {
    txtRoute_->setObjectName("txtRouteNbr");
    chkAny_->setObjectName("chkAny");
    txtMeterId_->setObjectName("txtMeterID");
    txtMessage_->setObjectName("txtMessage");
    txtMessage_->setMinimumWidth(txtMessage_->fontMetrics().averageCharWidth() * 48);
    auto* routeLabel = new QLabel("Route Number", this);
    routeLabel->setBuddy(txtRoute_);
    lblMeterId_->setBuddy(txtMeterId_);
    auto* route = new QHBoxLayout;
    route->addWidget(txtRoute_, 1);
    route->addWidget(chkAny_);
    Form()->addRow(routeLabel, route);
    Form()->addRow(lblMeterId_, txtMeterId_);
    Form()->addRow("Message", txtMessage_);
    connect(txtRoute_, &QLineEdit::textEdited, this, &frmAdvMessage::OnRouteEdited);
    connect(chkAny_, &QCheckBox::toggled, this, &frmAdvMessage::OnAnyToggled);
}

std::string frmAdvMessage::Display(AdvMode mode, const std::string& MessageType, const std::string& RouteNbr,
                                   const std::string& MeterID) {
    type_ = MessageType;
    lblMeterId_->setText(ToQt(MessageType));
    std::string route = RouteNbr, meter = MeterID, message;
    if (mode == AdvMode::Edit) {
        const std::int16_t position = advanced_.FindMessage(MessageType, RouteNbr, MeterID);
        if (position >= 0) advanced_.GetMessage(MessageType, position, route, meter, message);
        storedRoute_ = route;
        txtMeterId_->setText(ToQt(meter));
        txtMessage_->setText(ToQt(message));
        if (EqualsNoCase(route, kAnyRoute) || route == "*") {
            chkAny_->setChecked(true);
        } else {
            txtRoute_->setText(ToQt(route));
            chkAny_->setEnabled(false);
        }
    }
    // "Any" is part of the key: in mode Edit it stays as it is.
    return Run(mode, {txtRoute_, chkAny_, txtMeterId_});
}

void frmAdvMessage::OnRouteEdited() {
    const bool typed = !Trim(Typed(txtRoute_)).empty();
    if (typed) chkAny_->setChecked(false);
    chkAny_->setEnabled(!typed);
}

void frmAdvMessage::OnAnyToggled(bool on) {
    if (on) txtRoute_->clear();
    txtRoute_->setEnabled(!on);
    (on ? txtMeterId_ : txtRoute_)->setFocus();
}

std::string frmAdvMessage::Route() const {
    if (IsEdit()) return storedRoute_;
    return chkAny_->isChecked() ? std::string(kAnyRoute) : Typed(txtRoute_);
}

bool frmAdvMessage::CheckSave() {
    if (!chkAny_->isChecked() && Trim(Typed(txtRoute_)).empty())
        return Refuse(txtRoute_, "Route Nbr or (ANY) is required");
    if (!IsEdit() && !Joinable(txtRoute_, "Route Number")) return false;
    if (!Required(txtMeterId_, type_ + " is required")) return false;
    if (!IsEdit() && !Joinable(txtMeterId_, type_)) return false;
    if (!Required(txtMessage_, "Message is required")) return false;
    if (!IsEdit() && advanced_.FindMessage(type_, Route(), Typed(txtMeterId_)) >= 0)
        return Refuse(txtMeterId_, "Already have a Message with this ID");
    return true;
}

void frmAdvMessage::Apply(const std::string& result) {
    const std::string meter = Typed(txtMeterId_);
    if (result == "Delete")
        advanced_.DeleteMessage(type_, Route(), meter);
    else if (IsEdit())
        advanced_.UpdateMessage(type_, Route(), meter, Typed(txtMessage_));
    else
        advanced_.AddMessage(type_, Route(), meter, Typed(txtMessage_));
}

}  // namespace zav
