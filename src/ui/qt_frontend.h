// The desktop's Frontend: the run log and the progress display of the main window, message boxes,
// Yes/No and Abort/Retry/Ignore questions, the runtime prompt window and the unit prompt window.
#pragma once

#include <string>
#include <vector>

#include "core/frontend.h"

class QWidget;

namespace zav {

class frmMain;

class QtFrontend final : public Frontend {
  public:
    // The window that shows the run log and the progress. Lines logged before it is attached are kept
    // and land in its log when it is.
    void AttachMainWindow(frmMain* main);

    void AddLog(const std::string& line) override;
    void SetProgressButton(long max, long current) override;
    bool AskYesNo(const std::string& title, const std::string& text, bool questionIcon) override;
    void ShowMessage(const std::string& text, const std::string& title) override;
    int AbortRetryIgnore(const std::string& title, const std::string& text) override;
    std::string PromptVariables(const std::vector<PromptField>& fields,
                                std::vector<std::pair<std::string, std::string>>& answers) override;
    std::string PromptUnit(const std::vector<std::string>& units) override;

  private:
    // The window a box or dialog belongs to: the active one, else the main window.
    QWidget* Owner() const;

    frmMain* main_ = nullptr;
    std::vector<std::string> pending_;
};

}  // namespace zav
