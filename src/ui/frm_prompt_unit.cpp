#include "ui/frm_prompt_unit.h"

#include <QListWidget>
#include <QPushButton>

#include "ui/qt_text.h"

namespace zav {

frmPromptUnit::frmPromptUnit(const std::vector<std::string>& units, QWidget* parent)
    : QDialog(parent),
      lstUnits_(new QListWidget(this)),
      btnInstall_(new QPushButton("&Install to Selected Unit", this)),
      btnCancel_(new QPushButton("&Cancel", this)) {
    setObjectName("frmPromptUnit");
    setWindowTitle("Install To Unit");
    lstUnits_->setObjectName("lstUnits");
    lstUnits_->setSelectionMode(QAbstractItemView::SingleSelection);
    for (const std::string& unit : units) lstUnits_->addItem(ToQt(unit));
    btnInstall_->setObjectName("btnAction0");
    btnInstall_->setProperty("tag", "INSTALL");
    btnInstall_->setDefault(true);
    btnInstall_->setEnabled(false);
    btnCancel_->setObjectName("btnAction1");
    btnCancel_->setProperty("tag", "CANCEL");

    connect(lstUnits_, &QListWidget::itemClicked, this, [this] { btnInstall_->setEnabled(true); });
    connect(lstUnits_, &QListWidget::itemSelectionChanged, this, [this] {
        if (!lstUnits_->selectedItems().isEmpty()) btnInstall_->setEnabled(true);
    });
    connect(btnInstall_, &QPushButton::clicked, this, [this] {
        const QList<QListWidgetItem*> chosen = lstUnits_->selectedItems();
        result_ = chosen.isEmpty() ? std::string() : FromQt(chosen.front()->text());
        accept();
    });
    connect(btnCancel_, &QPushButton::clicked, this, [this] {
        result_.clear();
        reject();
    });

    const int buttonWidth = std::max(btnInstall_->sizeHint().width(), 2 * btnCancel_->sizeHint().width());
    resize(buttonWidth + btnCancel_->sizeHint().width() + 3 * 8, 240);
}

std::string frmPromptUnit::Display() {
    result_.clear();
    exec();  // Esc and the frame's close box reject, leaving the result empty
    return result_;
}

void frmPromptUnit::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    const int margin = 8;
    const int buttonHeight = btnInstall_->sizeHint().height();
    const int listHeight = std::max(0, height() - 2 * buttonHeight);
    lstUnits_->setGeometry(0, 0, width(), listHeight);
    const int top = listHeight + buttonHeight / 2;
    const int cancelWidth = btnCancel_->sizeHint().width();
    const int installWidth = btnInstall_->sizeHint().width();
    btnInstall_->setGeometry(margin, top, installWidth, buttonHeight);
    btnCancel_->setGeometry(width() - margin - cancelWidth, top, cancelWidth, buttonHeight);
}

}  // namespace zav
