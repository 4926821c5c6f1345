#include "remote/pedalboxwindow.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStyle>
#include <QWindow>

#include "platform/lamp.h"
#include "platform/wincolor.h"
#include "remote/pedalboxplacement.h"
#include "remote/virtualpedalbox.h"

namespace {

const QString kPlaceKey = QStringLiteral("PedalieraVirtuale/posizione");

constexpr qint64 kDark = 4210752;  // 0x404040: a lamp that is off

struct LampSpec {
    int value;
    const char* name;
    const char* shows;
    qint64 lit;
};

const LampSpec kLamps[4] = {
    {1, "BoxLedPed1", "Lampada pedale 1", WinColor::kRed},
    {2, "BoxLedPed2", "Lampada pedale 2", WinColor::kRed},
    {4, "BoxLedTempo", "Lampada tempo", WinColor::kYellow},
    {8, "BoxLedOn", "Lampada interfaccia accesa", WinColor::kBrightGreen},
};

QPushButton* pedal(const char* name, const QString& caption) {
    auto* b = new QPushButton(caption);
    b->setObjectName(QString::fromLatin1(name));
    b->setMinimumSize(120, 90);
    b->setFocusPolicy(Qt::NoFocus);
    QFont f = b->font();
    f.setPointSize(14);
    f.setBold(true);
    b->setFont(f);
    return b;
}

}  // namespace

PedalBoxWindow::PedalBoxWindow(VirtualPedalBox& box, QWidget* parent)
    // A window of its own that the window manager keeps above the main window once
    // it is made the main window's transient (showBeside): a plain Qt::Window would
    // not be.
    : QWidget(parent, Qt::Dialog), box_(box) {
    setObjectName(QStringLiteral("PedalieraVirtuale"));
    setWindowTitle(QStringLiteral("Pedaliera virtuale"));
    auto* g = new QGridLayout(this);
    for (int i = 0; i < 4; ++i) {
        lamps_[i] = new Lamp(QString::fromLatin1(kLamps[i].name),
                             QString::fromLatin1(kLamps[i].shows), kDark);
        lamps_[i]->setFixedSize(22, 22);
        g->addWidget(lamps_[i], 0, i, Qt::AlignHCenter);
    }
    const char* captions[4] = {"Ped. 1", "Ped. 2", "Tempo", "On"};
    for (int i = 0; i < 4; ++i) {
        g->addWidget(new QLabel(QString::fromLatin1(captions[i])), 1, i, Qt::AlignHCenter);
    }
    pedal1_ = pedal("Pedale1", QStringLiteral("Pedale 1"));
    pedal2_ = pedal("Pedale2", QStringLiteral("Pedale 2"));
    g->addWidget(pedal1_, 2, 0, 1, 2);
    g->addWidget(pedal2_, 2, 2, 1, 2);
    present_ = new QCheckBox(QStringLiteral("Pedaliera collegata"));
    present_->setObjectName(QStringLiteral("Presente"));
    lost_ = new QCheckBox(QStringLiteral("Pedaliera persa"));
    lost_->setObjectName(QStringLiteral("Persa"));
    g->addWidget(present_, 3, 0, 1, 2);
    g->addWidget(lost_, 3, 2, 1, 2);

    connect(pedal1_, &QPushButton::pressed, this, [this] { box_.setPedal1(true); });
    connect(pedal1_, &QPushButton::released, this, [this] { box_.setPedal1(false); });
    connect(pedal2_, &QPushButton::pressed, this, [this] { box_.setPedal2(true); });
    connect(pedal2_, &QPushButton::released, this, [this] { box_.setPedal2(false); });
    connect(present_, &QCheckBox::toggled, this, [this](bool on) { box_.setPresent(on); });
    connect(lost_, &QCheckBox::toggled, this, [this](bool on) { box_.setLost(on); });
    connect(&box_, &VirtualPedalBox::lampsChanged, this, [this](int v) { showLamps(v); });
    connect(&box_, &VirtualPedalBox::statusChanged, this, [this](int s) { showStatus(s); });
    showLamps(box_.lamps());
    showStatus(box_.status());
}

void PedalBoxWindow::showLamps(int value) {
    for (int i = 0; i < 4; ++i) {
        lamps_[i]->setBackColor((value & kLamps[i].value) ? kLamps[i].lit : kDark);
    }
}

