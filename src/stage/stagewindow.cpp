#include "stage/stagewindow.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSizeF>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/elidedlabel.h"
#include "platform/lamp.h"
#include "platform/wincolor.h"
#include "stage/scorewindow.h"
#include "stage/songbookview.h"
#include "stage/stagetitle.h"
#include "stage/transportmodel.h"

namespace {

// Type sizes at the smallest window (800 x 600), in pixels; everything grows with
// the window's shorter side in proportion. The lines are read from three metres: at
// 1080 pixels high (a 24 to 27 inch screen, 0.28 to 0.31 mm a pixel) a line is 79 px,
// capitals of about 16 mm, and the title larger still.
constexpr int kBaseWidth = 800;
constexpr int kBaseHeight = 600;
constexpr int kTitlePx = 60;
constexpr int kAuthorPx = 34;
constexpr int kDetailsPx = 36;
constexpr int kLinePx = 44;
constexpr int kButtonPx = 14;
constexpr int kLampPx = 30;
constexpr int kBarPx = 14;
// Windowed, the view opens at this share of the screen, never smaller than the
// smallest window nor larger than the screen.
constexpr double kScreenShare = 0.8;

// The lamps a performer reads on stage, with their names; the pedal lock-out is
// the diagnostics' business.
struct StageLamp {
    TransportSnapshot::LampIndex index;
    const char* name;
    const char* shows;
};
constexpr StageLamp kStageLamps[] = {
    {TransportSnapshot::kTempo, "PalcoTempo", "Tempo"},
    {TransportSnapshot::kPedal1, "PalcoPed1", "Pedale 1"},
    {TransportSnapshot::kPedal2, "PalcoPed2", "Pedale 2"},
    {TransportSnapshot::kPreload, "PalcoPreload", "Preload"},
};

void setPixels(QWidget* w, int px, bool bold = false) {
    QFont f = w->font();
    f.setPixelSize(std::max(8, px));
    f.setBold(bold);
    w->setFont(f);
}

QString soundingDescription(const TransportSnapshot& s) {
    if (s.sounding == 0) {
        return QStringLiteral("Fermo");
    }
    QString what;
    if (!s.loop) {
        what = QStringLiteral("MP3");
    } else if (s.sounding == (TransportSnapshot::kFirst | TransportSnapshot::kSecond)) {
        what = QStringLiteral("Groove 1 e 2");
    } else {
        what = s.sounding & TransportSnapshot::kFirst ? QStringLiteral("Groove 1")
                                                      : QStringLiteral("Groove 2");
    }
    return QStringLiteral("Suona: ") + what + QStringLiteral(" da ") +
           TransportModel::clockText(s.soundingSeconds);
}

QString details(const StageSong& song) {
    QStringList parts;
    if (!song.page.isEmpty()) {
        parts << QStringLiteral("Pag. ") + song.page;
    }
    if (!song.capo.isEmpty()) {
        parts << QStringLiteral("Capo ") + song.capo;
    }
    if (!song.bpm.isEmpty()) {
        parts << song.bpm + QStringLiteral(" BPM");
    }
    return parts.join(QStringLiteral("    "));
}

}  // namespace

StageWindow::StageWindow(TransportModel& model, QWidget* parent)
    : QWidget(parent, Qt::Window), model_(model) {
    setObjectName(QStringLiteral("Palco"));
    setWindowTitle(windowTitleText());
    setAccessibleName(QStringLiteral("Palco"));
    setMinimumSize(400, 300);
    setPalette(darkPalette(palette()));
    setAutoFillBackground(true);
    build();
    resize(kBaseWidth, kBaseHeight);
    connect(&model_, &TransportModel::changed, this, [this] { display(model_.snapshot()); });
    display(model_.snapshot());
}

QPalette StageWindow::darkPalette(QPalette dark) {
    dark.setColor(QPalette::Window, QColor(0, 0, 0));
    dark.setColor(QPalette::WindowText, QColor(235, 235, 235));
    dark.setColor(QPalette::Button, QColor(40, 40, 40));
    dark.setColor(QPalette::ButtonText, QColor(235, 235, 235));
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    dark.setColor(QPalette::Highlight, QColor(0, 150, 60));
    dark.setColor(QPalette::Text, QColor(235, 235, 235));
    dark.setColor(QPalette::Shadow, QColor(120, 120, 120));
    return dark;
}

