// Accessible names for the controls of a window, so screen readers and desktop test tools find them:
// a button or check box is named by its caption, a text box or list by the text of its label (which is
// also made the box's buddy, so the label's mnemonic moves the focus there), and a picture button by
// its tooltip.
#pragma once

#include <QString>

class QAbstractButton;
class QLabel;
class QWidget;

namespace zav {

// A caption as read aloud: the mnemonic marks removed ("&Browse ..." -> "Browse ...", "&&" -> "&").
QString PlainCaption(const QString& caption);

// Makes `label` the buddy of `control` and names `control` by the label's text.
void SetBuddy(QLabel* label, QWidget* control);

// Names a picture button by its tooltip.
void NameByToolTip(QAbstractButton* button);

// Names every button and check box below `root` that has no accessible name yet: by its caption, or by
// its tooltip when it has no caption.
void NameButtons(QWidget* root);

}  // namespace zav
