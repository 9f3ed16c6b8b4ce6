#include "ui/frm_reports.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

#include "core/identity.h"
#include "reports/report_rows.h"

namespace zav {

namespace {

QSettings UserSettings() { return QSettings(kCompanyName, kAppTitle); }
constexpr const char* kChoiceKey = "Reports/Options";

}  // namespace

std::int16_t StoredReportChoice() {
    bool ok = false;
    const int value = UserSettings().value(kChoiceKey, "0").toString().trimmed().toInt(&ok);
    return ok ? static_cast<std::int16_t>(value) : 0;
}

frmReports::frmReports(QWidget* parent) : QDialog(parent) {
    setObjectName("frmReports");
    setWindowTitle("Reports");
    auto* label = new QLabel("Select reports to print.  (Click name to preview)", this);
    label->setObjectName("lblSelect");
    auto* grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    // Rows in the order the reports print.
    for (std::size_t i = 0; i < kReportPrintOrder.size(); ++i) {
        const int kind = kReportPrintOrder[i];
        const QString title = QString::fromStdString(ReportKindTitle(kind));
        chkReport_[i] = new QCheckBox(this);
        chkReport_[i]->setObjectName(QString("chkReport%1").arg(kind));
        chkReport_[i]->setAccessibleName("Print " + title);
        chkReport_[i]->setToolTip("Print the " + title);
        cmdPreview_[i] = new QPushButton(QString::fromStdString(ReportKindButton(kind)), this);
        cmdPreview_[i]->setObjectName(QString("cmdReport%1").arg(kind));
        cmdPreview_[i]->setToolTip("Preview the " + title);
        cmdPreview_[i]->setAutoDefault(false);
        grid->addWidget(chkReport_[i], static_cast<int>(i), 0);
        grid->addWidget(cmdPreview_[i], static_cast<int>(i), 1);
        connect(cmdPreview_[i], &QPushButton::clicked, this,
                [this, kind] { Finish(static_cast<std::int16_t>(kind + 1)); });
    }
    cmdContinue_ = new QPushButton("Conti&nue", this);
    cmdContinue_->setObjectName("cmdContinue");
    cmdContinue_->setDefault(true);
    cmdClose_ = new QPushButton("&Close", this);
    cmdClose_->setObjectName("cmdClose");
    cmdClose_->setAutoDefault(false);
    connect(cmdContinue_, &QPushButton::clicked, this, [this] {
        int choice = 0;
        for (std::size_t i = 0; i < kReportPrintOrder.size(); ++i)
            if (chkReport_[i]->isChecked()) choice += kReportPrintOrder[i];
        UserSettings().setValue(kChoiceKey, QString::number(choice));
        Finish(static_cast<std::int16_t>(choice));
    });
    connect(cmdClose_, &QPushButton::clicked, this, [this] { Finish(0); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdContinue_);
    buttons->addWidget(cmdClose_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addLayout(grid);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    for (std::size_t i = 0; i < kReportPrintOrder.size(); ++i) {
        QWidget::setTabOrder(i == 0 ? static_cast<QWidget*>(label) : cmdPreview_[i - 1], chkReport_[i]);
        QWidget::setTabOrder(chkReport_[i], cmdPreview_[i]);
    }
    QWidget::setTabOrder(cmdPreview_.back(), cmdContinue_);
    QWidget::setTabOrder(cmdContinue_, cmdClose_);
    setFixedSize(sizeHint());
}

QCheckBox* frmReports::CheckBox(int kind) const {
    for (std::size_t i = 0; i < kReportPrintOrder.size(); ++i)
        if (kReportPrintOrder[i] == kind) return chkReport_[i];
    return nullptr;
}

QPushButton* frmReports::PreviewButton(int kind) const {
    for (std::size_t i = 0; i < kReportPrintOrder.size(); ++i)
        if (kReportPrintOrder[i] == kind) return cmdPreview_[i];
    return nullptr;
}

std::int16_t frmReports::Display() {
    const std::int16_t stored = StoredReportChoice();
    for (std::size_t i = 0; i < kReportPrintOrder.size(); ++i)
        chkReport_[i]->setChecked((stored & kReportPrintOrder[i]) != 0);
    choice_ = 0;
    exec();
    return choice_;
}

void frmReports::Finish(std::int16_t choice) {
    choice_ = choice;
    hide();
    done(QDialog::Accepted);
}

void frmReports::closeEvent(QCloseEvent* event) {
    choice_ = 0;
    QDialog::closeEvent(event);
}

}  // namespace zav