void StageWindow::build() {
    auto* v = new QVBoxLayout(this);
    auto* lampRow = new QHBoxLayout;
    for (const StageLamp& l : kStageLamps) {
        auto* lamp = new Lamp(QString::fromLatin1(l.name), QString::fromLatin1(l.shows),
                              WinColor::kGrey, this);
        lamps_[l.index] = lamp;
        lampRow->addWidget(lamp);
        auto* caption = new QLabel(QString::fromLatin1(l.shows), this);
        caption->setObjectName(QString::fromLatin1(l.name) + QStringLiteral("Nome"));
        lampRow->addWidget(caption);
        lampRow->addSpacing(12);
    }
    lampRow->addStretch(1);
    fullButton_ = new QPushButton(QStringLiteral("Schermo intero"), this);
    fullButton_->setObjectName(QStringLiteral("PalcoSchermoIntero"));
    fullButton_->setFocusPolicy(Qt::NoFocus);
    connect(fullButton_, &QPushButton::clicked, this, [this] { setFullScreen(!fullScreen_); });
    lampRow->addWidget(fullButton_);
    v->addLayout(lampRow);
    alert_ = new QLabel(this);
    alert_->setObjectName(QStringLiteral("PalcoAvviso"));
    alert_->setTextFormat(Qt::PlainText);
    alert_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    alert_->setStyleSheet(QStringLiteral("color: #ff5050"));
    alert_->hide();
    v->addWidget(alert_);

    auto text = [this](const char* name) {
        auto* l = new ElidedLabel(QString(), this);
        l->setObjectName(QString::fromLatin1(name));
        l->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        return l;
    };
    auto plain = [this](const char* name) {
        auto* l = new QLabel(this);
        l->setObjectName(QString::fromLatin1(name));
        l->setTextFormat(Qt::PlainText);
        l->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        return l;
    };
    title_ = new StageTitle(this);
    title_->setObjectName(QStringLiteral("PalcoTitolo"));
    author_ = text("PalcoAutore");
    details_ = plain("PalcoDati");
    sounding_ = plain("PalcoSuona");
    time_ = plain("PalcoTempoMp3");
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("PalcoAvanzamento"));
    progress_->setRange(0, 1000);
    progress_->setTextVisible(false);
    next_ = text("PalcoSeguente");
    countdown_ = plain("PalcoConteggio");
    countdown_->setStyleSheet(QStringLiteral("color: #80e0ff"));
    cued_ = text("PalcoProssimo");
    cued_->setStyleSheet(QStringLiteral("color: #ffd040"));
    // The song's texts, with the songbook's page beside them or in their place.
    line_ = plain("PalcoRiga");
    line_->hide();
    v->addWidget(line_);
    auto* body = new QHBoxLayout;
    texts_ = new QWidget(this);
    auto* t = new QVBoxLayout(texts_);
    t->setContentsMargins(0, 0, 0, 0);
    t->addStretch(1);
    for (QWidget* w : std::initializer_list<QWidget*>{title_, author_, details_}) {
        t->addWidget(w);
    }
    t->addStretch(1);
    for (QWidget* w : std::initializer_list<QWidget*>{sounding_, time_, progress_}) {
        t->addWidget(w);
    }
    t->addStretch(1);
    for (QWidget* w : std::initializer_list<QWidget*>{next_, countdown_, cued_}) {
        t->addWidget(w);
    }
    body->addWidget(texts_, 1);
    page_ = new SongbookView(this);
    page_->hide();
    body->addWidget(page_, 1);
    v->addLayout(body, 1);
}

void StageWindow::setPageArea(PageArea area) {
    area_ = area;
    page_->setVisible(area != PageArea::None);
    texts_->setVisible(area != PageArea::Instead);
    line_->setVisible(area == PageArea::Instead);
    display(model_.snapshot());
    scaleTexts();
}

void StageWindow::display(const TransportSnapshot& s) {
    title_->setText(s.prepared ? s.song.title : QStringLiteral("Nessun brano preparato"));
    author_->setText(s.song.author);
    details_->setText(details(s.song));
    sounding_->setText(soundingDescription(s));
    time_->setText(TransportModel::mp3Text(s));
    progress_->setVisible(s.mp3);
    progress_->setValue(s.mp3Permille);
    next_->setText(s.nextLine());
    countdown_->setText(s.countdownLine());
    cued_->setText(s.cued.isEmpty() ? QString() : QStringLiteral("Prossimo: ") + s.cued);
    // With the page in place of the texts, one line keeps the song, its capo and BPM
    // and what sounds in sight.
    if (area_ == PageArea::Instead) {
        QStringList parts{title_->text(), details(s.song), sounding_->text()};
        parts.removeAll(QString());
        line_->setText(parts.join(QStringLiteral("  -  ")));
    }
    alert_->setText(s.alert);
    // Only while something is amiss: the rest keeps its room. With the page shown
    // the line keeps its own room, so that the page never moves or shrinks for it.
    alert_->setVisible(!s.alert.isEmpty() || area_ != PageArea::None);
    for (int i = 0; i < TransportSnapshot::kLampCount; ++i) {
        if (lamps_[i]) {
            lamps_[i]->setBackColor(s.lamps[i]);
        }
    }
}

