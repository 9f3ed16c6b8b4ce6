// The splash window shown at start: the version record's texts (version, product, company, legal
// notice with "(c)" shown as the copyright sign, file description with "(r)" as the registered sign).
// It closes itself after 3 seconds; a key press closes it at once.
#pragma once

#include <QStringList>
#include <QWidget>

namespace zav {

inline constexpr int kSplashMilliseconds = 3000;

// The splash window's texts in display order: "Version 3.0.0", product, company, legal notice, description.
QStringList SplashTexts();

class frmSplash : public QWidget {
    Q_OBJECT
  public:
    frmSplash();

  signals:
    void closed();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
};

}  // namespace zav
