#include "ui/run_log.h"

#include <QFontDatabase>
#include <QScrollBar>

#include "ui/qt_text.h"

namespace zav {

RunLog::RunLog(QWidget* parent) : QPlainTextEdit(parent) {
    setObjectName("txtLog");
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    setUndoRedoEnabled(false);
}

void RunLog::AddLog(const std::string& line) {
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(MessageText(line) + '\n');
    moveCursor(QTextCursor::End);
    verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

}  // namespace zav