void PedalBoxWindow::showStatus(int bits) {
    present_->setChecked(bits & PortIo::kPresent);
    lost_->setChecked(bits & PortIo::kLost);
}

PedalBoxWindow::~PedalBoxWindow() {
    if (isVisible()) {
        rememberPlace();
    }
}

QSize PedalBoxWindow::frameSize(const QWidget& main) const {
    if (isVisible() && frameGeometry() != geometry()) {
        return frameGeometry().size();
    }
    QSize borders = main.frameGeometry().size() - main.geometry().size();
    if (borders.width() <= 0 && borders.height() <= 0) {
        // The window manager has not told the main window's frame yet (it has only
        // just been shown): count a title bar and thin borders, so that the box
        // never reaches past the screen's edge. Without a window manager this
        // leaves a little room to spare.
        const int edge = 4;
        borders = QSize(2 * edge, style()->pixelMetric(QStyle::PM_TitleBarHeight) + 2 * edge);
    }
    return size() + borders;
}

void PedalBoxWindow::showBeside(const QWidget& main, const QString& statePath) {
    statePath_ = statePath;
    if (!isVisible()) {
        adjustSize();
    }
    const QSize box = frameSize(main);
    QPoint place;
    bool remembered = false;
    if (!statePath_.isEmpty() && QFileInfo(statePath_).isFile()) {
        const QVariant stored = QSettings(statePath_, QSettings::IniFormat).value(kPlaceKey);
        if (stored.canConvert<QPoint>() && stored.toPoint() != QPoint()) {
            place = stored.toPoint();
            remembered = true;
        }
    }
    if (remembered) {
        // Kept where the user left it, pulled back onto a screen that has since
        // become smaller or gone.
        const QRect wanted(place, box);
        QScreen* screen = QGuiApplication::screenAt(wanted.center());
        if (screen == nullptr) {
            screen = main.screen();
        }
        place = PedalBoxPlacement::within(place, box, screen->availableGeometry());
    } else {
        place = besideMain(main, box);
    }
    // Above the main window, as its own small window: where a small screen has no
    // room beside it, a click on a pedal still reaches the pedal, never the main
    // window underneath.
    if (main.isVisible() && main.windowHandle()) {
        winId();
        windowHandle()->setTransientParent(main.windowHandle());
    }
    move(place);
    placed_ = true;
    show();
    raise();
    // A window manager places the main window only as it maps it, often elsewhere
    // than where it was asked for: once the main window is on the screen, the box
    // goes beside where it really is (unless the user has moved it meanwhile).
    if (!remembered && main.isVisible() && main.windowHandle() &&
        !main.windowHandle()->isExposed()) {
        main_ = &main;
        mainWindow_ = main.windowHandle();
        firstPlace_ = pos();
        mainWindow_->installEventFilter(this);
    }
}

QPoint PedalBoxWindow::besideMain(const QWidget& main, const QSize& box) const {
    // The song's title and the lamps (the row that holds them) stay in sight.
    const QWidget* lamps = main.findChild<QWidget*>(QStringLiteral("FrameLed"));
    const QWidget* header =
        lamps != nullptr && lamps->parentWidget() != &main ? lamps->parentWidget() : lamps;
    const QRect keepClear =
        header != nullptr ? QRect(header->mapToGlobal(QPoint(0, 0)), header->size()) : QRect();
    return PedalBoxPlacement::beside(main.frameGeometry(), keepClear, box,
                                     main.screen()->availableGeometry());
}

bool PedalBoxWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == mainWindow_ && event->type() == QEvent::Expose && mainWindow_->isExposed()) {
        mainWindow_->removeEventFilter(this);
        mainWindow_.clear();
        if (main_ && pos() == firstPlace_) {
            move(besideMain(*main_, frameSize(*main_)));
        }
        main_.clear();
    }
    return QWidget::eventFilter(watched, event);
}

void PedalBoxWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    rememberPlace();
}

void PedalBoxWindow::rememberPlace() const {
    if (!placed_ || statePath_.isEmpty()) {
        return;
    }
    QSettings state(statePath_, QSettings::IniFormat);
    state.setValue(kPlaceKey, pos());
    state.sync();
}
