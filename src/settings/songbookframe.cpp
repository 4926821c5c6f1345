#include "settings/songbookframe.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <algorithm>

#include "config/songbooklisttext.h"
#include "platform/filechooser.h"

namespace {

QPushButton* button(const char* name, const QString& caption) {
    auto* b = new QPushButton(caption);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

}  // namespace

SongbookFrame::SongbookFrame(FileChooser& chooser, QWidget* parent)
    : QGroupBox(QStringLiteral("Canzonieri"), parent), chooser_(chooser) {
    setObjectName(QStringLiteral("FrameCanzonieri"));
    list_ = new QListWidget;
    list_->setObjectName(QStringLiteral("ListaCanzonieri"));
    list_->setAccessibleName(QStringLiteral("Canzonieri"));
    list_->setToolTip(
        QStringLiteral("I canzonieri in PDF: il primo è quello dei brani che non ne indicano "
                       "un altro."));
    // Two rows beside the buttons are enough (most performers own one book or a
    // few): the settings dialog has to fit a 1024 x 768 screen.
    list_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    // A long name is cut in the middle rather than scrolled: its row keeps the first
    // page in view, and its tooltip gives the whole path.
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->setTextElideMode(Qt::ElideMiddle);
    list_->setMinimumSize(240, list_->fontMetrics().height() * 2 + 8);
    add_ = button("CmdAggiungiCanzoniere", QStringLiteral("Aggiungi..."));
    remove_ = button("CmdTogliCanzoniere", QStringLiteral("Togli"));
    up_ = button("CmdSuCanzoniere", QStringLiteral("Su"));
    down_ = button("CmdGiuCanzoniere", QStringLiteral("Giù"));
    firstPage_ = new QSpinBox;
    firstPage_->setObjectName(QStringLiteral("SpinPrimaPagina"));
    firstPage_->setRange(1, SongbookListText::kMaxFirstPage);
    firstPage_->setAccessibleName(QStringLiteral("Pagina del PDF con la pagina 1 del libro"));
    firstPage_->setToolTip(
        QStringLiteral("La pagina del PDF su cui è stampata la pagina 1 del canzoniere "
                       "evidenziato (copertina e indice vengono prima)."));
    area_ = new QComboBox;
    area_->setObjectName(QStringLiteral("CmbAreaPagina"));
    area_->addItem(QStringLiteral("accanto al testo"), int(kBeside));
    area_->addItem(QStringLiteral("al posto del testo"), int(kInstead));
    auto* firstLabel = new QLabel(QStringLiteral("Pagina 1 del libro = pagina del PDF"));
    firstLabel->setBuddy(firstPage_);
    auto* areaLabel = new QLabel(QStringLiteral("Pagina sul palco:"));
    areaLabel->setBuddy(area_);

    // The list with its buttons in two rows, the highlighted book's first page and the
    // page's place beside them.
    auto* g = new QGridLayout(this);
    g->setVerticalSpacing(4);
    g->addWidget(list_, 0, 0, 2, 1);
    g->addWidget(add_, 0, 1);
    g->addWidget(remove_, 0, 2);
    g->addWidget(up_, 1, 1);
    g->addWidget(down_, 1, 2);
    auto* firstLine = new QHBoxLayout;
    firstLine->addWidget(firstLabel);
    firstLine->addWidget(firstPage_);
    auto* areaLine = new QHBoxLayout;
    areaLine->addWidget(areaLabel);
    areaLine->addWidget(area_);
    g->addLayout(firstLine, 0, 3);
    g->addLayout(areaLine, 1, 3);
    g->setColumnStretch(0, 1);

    connect(add_, &QPushButton::clicked, this, &SongbookFrame::add);
    connect(remove_, &QPushButton::clicked, this, &SongbookFrame::remove);
    connect(up_, &QPushButton::clicked, this, [this] { move(-1); });
    connect(down_, &QPushButton::clicked, this, [this] { move(1); });
    connect(list_, &QListWidget::currentRowChanged, this, &SongbookFrame::showSelection);
    connect(firstPage_, &QSpinBox::valueChanged, this, &SongbookFrame::firstPageChosen);
    load({}, kBeside);
}

void SongbookFrame::load(const QList<Songbook>& books, int pageArea) {
    books_ = books;
    loaded_ = int(books.size());
    origins_.clear();
    for (int i = 0; i < loaded_; ++i) {
        origins_ << i + 1;
    }
    const int index = area_->findData(pageArea);
    area_->setCurrentIndex(index < 0 ? 0 : index);
    refill(books_.isEmpty() ? -1 : 0);
}

int SongbookFrame::pageArea() const {
    return area_->currentData().toInt();
}

QHash<int, int> SongbookFrame::moves() const {
    QHash<int, int> out;
    for (int number = 2; number <= loaded_; ++number) {
        const int now = int(origins_.indexOf(number)) + 1;  // 0 when taken out
        if (now != number) {
            out.insert(number, now);
        }
    }
    return out;
}

QString SongbookFrame::rowText(const Songbook& book) {
    const QFileInfo file(book.path);
    QString name = file.fileName().isEmpty() ? book.path : file.fileName();
    if (!file.isFile()) {
        name += QStringLiteral(" (manca)");
    }
    return QStringLiteral("%1 - prima pagina %2").arg(name).arg(book.firstPage);
}

void SongbookFrame::add() {
    // The chooser opens beside the highlighted book, or the last one.
    const int row = selectedRow();
    const QString beside =
        row >= 0 ? books_[row].path : (books_.isEmpty() ? QString() : books_.last().path);
    const QString folder = beside.isEmpty() ? QDir::homePath() : QFileInfo(beside).absolutePath();
    const QString path = chooser_.chooseFile(chooserTitle(), folder, chooserFilter(), window());
    const Songbook book{QDir::toNativeSeparators(path), 1};
    if (path.isEmpty() || !SongbookListText::storable(book) ||
        books_.size() >= SongbookListText::kMaxBooks) {
        return;
    }
    books_ << book;
    origins_ << 0;
    refill(int(books_.size()) - 1);
    firstPage_->setFocus();
}

void SongbookFrame::remove() {
    const int row = selectedRow();
    if (row < 0) {
        return;
    }
    books_.removeAt(row);
    origins_.removeAt(row);
    refill(std::min(row, int(books_.size()) - 1));
}

void SongbookFrame::move(int by) {
    const int row = selectedRow();
    const int to = row + by;
    if (row < 0 || to < 0 || to >= books_.size()) {
        return;
    }
    books_.swapItemsAt(row, to);
    origins_.swapItemsAt(row, to);
    refill(to);
}

void SongbookFrame::firstPageChosen(int page) {
    const int row = selectedRow();
    if (showing_ || row < 0) {
        return;
    }
    books_[row].firstPage = page;
    list_->item(row)->setText(rowText(books_[row]));
}

void SongbookFrame::refill(int row) {
    list_->clear();
    for (const Songbook& book : books_) {
        auto* item = new QListWidgetItem(rowText(book), list_);
        item->setToolTip(QDir::toNativeSeparators(book.path));
    }
    list_->setCurrentRow(row >= 0 && row < books_.size() ? row : -1);
    showSelection();
    add_->setEnabled(books_.size() < SongbookListText::kMaxBooks);
}

void SongbookFrame::showSelection() {
    const int row = selectedRow();
    remove_->setEnabled(row >= 0);
    up_->setEnabled(row > 0);
    down_->setEnabled(row >= 0 && row + 1 < books_.size());
    firstPage_->setEnabled(row >= 0);
    showing_ = true;
    firstPage_->setValue(row >= 0 ? books_[row].firstPage : 1);
    showing_ = false;
}

int SongbookFrame::selectedRow() const {
    const int row = list_->currentRow();
    return row >= 0 && row < books_.size() ? row : -1;
}
