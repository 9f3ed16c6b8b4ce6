// frmReports ("Reports"): which reading reports to print, or one to preview. A check box per report to
// print and a button per report to preview it; "Conti&nue" prints the ticked ones (the choice is
// remembered per user: section "Reports", key "Options"), "&Close" chooses nothing.
#pragma once

#include <QDialog>
#include <array>
#include <cstdint>

class QCheckBox;
class QPushButton;

namespace zav {

class frmReports final : public QDialog {
    Q_OBJECT
  public:
    explicit frmReports(QWidget* parent = nullptr);

    // Ticks the remembered choice, shows the window modally and returns the choice: the sum of the ticked
    // reports' bits (Continue), a report's bit + 1 (its preview button), or 0 (Close).
    std::int16_t Display();
    std::int16_t Choice() const { return choice_; }

    QCheckBox* CheckBox(int kind) const;
    QPushButton* PreviewButton(int kind) const;
    QPushButton* ContinueButton() const { return cmdContinue_; }
    QPushButton* CloseButton() const { return cmdClose_; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void Finish(std::int16_t choice);

    std::array<QCheckBox*, 4> chkReport_{};
    std::array<QPushButton*, 4> cmdPreview_{};
    QPushButton* cmdContinue_;
    QPushButton* cmdClose_;
    std::int16_t choice_ = 0;
};

// The remembered choice of reports to print (0 when none is stored).
std::int16_t StoredReportChoice();

}  // namespace zav
