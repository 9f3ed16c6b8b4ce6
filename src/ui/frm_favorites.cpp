#include "ui/frm_favorites.h"

#include <QDateTime>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

#include "advanced/advanced.h"
#include "core/home.h"
#include "exchange/exchange.h"
#include "ui/path_text.h"
#include "ui/column_list.h"
#include "ui/qt_text.h"

namespace zav {

namespace {

// Whether a readings file exists at the stored path.
bool FileThere(const std::filesystem::path& home, const std::string& path) {
    if (path.empty()) return false;
    std::error_code error;
    return std::filesystem::is_regular_file(ResolveAgainst(home, path), error);
}

QString Status(const std::filesystem::path& home, const std::string& path) {
    if (path.empty()) return "[No Path set]";
    if (!FileThere(home, path)) return "[File Not Found]";
    const QDateTime modified = QFileInfo(PathToQt(ResolveAgainst(home, path).string())).lastModified();
    return QLocale().toString(modified.date(), QLocale::ShortFormat);
}

}  // namespace

frmFavorites::frmFavorites(const clsAdvanced& advanced, std::filesystem::path home, QWidget* parent)
    : QDialog(parent),
      home_(std::move(home)),
      lstFavorites_(new ColumnList({"Unit", "Status", "Path"}, {40, 80}, "Favorites", this)),
      cmdUse_(new QPushButton("Use", this)),
      cmdClose_(new QPushButton("Close", this)) {
    setObjectName("frmFavorites");
    setWindowTitle("Favorites");
    lstFavorites_->setObjectName("lstFavorites");
    cmdUse_->setObjectName("cmdUse");
    cmdClose_->setObjectName("cmdClose");
    cmdUse_->setEnabled(false);
    cmdUse_->setDefault(true);

    std::string unit, path;
    for (std::int16_t i = 1; advanced.GetFavorite(i, unit, path) >= 0; ++i) {
        if (unit.empty()) continue;
        paths_.push_back(path);
        lstFavorites_->AddLine({ToQt(unit), Status(home_, path), PathToQt(path)});
    }
    lstFavorites_->FitColumns();

    connect(lstFavorites_, &QTreeWidget::itemSelectionChanged, this,
            [this] { cmdUse_->setEnabled(Usable(lstFavorites_->SelectedRow())); });
    connect(lstFavorites_, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (cmdUse_->isEnabled()) OnUse();
    });
    connect(cmdUse_, &QPushButton::clicked, this, &frmFavorites::OnUse);
    connect(cmdClose_, &QPushButton::clicked, this, &QDialog::reject);

    // The list fills the window left of the buttons.
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdUse_);
    buttons->addWidget(cmdClose_);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(lstFavorites_, 1);
    layout->addLayout(buttons);
    resize(560, 260);
}

bool frmFavorites::Usable(int row) const {
    return row >= 0 && row < static_cast<int>(paths_.size()) && FileThere(home_, paths_[row]);
}

void frmFavorites::OnUse() {
    const int row = lstFavorites_->SelectedRow();
    if (!Usable(row)) {  // the file went away since the line was chosen
        cmdUse_->setEnabled(false);
        return;
    }
    result_ = paths_[row];
    accept();
}

std::string frmFavorites::Display() {
    result_.clear();
    exec();
    return result_;
}

bool ChooseFavoriteReadingSource(clsExchange& exchange, const clsAdvanced& advanced, const std::filesystem::path& home,
                                 QWidget* parent) {
    if (!advanced.UseFavorite()) return true;
    const std::string chosen = frmFavorites(advanced, home, parent).Display();
    if (chosen.empty()) return false;
    exchange.ReadingSource = chosen;
    return true;
}

}  // namespace zav
