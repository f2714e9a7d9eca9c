// The dialog of ｵﾌﾟｼｮﾝ → 持ち時間設定: no limit (なし), or a main time in
// minutes, byo-yomi and an increment in seconds, with OK and キャンセル.
#pragma once

#include "rules/state.h"

#include <QDialog>

#include <optional>

class QRadioButton;
class QSpinBox;

namespace tori {

class TimeLimitDialog : public QDialog {
public:
    TimeLimitDialog(QWidget* parent, const 持ち時間設定& current);

    // What the controls say: all 0 for なし.
    持ち時間設定 value() const;

    // Shows the dialog modally: the limit chosen with OK, nothing after キャンセル.
    static std::optional<持ち時間設定> ask(QWidget* parent, const 持ち時間設定& current);

private:
    void follow();

    QRadioButton* none = nullptr;
    QRadioButton* limited = nullptr;
    QSpinBox* mainMinutes = nullptr;
    QSpinBox* byoyomi = nullptr;
    QSpinBox* increment = nullptr;
};

} // namespace tori
