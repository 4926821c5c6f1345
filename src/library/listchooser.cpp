#include "library/listchooser.h"

#include <QComboBox>
#include <QSignalBlocker>

#include "library/aggiornadbg.h"
#include "library/datasource.h"
#include "platform/prompter.h"

const std::array<ListChooser::Entry, 7>& ListChooser::entries() {
    static const std::array<Entry, 7> list = {{
        {QStringLiteral(" Alfabetica Tit [F8]"), QStringLiteral("ListaTitoli"), false, Qt::Key_F8},
        {QStringLiteral(" Alfabetica Aut [F7]"), QStringLiteral("ListaAutore"), false, Qt::Key_F7},
        {QStringLiteral(" Scaletta 1  [F1]"), QStringLiteral("Scaletta1"), true, Qt::Key_F1},
        {QStringLiteral(" Scaletta 2  [F2]"), QStringLiteral("Scaletta2"), true, Qt::Key_F2},
        {QStringLiteral(" Scaletta 3  [F3]"), QStringLiteral("Scaletta3"), true, Qt::Key_F3},
        {QStringLiteral(" Scaletta 4  [F4]"), QStringLiteral("Scaletta4"), true, Qt::Key_F4},
        {QStringLiteral(" Scaletta 5  [F5]"), QStringLiteral("Scaletta5"), true, Qt::Key_F5},
    }};
    return list;
}

int ListChooser::indexOf(const QString& text) {
    for (size_t i = 0; i < entries().size(); ++i) {
        if (entries()[i].text == text) {
            return int(i);
        }
    }
    return -1;
}

int ListChooser::indexOfKey(int qtKey) {
    for (size_t i = 0; i < entries().size(); ++i) {
        if (entries()[i].key == qtKey) {
            return int(i);
        }
    }
    return -1;
}

ListChooser::ListChooser(DataSource& data1, AggiornaDBG& aggiornaDBG, QComboBox& cmbScalette,
                         QWidget* tappo, QWidget* dbgrid1, QObject* parent)
    : QObject(parent),
      data1_(data1),
      aggiornaDBG_(aggiornaDBG),
      cmb_(cmbScalette),
      tappo_(tappo),
      grid_(dbgrid1) {
    connect(&cmb_, &QComboBox::activated, this, &ListChooser::choose);
}

void ListChooser::fill() {
    const QSignalBlocker block(&cmb_);
    cmb_.clear();
    for (const Entry& e : entries()) {
        cmb_.addItem(e.text);
    }
    cmb_.setCurrentIndex(-1);
}

void ListChooser::reset() {
    fill();
    quiet_ = true;
    select(0);
    quiet_ = false;
}

void ListChooser::select(int index) {
    if (index < 0 || index >= int(entries().size())) {
        return;
    }
    {
        const QSignalBlocker block(&cmb_);
        if (cmb_.count() == 0) {
            fill();
        }
        const int item = cmb_.findText(entries()[size_t(index)].text, Qt::MatchExactly);
        if (item >= 0) {
            cmb_.setCurrentIndex(item);
        } else {
            cmb_.setEditText(entries()[size_t(index)].text);
        }
    }
    choose();
}

void ListChooser::choose() {
    const int index = indexOf(cmb_.currentText());
    if (index >= 0) {
        const Entry& e = entries()[size_t(index)];
        data1_.setRecordSource(e.recordSource);
        const bool loaded = aggiornaDBG_.run();
        if (tappo_) {
            tappo_->setVisible(e.tappo);
        }
        if (!loaded && prompter_ && !quiet_) {
            prompter_->tell(data1_.lastError(), QString(), Message::Icon::Critical);
        }
    }
    if (grid_) {
        grid_->setFocus();
    }
}
