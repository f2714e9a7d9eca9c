#include "game/qt/time_limit_dialog.h"

#include "platform/translation.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace tori {

namespace {
    QString text(const char* shown) { return QString::fromUtf8(shown); }

    QSpinBox* spinBox(QWidget* parent, const char* name, int maximum, int value, const char* unit)
    {
        auto* box = new QSpinBox(parent);
        box->setObjectName(QString::fromUtf8(name));
        box->setRange(0, maximum);
        box->setValue(std::clamp(value, 0, maximum));
        box->setSuffix(QStringLiteral(" ") + text(unit));
        return box;
    }
} // namespace

TimeLimitDialog::TimeLimitDialog(QWidget* parent, const 持ち時間設定& current)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TimeLimitDialog"));
    setWindowTitle(text(tr_("持ち時間設定")));
    none = new QRadioButton(text(tr_("なし")), this);
    none->setObjectName(QStringLiteral("none"));
    limited = new QRadioButton(text(tr_("あり")), this);
    limited->setObjectName(QStringLiteral("limited"));
    mainMinutes = spinBox(this, "mainMinutes", 持ち時間設定::最大持ち時間秒 / 60,
        (current.持ち時間秒 + 59) / 60, tr_("分"));
    byoyomi = spinBox(this, "byoyomi", 持ち時間設定::最大秒読み秒, current.秒読み秒, tr_("秒"));
    increment = spinBox(this, "increment", 持ち時間設定::最大加算秒, current.加算秒, tr_("秒"));
    (current.有効() ? limited : none)->setChecked(true);

    auto* form = new QFormLayout;
    form->addRow(text(tr_("持ち時間")), mainMinutes);
    form->addRow(text(tr_("秒読み")), byoyomi);
    form->addRow(text(tr_("加算")), increment);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(text(tr_("OK")));
    buttons->button(QDialogButtonBox::Cancel)->setText(text(tr_("キャンセル")));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(none);
    layout->addWidget(limited);
    layout->addLayout(form);
    layout->addWidget(buttons);

    connect(none, &QRadioButton::toggled, this, [this] { follow(); });
    follow();
}

// The times are chosen only with a limit.
void TimeLimitDialog::follow()
{
    const bool on = limited->isChecked();
    mainMinutes->setEnabled(on);
    byoyomi->setEnabled(on);
    increment->setEnabled(on);
}

持ち時間設定 TimeLimitDialog::value() const
{
    持ち時間設定 v;
    if (none->isChecked())
        return v;
    v.持ち時間秒 = mainMinutes->value() * 60;
    v.秒読み秒 = byoyomi->value();
    v.加算秒 = increment->value();
    return v;
}

std::optional<持ち時間設定> TimeLimitDialog::ask(QWidget* parent, const 持ち時間設定& current)
{
    TimeLimitDialog dialog(parent, current);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.value();
}

} // namespace tori
