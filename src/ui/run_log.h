// The run log: the main window's read-only text that collects one line per message since the program
// started or the log was last cleared. It is not written to any file.
#pragma once

#include <QPlainTextEdit>
#include <string>

namespace zav {

class RunLog : public QPlainTextEdit {
    Q_OBJECT
  public:
    explicit RunLog(QWidget* parent);

    // Appends `line` and a line break and keeps the newest line in view; an empty line stays empty.
    void AddLog(const std::string& line);
    // The whole log, each line followed by a line feed.
    QString Text() const { return toPlainText(); }
    bool IsEmpty() const { return document()->isEmpty(); }
};

}  // namespace zav
