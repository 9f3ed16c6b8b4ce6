// The About window (Help > "About"): the version record's texts as the splash window shows them and
// the version of Qt in use; "OK" closes it.
#pragma once

#include <QDialog>

namespace zav {

class frmAbout : public QDialog {
    Q_OBJECT
  public:
    explicit frmAbout(QWidget* parent = nullptr);
};

}  // namespace zav
