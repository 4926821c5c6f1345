#include "editor/setlistwindow.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeView>
#include <algorithm>

#include "editor/runningordermodel.h"
#include "library/songfold.h"
#include "platform/prompter.h"

namespace {

constexpr int kIdRole = Qt::UserRole;
constexpr int kShownMatches = 200;

QPushButton* button(const QString& name, const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    return b;
}

}  // namespace

SetListWindow::SetListWindow(LibraryWriter& writer, Prompter& prompter, QWidget* parent)
    : QWidget(parent, Qt::Window), writer_(writer), prompter_(prompter) {
    setObjectName(QStringLiteral("Scalette"));
    setWindowTitle(QStringLiteral("Scalette"));
    setAttribute(Qt::WA_DeleteOnClose);
    build();
    reload();
    // Songs added, renamed or removed elsewhere show here at once.
    connect(&writer_, &LibraryWriter::changed, this, &SetListWindow::changed);
}

void SetListWindow::build() {
    auto* grid = new QGridLayout(this);
    lists_ = new QComboBox(this);
    lists_->setObjectName(QStringLiteral("CmbLista"));
    for (int n = 1; n <= 5; ++n) {
        lists_->addItem(QStringLiteral("Scaletta %1").arg(n));
    }
    grid->addWidget(new QLabel(QStringLiteral("Scaletta:"), this), 0, 0);
    grid->addWidget(lists_, 0, 1);

    model_ = new RunningOrderModel(this);
    model_->onMove = [this](qint64 id, int to) { moveTo(id, to); };
    orderView_ = new QTreeView(this);
    orderView_->setObjectName(QStringLiteral("ListaScaletta"));
    orderView_->setAccessibleName(QStringLiteral("Brani della scaletta"));
    orderView_->setModel(model_);
    orderView_->setRootIsDecorated(false);
    orderView_->setItemsExpandable(false);
    orderView_->setSelectionMode(QAbstractItemView::SingleSelection);
    orderView_->setSelectionBehavior(QAbstractItemView::SelectRows);
    orderView_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    orderView_->setDragDropMode(QAbstractItemView::DragDrop);
    orderView_->setDragDropOverwriteMode(false);
    orderView_->setDefaultDropAction(Qt::MoveAction);
    orderView_->setDropIndicatorShown(true);
    orderView_->header()->setStretchLastSection(false);
    orderView_->header()->setSectionResizeMode(1, QHeaderView::Stretch);
    grid->addWidget(orderView_, 1, 0, 1, 2);

    auto* side = new QVBoxLayout;
    auto* up = button(QStringLiteral("Su"), QStringLiteral("Su"), this);
    auto* down = button(QStringLiteral("Giu"), QStringLiteral("Giù"), this);
    auto* out = button(QStringLiteral("Togli"), QStringLiteral("Togli"), this);
    side->addWidget(up);
    side->addWidget(down);
    side->addWidget(out);
    side->addStretch();
    grid->addLayout(side, 1, 2);

    find_ = new QLineEdit(this);
    find_->setObjectName(QStringLiteral("TextCerca"));
    find_->setPlaceholderText(QStringLiteral("Cerca per titolo o autore"));
    found_ = new QListWidget(this);
    found_->setObjectName(QStringLiteral("ListaTrovati"));
    found_->setAccessibleName(QStringLiteral("Brani trovati"));
    auto* in = button(QStringLiteral("Aggiungi"), QStringLiteral("Aggiungi"), this);
    grid->addWidget(new QLabel(QStringLiteral("Aggiungi un brano:"), this), 2, 0);
    grid->addWidget(find_, 2, 1);
    grid->addWidget(found_, 3, 0, 1, 2);
    grid->addWidget(in, 3, 2, Qt::AlignTop);
    auto* close = button(QStringLiteral("Chiudi"), QStringLiteral("Chiudi"), this);
    grid->addWidget(close, 4, 2);

    connect(lists_, &QComboBox::currentIndexChanged, this, [this](int index) {
        list_ = index + 1;
        fillOrder();
    });
    connect(find_, &QLineEdit::textChanged, this, &SetListWindow::search);
    connect(in, &QPushButton::clicked, this, &SetListWindow::add);
    connect(found_, &QListWidget::itemDoubleClicked, this, &SetListWindow::add);
    connect(out, &QPushButton::clicked, this, &SetListWindow::remove);
    connect(up, &QPushButton::clicked, this, [this] { move(-1); });
    connect(down, &QPushButton::clicked, this, [this] { move(1); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    resize(620, 520);
}

void SetListWindow::showList(int list) {
    if (list >= 1 && list <= 5) {
        lists_->setCurrentIndex(list - 1);
        fillOrder();
    }
}

bool SetListWindow::titleBefore(qint64 a, qint64 b) const {
    const LibraryWriter::Summary& x = *songs_.find(a);
    const LibraryWriter::Summary& y = *songs_.find(b);
    return x.key != y.key ? x.key < y.key : a < b;
}

void SetListWindow::reload() {
    QString error;
    songs_.clear();
    byTitle_.clear();
    const QVector<LibraryWriter::Summary> all = writer_.summaries(&error);
    songs_.reserve(all.size());
    byTitle_.reserve(all.size());
    for (const LibraryWriter::Summary& s : all) {
        songs_.insert(s.id, s);
        byTitle_ << s.id;
    }
    if (!error.isEmpty()) {
        prompter_.tell(error, {}, Message::Icon::Critical);
    }
    fillOrder();
    search();
}

void SetListWindow::changed(qint64 id) {
    if (writing_) {
        return;  // this window's own write: write() shows it
    }
    if (id < 0) {
        reload();
        return;
    }
    QString error;
    const std::optional<LibraryWriter::Summary> now = writer_.summary(id, &error);
    if (!error.isEmpty()) {
        prompter_.tell(error, {}, Message::Icon::Critical);
        return;
    }
    // The song leaves its places, then goes where it now belongs.
    byTitle_.removeOne(id);
    matches_.removeOne(id);
    order_.removeOne(id);
    songs_.remove(id);
    if (now) {
        songs_.insert(id, *now);
        const auto before = [this](qint64 a, qint64 b) { return titleBefore(a, b); };
        byTitle_.insert(std::lower_bound(byTitle_.begin(), byTitle_.end(), id, before), id);
        if (matches(id)) {
            matches_.insert(std::lower_bound(matches_.begin(), matches_.end(), id, before), id);
        }
        if (now->places[size_t(list_ - 1)] > 0) {
            const auto inOrder = [this](qint64 a, qint64 b) { return orderBefore(a, b); };
            order_.insert(std::lower_bound(order_.begin(), order_.end(), id, inOrder), id);
        }
    }
    showOrder();
    showFound();
}

bool SetListWindow::orderBefore(qint64 a, qint64 b) const {
    // The library's running order: position, then title, then key.
    const size_t slot = size_t(list_ - 1);
    const qint64 pa = songs_.find(a)->places[slot];
    const qint64 pb = songs_.find(b)->places[slot];
    return pa != pb ? pa < pb : titleBefore(a, b);
}

void SetListWindow::fillOrder() {
    const size_t slot = size_t(list_ - 1);
    order_.clear();
    for (auto it = songs_.cbegin(); it != songs_.cend(); ++it) {
        if (it->places[slot] > 0) {
            order_ << it.key();
        }
    }
    std::sort(order_.begin(), order_.end(),
              [this](qint64 a, qint64 b) { return orderBefore(a, b); });
    showOrder();
}

void SetListWindow::showOrder() {
    const qint64 chosen = selected();
    QVector<LibraryWriter::Summary> rows;
    rows.reserve(order_.size());
    for (qint64 id : order_) {
        rows << songs_[id];
    }
    model_->show(rows, list_);
    select(chosen);
}

qint64 SetListWindow::selected() const {
    return model_->idAt(orderView_->currentIndex().row());
}

void SetListWindow::select(qint64 id) {
    const int row = model_->rowOf(id);
    if (row >= 0) {
        orderView_->setCurrentIndex(model_->index(row, 0));
    }
}

bool SetListWindow::matches(qint64 id) const {
    if (wanted_.empty()) {
        return true;
    }
    const LibraryWriter::Summary& s = *songs_.find(id);
    return SongFold::key(s.title).find(wanted_) != std::string::npos ||
           SongFold::key(s.author).find(wanted_) != std::string::npos;
}

void SetListWindow::search() {
    wanted_ = SongFold::key(find_->text().trimmed());
    matches_.clear();
    for (qint64 id : byTitle_) {
        if (matches(id)) {
            matches_ << id;
        }
    }
    showFound();
}

void SetListWindow::showFound() {
    const QListWidgetItem* current = found_->currentItem();
    const qint64 chosen = current ? current->data(kIdRole).toLongLong() : -1;
    found_->clear();
    // Typing more narrows the choice.
    const qsizetype shown = std::min<qsizetype>(matches_.size(), kShownMatches);
    int row = 0;
    for (qsizetype i = 0; i < shown; ++i) {
        const LibraryWriter::Summary& s = *songs_.find(matches_[i]);
        auto* item = new QListWidgetItem(
            s.author.isEmpty() ? s.title : QStringLiteral("%1 - %2").arg(s.title, s.author));
        item->setData(kIdRole, s.id);
        found_->addItem(item);
        if (s.id == chosen) {
            row = int(i);
        }
    }
    if (found_->count() > 0) {
        found_->setCurrentRow(row);
    }
}

void SetListWindow::write(const QVector<qint64>& ids, qint64 song) {
    QString error;
    writing_ = true;
    const bool ok = writer_.setRunningOrder(list_, ids, &error);
    writing_ = false;
    if (!ok) {
        prompter_.tell(error, {}, Message::Icon::Critical);
    }
    // What the library now holds, whether or not the write went.
    const size_t slot = size_t(list_ - 1);
    const QVector<LibraryWriter::Placed> places = writer_.places(list_, &error);
    if (!error.isEmpty() && ok) {
        prompter_.tell(error, {}, Message::Icon::Critical);
    }
    for (qint64 id : order_) {
        songs_[id].places[slot] = 0;
    }
    order_.clear();
    for (const LibraryWriter::Placed& p : places) {
        const auto it = songs_.find(p.id);
        if (it != songs_.end()) {
            it->places[slot] = p.position;
            order_ << p.id;
        }
    }
    showOrder();
    select(song);
}

void SetListWindow::add() {
    QListWidgetItem* chosen = found_->currentItem();
    if (!chosen) {
        return;
    }
    const qint64 id = chosen->data(kIdRole).toLongLong();
    QVector<qint64> ids = order_;
    if (ids.contains(id)) {
        prompter_.tell(QStringLiteral("Il brano \"%1\" è già nella Scaletta %2.")
                           .arg(songs_.value(id).title)
                           .arg(list_),
                       {}, Message::Icon::Exclamation);
        return;
    }
    ids << id;
    write(ids, id);
}

void SetListWindow::remove() {
    const qint64 id = selected();
    const int row = int(order_.indexOf(id));
    if (row < 0) {
        return;
    }
    QVector<qint64> ids = order_;
    ids.remove(row);
    write(ids, ids.isEmpty() ? -1 : ids[std::min(row, int(ids.size()) - 1)]);
}

void SetListWindow::move(int step) {
    const qint64 id = selected();
    const int row = int(order_.indexOf(id));
    if (row >= 0) {
        moveTo(id, row + step);
    }
}

void SetListWindow::moveTo(qint64 id, int to) {
    const int from = int(order_.indexOf(id));
    if (from < 0 || to < 0 || to >= order_.size() || from == to) {
        return;
    }
    QVector<qint64> ids = order_;
    ids.move(from, to);
    write(ids, id);
}
