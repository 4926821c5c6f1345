#pragma once

#include <QObject>
#include <functional>

// Takes the next key pressed anywhere in the program (before every other key
// handler) and hands its Qt key code over once; Esc gives 0 (cancelled). Used to
// teach a page-turner's keys. GUI thread only.
class KeyCatcher : public QObject {
    Q_OBJECT
public:
    explicit KeyCatcher(std::function<void(int)> caught, QObject* parent = nullptr);
    ~KeyCatcher() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(int)> caught_;
    bool done_ = false;
};
