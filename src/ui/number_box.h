// A text box for a 16-bit whole number (a record length, a position, a width). A text that is not a
// whole number within the box's range is refused where it is typed or pasted: the previous text stays,
// and the box says why in a tooltip beside it and through `refused`. An empty box stands for 0.
#pragma once

#include <QLineEdit>
#include <cstdint>
#include <optional>

namespace zav {

class NumberBox : public QLineEdit {
    Q_OBJECT
  public:
    explicit NumberBox(QWidget* parent, std::int16_t minimum = 0, std::int16_t maximum = INT16_MAX);

    std::int16_t Value() const { return value_; }
    // Shows `value` without emitting `edited`.
    void SetValue(std::int16_t value);
    // Why the last refused text was refused; "" after an accepted edit.
    const QString& Refusal() const { return refusal_; }

    // The number a text stands for in a box of that range: "" is 0, spaces around the digits are
    // allowed, a minus sign only when the range holds negative numbers; nullopt for anything else.
    static std::optional<std::int16_t> Parse(const QString& text, std::int16_t minimum, std::int16_t maximum);

  signals:
    // The user changed the number.
    void edited(std::int16_t value);
    // The user's text was refused; `reason` says why.
    void refused(const QString& reason);

  private:
    void OnEdited(const QString& text);

    std::int16_t minimum_;
    std::int16_t maximum_;
    std::int16_t value_ = 0;
    QString accepted_;  // the text the box held before the edit
    QString refusal_;
};

}  // namespace zav
