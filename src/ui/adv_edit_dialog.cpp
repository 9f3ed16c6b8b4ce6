#include "ui/adv_edit_dialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "advanced/advanced.h"
#include "core/frontend.h"
#include "core/identity.h"
#include "core/text.h"
#include "ui/qt_text.h"

namespace zav {

AdvEditDialog::AdvEditDialog(clsAdvanced& advanced, const char* objectName, const char* caption,
                             const char* deleteTitle, QWidget* parent)
    : QDialog(parent),
      advanced_(advanced),
      form_(new QFormLayout),
      btnSave_(new QPushButton("Save", this)),
      btnCancel_(new QPushButton("Cancel", this)),
      btnDelete_(new QPushButton("Delete", this)),
      deleteTitle_(deleteTitle) {
    setObjectName(objectName);
    setWindowTitle(caption);
    btnSave_->setObjectName("cmdSave");
    btnCancel_->setObjectName("cmdCancel");
    btnDelete_->setObjectName("cmdDelete");
    btnSave_->setDefault(true);
    connect(btnSave_, &QPushButton::clicked, this, &AdvEditDialog::OnSave);
    connect(btnCancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(btnDelete_, &QPushButton::clicked, this, &AdvEditDialog::OnDelete);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnSave_);
    buttons->addWidget(btnCancel_);
    buttons->addWidget(btnDelete_);
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(form_);
    outer->addSpacing(6);
    outer->addLayout(buttons);
    outer->setSizeConstraint(QLayout::SetFixedSize);
}

QLineEdit* AdvEditDialog::AddTextField(const char* objectName, const QString& caption) {
    auto* field = new QLineEdit(this);
    field->setObjectName(objectName);
    field->setMinimumWidth(field->fontMetrics().averageCharWidth() * 36);
    form_->addRow(caption, field);
    return field;
}

std::string AdvEditDialog::Run(AdvMode mode, std::initializer_list<QWidget*> keyFields, bool deletable) {
    mode_ = mode;
    const std::vector<QWidget*> order = OrderTabs();
    for (QWidget* field : keyFields) field->setEnabled(mode == AdvMode::Add);
    btnDelete_->setEnabled(mode == AdvMode::Edit && deletable);
    for (QWidget* control : order)  // the dialog opens on the first field that can change
        if (control->isEnabled()) {
            control->setFocus();
            break;
        }
    result_ = "Cancel";  // also Esc and the frame's close box
    exec();
    if (result_ != "Cancel") Apply(result_);
    return result_;
}

std::vector<QWidget*> AdvEditDialog::OrderTabs() {
    std::vector<QWidget*> order;
    auto chain = [&](QWidget* widget) {
        if (!widget || !(widget->focusPolicy() & Qt::TabFocus)) return;
        if (!order.empty()) setTabOrder(order.back(), widget);
        order.push_back(widget);
    };
    for (int row = 0; row < form_->rowCount(); ++row) {
        QLayoutItem* item = form_->itemAt(row, QFormLayout::FieldRole);
        if (!item) continue;
        if (const QLayout* inner = item->layout())
            for (int i = 0; i < inner->count(); ++i) chain(inner->itemAt(i)->widget());
        else
            chain(item->widget());
    }
    chain(btnSave_);
    chain(btnCancel_);
    chain(btnDelete_);
    return order;
}

bool AdvEditDialog::Refuse(QWidget* field, const std::string& message) {
    CurrentFrontend().ShowMessage(message, kAppTitle);
    field->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->selectAll();
    return false;
}

bool AdvEditDialog::Required(QLineEdit* field, const std::string& message) {
    return !Trim(Typed(field)).empty() || Refuse(field, message);
}

bool AdvEditDialog::Joinable(QLineEdit* field, const std::string& fieldName) {
    return !HoldsSeparator(Typed(field)) || Refuse(field, fieldName + " cannot contain \"||\"");
}

std::string AdvEditDialog::Typed(const QLineEdit* field) { return FromQt(field->text()); }

void AdvEditDialog::OnSave() {
    if (!CheckSave()) return;
    result_ = "Save";
    accept();
}

void AdvEditDialog::OnDelete() {
    if (!CurrentFrontend().AskYesNo(deleteTitle_, "Are you sure?", true)) return;
    result_ = "Delete";
    accept();
}

}  // namespace zav
