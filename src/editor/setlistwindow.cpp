#include "editor/setlistwindow.h"

#include <QComboBox>
#include <QDropEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <functional>

#include "library/songfold.h"
#include "platform/numbertext.h"
#include "platform/prompter.h"

namespace {

constexpr int kIdRole = Qt::UserRole;
constexpr int kShownMatches = 200;

// The running order's list: the chosen row is dragged onto the row whose place it
// takes (below the last row: to the end). The window writes the new order and
// shows the list again; the view itself never moves or removes a row, so a drop
// can neither lose a song nor nest one under another.
class OrderView : public QTreeWidget {
public:
    explicit OrderView(QWidget* parent) : QTreeWidget(parent) {}
    std::function<void(int from, int to)> onDrop;

protected:
    // Only rows of this list are taken (a drag from another program is refused).
    static bool ours(const QDropEvent* event, const QWidget* self) {
        return event->source() == self || event->source() == nullptr;
    }
    void dragEnterEvent(QDragEnterEvent* event) override {
        ours(event, this) ? event->acceptProposedAction() : event->ignore();
    }
    void dragMoveEvent(QDragMoveEvent* event) override {
        QTreeWidget::dragMoveEvent(event);  // scrolls and draws the drop mark
        ours(event, this) ? event->acceptProposedAction() : event->ignore();
    }
    void dropEvent(QDropEvent* event) override {
        if (!ours(event, this)) {
            event->ignore();
            return;
        }
        const int from = indexOfTopLevelItem(currentItem());
        QTreeWidgetItem* over = itemAt(event->position().toPoint());
        const int to = over ? indexOfTopLevelItem(over) : topLevelItemCount() - 1;
        // Taken as a copy: the drag's source then removes nothing.
        event->setDropAction(Qt::CopyAction);
        event->accept();
        if (onDrop && from >= 0 && to >= 0) {
            onDrop(from, to);
        }
    }
};

QPushButton* button(const QString& name, const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    return b;
}

}  // namespace

SetListWindow::SetListWindow(const EditorServices& services, QWidget* parent)
    : QWidget(parent, Qt::Window), services_(services) {
    setObjectName(QStringLiteral("Scalette"));
    setWindowTitle(QStringLiteral("Scalette"));
    setAttribute(Qt::WA_DeleteOnClose);
    build();
    reload();
    // Songs added, renamed or removed elsewhere show here at once.
    connect(&services_.writer, &LibraryWriter::changed, this, &SetListWindow::reload);
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

    auto* view = new OrderView(this);
    order_view_ = view;
    view->setObjectName(QStringLiteral("ListaScaletta"));
    view->setAccessibleName(QStringLiteral("Brani della scaletta"));
    view->setHeaderLabels({QStringLiteral("N°"), QStringLiteral("Titolo"), QStringLiteral("Autore"),
                           QStringLiteral("BPM"), QStringLiteral("Tipo")});
    view->setRootIsDecorated(false);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setDragDropMode(QAbstractItemView::InternalMove);
    view->setDefaultDropAction(Qt::MoveAction);
    view->header()->setStretchLastSection(false);
    view->header()->setSectionResizeMode(1, QHeaderView::Stretch);
    view->onDrop = [this](int from, int to) { dropped(from, to); };
    grid->addWidget(view, 1, 0, 1, 2);

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

void SetListWindow::reload() {
    QString error;
    songs_.clear();
    byTitle_.clear();
    for (const LibraryWriter::Summary& s : services_.writer.summaries(&error)) {
        songs_.insert(s.id, s);
        byTitle_ << s.id;
    }
    if (!error.isEmpty()) {
        services_.prompter.tell(error, {}, Message::Icon::Critical);
    }
    fillOrder();
    search();
}

void SetListWindow::fillOrder() {
    QString error;
    order_ = services_.writer.runningOrder(list_, &error);
    if (!error.isEmpty()) {
        services_.prompter.tell(error, {}, Message::Icon::Critical);
    }
    order_view_->clear();
    for (int i = 0; i < order_.size(); ++i) {
        const LibraryWriter::Summary s = songs_.value(order_[i]);
        const QString bpm = s.bpm.isNull() ? QString() : NumberText::format(s.bpm.toDouble());
        auto* item = new QTreeWidgetItem({QString::number(i + 1), s.title, s.author, bpm,
                                          s.loop ? QStringLiteral("Loop") : QStringLiteral("Mp3")});
        item->setData(0, kIdRole, order_[i]);
        item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsDragEnabled);
        order_view_->addTopLevelItem(item);
    }
}

void SetListWindow::search() {
    found_->clear();
    const std::string wanted = SongFold::key(find_->text().trimmed());
    int shown = 0;
    for (qint64 id : byTitle_) {
        const LibraryWriter::Summary& s = songs_[id];
        if (!wanted.empty() && SongFold::key(s.title).find(wanted) == std::string::npos &&
            SongFold::key(s.author).find(wanted) == std::string::npos) {
            continue;
        }
        auto* item = new QListWidgetItem(
            s.author.isEmpty() ? s.title : QStringLiteral("%1 - %2").arg(s.title, s.author));
        item->setData(kIdRole, id);
        found_->addItem(item);
        if (++shown == kShownMatches) {
            break;  // typing more narrows the choice
        }
    }
    if (found_->count() > 0) {
        found_->setCurrentRow(0);
    }
}

void SetListWindow::write(const QVector<qint64>& ids, int row) {
    QString error;
    if (!services_.writer.setRunningOrder(list_, ids, &error)) {
        services_.prompter.tell(error, {}, Message::Icon::Critical);
    }
    fillOrder();  // what the library now holds, whether or not the write went
    if (row >= 0 && row < order_view_->topLevelItemCount()) {
        order_view_->setCurrentItem(order_view_->topLevelItem(row));
    }
}

void SetListWindow::add() {
    QListWidgetItem* chosen = found_->currentItem();
    if (!chosen) {
        return;
    }
    const qint64 id = chosen->data(kIdRole).toLongLong();
    QVector<qint64> ids = order_;
    if (ids.contains(id)) {
        services_.prompter.tell(QStringLiteral("Il brano \"%1\" è già nella Scaletta %2.")
                                    .arg(songs_.value(id).title)
                                    .arg(list_),
                                {}, Message::Icon::Exclamation);
        return;
    }
    ids << id;
    write(ids, int(ids.size()) - 1);
}

void SetListWindow::remove() {
    const int row = order_view_->indexOfTopLevelItem(order_view_->currentItem());
    if (row < 0) {
        return;
    }
    QVector<qint64> ids = order_;
    ids.remove(row);
    write(ids, std::min(row, int(ids.size()) - 1));
}

void SetListWindow::move(int step) {
    const int row = order_view_->indexOfTopLevelItem(order_view_->currentItem());
    const int to = row + step;
    if (row < 0 || to < 0 || to >= order_.size()) {
        return;
    }
    QVector<qint64> ids = order_;
    ids.swapItemsAt(row, to);
    write(ids, to);
}

void SetListWindow::dropped(int from, int to) {
    if (from >= order_.size() || to >= order_.size() || from == to) {
        return;
    }
    QVector<qint64> ids = order_;
    ids.move(from, to);
    write(ids, to);
}
