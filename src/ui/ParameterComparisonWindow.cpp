#include "ui/ParameterComparisonWindow.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <filesystem>

#include "texts/TextIds.h"

namespace flowcfg {
namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

ParameterComparisonWindow::ParameterComparisonWindow(
    Application& application, PageMessages& texts, const std::string& filePath,
    const std::vector<ParameterDifference>& differences, QWidget* parent)
    : PageDialog(application, parent),
      summary_(new QLabel(this)),
      table_(new QTableWidget(this)),
      close_(new QPushButton(qs(texts.text(textid::kTextClose)), this)) {
    placement().section = "Comparaison";
    placement().flags = WindowPlacement::kRememberSize;
    placement().defaults = {0, 0, 820, 500};
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    setCaptionText(texts.text(textid::kTextCompare));
    setCaptionFile(filePath);

    QFont bold = summary_->font();
    bold.setBold(true);
    summary_->setFont(bold);
    summary_->setText(qs(summaryText(texts, differences.size())));

    const std::string fileName = std::filesystem::path(filePath).filename().string();
    table_->setColumnCount(kColumns);
    table_->setHorizontalHeaderLabels(
        {qs(texts.text(textid::kTextTab)), qs(texts.text(textid::kTextParameter)),
         qs(texts.text(textid::kTextActualParameters)), qs(fileName)});
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setAlternatingRowColors(true);
    table_->setWordWrap(false);
    table_->setShowGrid(false);
    fill(differences);

    // Enter closes the window; the table shows no focus frame until the person goes into it.
    close_->setDefault(true);
    close_->setFocus();
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary_);
    layout->addWidget(table_, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(close_);
    layout->addLayout(bottom);
    resize(placement().defaults.width, placement().defaults.height);
}

std::string ParameterComparisonWindow::summaryText(PageMessages& texts, std::size_t differences) {
    if (differences == 0) return texts.text(textid::kTextSameSets);
    if (differences == 1) return texts.text(textid::kTextOneDifference);
    std::string text = texts.text(textid::kTextDifferences);
    const std::size_t at = text.find("%d");
    if (at != std::string::npos) text.replace(at, 2, std::to_string(differences));
    return text;
}

void ParameterComparisonWindow::fill(const std::vector<ParameterDifference>& differences) {
    table_->setRowCount(int(differences.size()));
    for (std::size_t i = 0; i < differences.size(); ++i) {
        const ParameterDifference& d = differences[i];
        const std::string cells[kColumns] = {d.tab, d.caption, d.value, d.otherValue};
        for (int column = 0; column < kColumns; ++column)
            // List entries may carry the blank that sets them off from a number (" m3").
            table_->setItem(int(i), column, new QTableWidgetItem(qs(cells[column]).trimmed()));
    }
    // The tab and the parameter as wide as they need; the two values share the rest.
    QHeaderView* header = table_->horizontalHeader();
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (int column : {kTabColumn, kParameterColumn}) {
        table_->resizeColumnToContents(column);
        table_->setColumnWidth(column, table_->columnWidth(column) + 16);
    }
    header->setSectionResizeMode(kSetColumn, QHeaderView::Stretch);
    header->setSectionResizeMode(kFileColumn, QHeaderView::Stretch);
}

}  // namespace flowcfg
