// The program's hints (tool tips): how long they stay on screen, and switching them off for
// every window at once.
#pragma once

#include <QObject>

namespace stria {

class HintControl : public QObject {
    Q_OBJECT
public:
    // Watches the tool-tip requests of the whole application while it lives.
    explicit HintControl(QObject* parent = nullptr);
    ~HintControl() override;

    void setHintTime(int milliseconds) { hintTime_ = milliseconds; }
    int hintTime() const { return hintTime_; }
    void setHintsOff(bool off) { hintsOff_ = off; }
    bool hintsOff() const { return hintsOff_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int hintTime_ = -1; // Qt's own choice, after the length of the text
    bool hintsOff_ = false;
};

} // namespace stria