void StageWindow::scaleTexts() {
    // Beside the page the texts have half the width, and their type follows it.
    const int textWidth = area_ == PageArea::Beside ? width() / 2 : width();
    const double scale =
        std::max(0.5, std::min(double(textWidth) / kBaseWidth, double(height()) / kBaseHeight));
    auto px = [scale](int base) { return int(base * scale); };
    titlePixels_ = px(kTitlePx);
    setPixels(title_, titlePixels_, true);
    setPixels(author_, px(kAuthorPx));
    setPixels(details_, px(kDetailsPx), true);
    setPixels(sounding_, px(kLinePx));
    setPixels(time_, px(kLinePx), true);
    setPixels(next_, px(kLinePx));
    setPixels(countdown_, px(kLinePx));
    setPixels(cued_, px(kLinePx), true);
    setPixels(line_, px(kDetailsPx), true);
    setPixels(alert_, px(kLinePx), true);
    setPixels(fullButton_, px(kButtonPx));
    progress_->setFixedHeight(px(kBarPx));
    for (Lamp* lamp : lamps_) {
        if (lamp) {
            lamp->setFixedSize(px(kLampPx), px(kLampPx));
        }
    }
    for (QLabel* caption : findChildren<QLabel*>(QRegularExpression(QStringLiteral("Nome$")))) {
        setPixels(caption, px(kButtonPx));
    }
    // An empty line keeps its room, so nothing moves when a text comes or goes.
    for (QLabel* label : findChildren<QLabel*>()) {
        if (label != title_) {  // the title keeps the room of its two lines
            label->setMinimumHeight(label->fontMetrics().height());
        }
    }
    layout()->setContentsMargins(px(16), px(12), px(16), px(12));
    layout()->setSpacing(px(6));
}

void StageWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!fullScreen_ && !isFullScreen()) {
        normalPlace_ = geometry();
    }
    scaleTexts();
}

void StageWindow::setFullScreen(bool on) {
    fullScreen_ = on;
    fullButton_->setText(on ? QStringLiteral("Finestra") : QStringLiteral("Schermo intero"));
    if (on) {
        if (!isFullScreen()) {
            normalPlace_ = geometry();
        }
        showFullScreen();
    } else if (isVisible()) {
        showNormal();
        if (normalPlace_.isValid()) {
            setGeometry(normalPlace_);
        }
    }
}

QRect StageWindow::normalPlace() const {
    return normalPlace_.isValid() ? normalPlace_ : geometry();
}

QRect StageWindow::placeWithin(const QRect& place, const QRect& room) {
    if (room.isEmpty()) {
        return place;
    }
    QSize size;
    if (place.isValid()) {
        size = place.size().boundedTo(room.size());
    } else {
        size = (QSizeF(room.size()) * kScreenShare)
                   .toSize()
                   .expandedTo(QSize(kBaseWidth, kBaseHeight))
                   .boundedTo(room.size());
    }
    // A remembered place moves only as far as it must to be whole on the screen; a
    // new one is centred.
    QPoint at = place.isValid() ? place.topLeft()
                                : QPoint(room.left() + (room.width() - size.width()) / 2,
                                         room.top() + (room.height() - size.height()) / 2);
    at.setX(std::clamp(at.x(), room.left(), room.left() + room.width() - size.width()));
    at.setY(std::clamp(at.y(), room.top(), room.top() + room.height() - size.height()));
    return {at, size};
}

void StageWindow::restorePlace(const QRect& place, bool fullScreen, const QRect& room) {
    const QRect fitted = placeWithin(place, room);
    if (fitted.isValid()) {
        setGeometry(fitted);
        normalPlace_ = fitted;
    }
    fullScreen_ = fullScreen;
    fullButton_->setText(fullScreen ? QStringLiteral("Finestra")
                                    : QStringLiteral("Schermo intero"));
}

void StageWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    setFullScreen(!fullScreen_);
    event->accept();
}

void StageWindow::keyPressEvent(QKeyEvent* event) {
    const int by = ScoreWindow::pageKeyStep(event->key());
    if (by != 0 && area_ != PageArea::None) {
        emit turnAsked(by);
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void StageWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    emit placeChanged();
}

QString StageWindow::titleText() const {
    return title_->text();
}
QString StageWindow::soundingText() const {
    return sounding_->text();
}
QString StageWindow::timeText() const {
    return time_->text();
}
QString StageWindow::nextText() const {
    return next_->text();
}
QString StageWindow::cuedText() const {
    return cued_->text();
}
QString StageWindow::lineText() const {
    return line_->text();
}
QString StageWindow::alertText() const {
    return alert_->text();
}
